// The voice that reads texts aloud: the desktop's default speech engine with its default voice,
// rate and volume. Texts are spoken one after another in the order they were given; none cuts
// another off.
#pragma once

#include <QObject>
#include <QString>
#include <deque>
#include <memory>

// One utterance at a time. Say starts speaking; Finished follows when the utterance has ended,
// whether it played or failed.
class CSpeechEngine : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void Say(const QString& text) = 0;
signals:
    void Finished();
};

class CSpeechVoice : public QObject {
    Q_OBJECT
public:
    explicit CSpeechVoice(std::unique_ptr<CSpeechEngine> engine);
    ~CSpeechVoice() override;

    // The voice of the desktop's default speech engine; none when the desktop has no engine.
    static std::unique_ptr<CSpeechVoice> CreateDefault();

    // Speaks text after everything given before it; returns at once.
    void Speak(const QString& text);

private:
    void SpeakNext();

    std::unique_ptr<CSpeechEngine> m_engine;
    std::deque<QString> m_waiting;
    bool m_speaking = false;
};
