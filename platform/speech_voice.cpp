#include "platform/speech_voice.h"

#include <QTextToSpeech>
#include <utility>

namespace {

// QTextToSpeech, whose own say interrupts the utterance in progress, driven one utterance at a
// time. Once it has reported an error it ignores every later say, so the next utterance gets a
// new one.
class CDesktopSpeechEngine : public CSpeechEngine {
public:
    CDesktopSpeechEngine() { Renew(); }

    bool Unavailable() const { return m_speech->state() == QTextToSpeech::Error; }

    void Say(const QString& text) override {
        if (text.trimmed().isEmpty()) {
            // Nothing to say changes no state, so no end would ever be reported.
            QTimer::singleShot(0, this, &CSpeechEngine::Finished);
            return;
        }
        if (m_speech->state() == QTextToSpeech::Error) Renew();
        m_saying = true;
        m_speech->say(text);
    }

private:
    void Renew() {
        delete m_speech;
        m_speech = new QTextToSpeech(this);
        connect(m_speech, &QTextToSpeech::stateChanged, this, &CDesktopSpeechEngine::OnState);
    }

    void OnState(QTextToSpeech::State state) {
        if (!m_saying) return;
        if (state == QTextToSpeech::Ready || state == QTextToSpeech::Error) {
            m_saying = false;
            emit Finished();
        }
    }

    QTextToSpeech* m_speech = nullptr;
    bool m_saying = false;
};

}  // namespace

std::unique_ptr<CSpeechEngine> CreateDesktopSpeechEngine() {
    if (QTextToSpeech::availableEngines().isEmpty()) return nullptr;
    auto engine = std::make_unique<CDesktopSpeechEngine>();
    if (engine->Unavailable()) return nullptr;
    return engine;
}

CSpeechVoice::CSpeechVoice(std::unique_ptr<CSpeechEngine> engine,
                           std::chrono::milliseconds patienceFixed)
    : m_engine(std::move(engine)), m_patienceFixed(patienceFixed) {
    m_patience.setSingleShot(true);
    connect(&m_patience, &QTimer::timeout, this, &CSpeechVoice::UtteranceEnded);
    connect(m_engine.get(), &CSpeechEngine::Finished, this, [this] {
        if (m_speaking) UtteranceEnded();
    });
}

CSpeechVoice::~CSpeechVoice() = default;

std::unique_ptr<CSpeechVoice> CSpeechVoice::CreateDefault() {
    std::unique_ptr<CSpeechEngine> engine = CreateDesktopSpeechEngine();
    if (!engine) return nullptr;
    return std::make_unique<CSpeechVoice>(std::move(engine));
}

void CSpeechVoice::Speak(const QString& text) {
    if (text.trimmed().isEmpty()) return;
    m_waiting.push_back(text);
    SpeakNext();
}

void CSpeechVoice::UtteranceEnded() {
    m_patience.stop();
    m_speaking = false;
    SpeakNext();
}

void CSpeechVoice::SpeakNext() {
    if (m_speaking || m_waiting.empty()) return;
    m_speaking = true;
    const QString text = std::move(m_waiting.front());
    m_waiting.pop_front();
    m_patience.start(m_patienceFixed + kPatiencePerCharacter * text.size());
    m_engine->Say(text);
}
