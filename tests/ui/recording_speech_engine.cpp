#include "recording_speech_engine.h"

#include <QTimer>

void RecordingSpeechEngine::Say(const QString& text) {
    m_said->push_back(text);
    QTimer::singleShot(kUtteranceMs, this, &CSpeechEngine::Finished);
}
