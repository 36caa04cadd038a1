// The voice that reads texts aloud: the desktop's default speech engine with its default voice,
// rate and volume. Texts are spoken one after another in the order they were given; none cuts
// another off, and no text, engine error or silent engine stops the ones after it.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <deque>
#include <memory>

// One utterance at a time. Say starts speaking; Finished follows when the utterance has ended,
// whether it played or failed. Say is called again before Finished only for an utterance whose
// end the voice gave up waiting for; the new text then takes its place.
class CSpeechEngine : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void Say(const QString& text) = 0;
signals:
    void Finished();
};

// The desktop's default speech engine; none when the desktop has no engine. After an error it
// starts afresh with the next utterance, so one failure does not silence it; an empty text
// finishes at once.
std::unique_ptr<CSpeechEngine> CreateDesktopSpeechEngine();

class CSpeechVoice : public QObject {
    Q_OBJECT
public:
    // How long an utterance may take, at most, before the voice goes on without its end: a fixed
    // part and a part per character. An engine that never reports the end holds the queue no
    // longer than that.
    static constexpr std::chrono::milliseconds kPatienceFixed{3000};
    static constexpr std::chrono::milliseconds kPatiencePerCharacter{150};

    explicit CSpeechVoice(std::unique_ptr<CSpeechEngine> engine,
                          std::chrono::milliseconds patienceFixed = kPatienceFixed);
    ~CSpeechVoice() override;

    // The voice of the desktop's default speech engine; none when the desktop has no engine.
    static std::unique_ptr<CSpeechVoice> CreateDefault();

    // Speaks text after everything given before it; returns at once. A text of nothing but white
    // space says nothing and is skipped.
    void Speak(const QString& text);

private:
    void SpeakNext();
    void UtteranceEnded();

    std::unique_ptr<CSpeechEngine> m_engine;
    std::chrono::milliseconds m_patienceFixed;
    std::deque<QString> m_waiting;
    QTimer m_patience;
    bool m_speaking = false;
};
