#include "platform/speech_voice.h"

#include <QTextToSpeech>
#include <QTimer>
#include <utility>

namespace {

// QTextToSpeech, whose own say interrupts the utterance in progress, driven one utterance at a
// time. An error (no audio device, a broken engine) silences it for good: every later
// utterance finishes at once without a sound.
class CDesktopSpeechEngine : public CSpeechEngine {
public:
    CDesktopSpeechEngine() : m_speech(new QTextToSpeech(this)) {
        connect(m_speech, &QTextToSpeech::stateChanged, this, &CDesktopSpeechEngine::OnState);
    }

    bool Broken() const { return m_speech->state() == QTextToSpeech::Error; }

    void Say(const QString& text) override {
        if (Broken()) {
            QTimer::singleShot(0, this, &CSpeechEngine::Finished);
            return;
        }
        m_saying = true;
        m_speech->say(text);
    }

private:
    void OnState(QTextToSpeech::State state) {
        if (!m_saying) return;
        if (state == QTextToSpeech::Ready || state == QTextToSpeech::Error) {
            m_saying = false;
            emit Finished();
        }
    }

    QTextToSpeech* m_speech;
    bool m_saying = false;
};

}  // namespace

CSpeechVoice::CSpeechVoice(std::unique_ptr<CSpeechEngine> engine) : m_engine(std::move(engine)) {
    connect(m_engine.get(), &CSpeechEngine::Finished, this, [this] {
        m_speaking = false;
        SpeakNext();
    });
}

CSpeechVoice::~CSpeechVoice() = default;

std::unique_ptr<CSpeechVoice> CSpeechVoice::CreateDefault() {
    if (QTextToSpeech::availableEngines().isEmpty()) return nullptr;
    auto engine = std::make_unique<CDesktopSpeechEngine>();
    if (engine->Broken()) return nullptr;
    return std::make_unique<CSpeechVoice>(std::move(engine));
}

void CSpeechVoice::Speak(const QString& text) {
    m_waiting.push_back(text);
    SpeakNext();
}

void CSpeechVoice::SpeakNext() {
    if (m_speaking || m_waiting.empty()) return;
    m_speaking = true;
    const QString text = std::move(m_waiting.front());
    m_waiting.pop_front();
    m_engine->Say(text);
}
