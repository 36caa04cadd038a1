// A speech engine for a machine without a loudspeaker: it remembers every text it is asked to
// say; each utterance takes kUtteranceMs, and like the desktop's engine it cuts off an utterance
// that is still playing when it is asked to say the next, which fails the test.
#pragma once

#include <QString>
#include <vector>

#include "platform/speech_voice.h"

class RecordingSpeechEngine : public CSpeechEngine {
public:
    static constexpr int kUtteranceMs = 30;
    explicit RecordingSpeechEngine(std::vector<QString>* said) : m_said(said) {}
    void Say(const QString& text) override;

private:
    std::vector<QString>* m_said;
    bool m_busy = false;
};
