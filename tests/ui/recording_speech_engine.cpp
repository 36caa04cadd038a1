#include "recording_speech_engine.h"

#include <gtest/gtest.h>
#include <QTimer>

void RecordingSpeechEngine::Say(const QString& text) {
    if (m_busy) ADD_FAILURE() << "\"" << text.toStdString() << "\" cut off the utterance before";
    m_busy = true;
    m_said->push_back(text);
    QTimer::singleShot(kUtteranceMs, this, [this] {
        m_busy = false;
        emit Finished();
    });
}
