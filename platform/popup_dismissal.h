// What closes a window that takes no focus from the program the user works in: the Escape key
// and a mouse button pressed outside the window, wherever the focus is. On X11, while the watch
// runs, the Escape key is grabbed from the whole screen (so the program with the focus does not
// get it) and the pointer's buttons are read every kPollMs; on other desktops the watch does
// nothing and the window closes by its own timers.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <vector>

class QWidget;

class CPopupDismissal : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    static constexpr int kPollMs = 30;

    // Watches for the window popup, which must outlive the watch or be destroyed with it.
    explicit CPopupDismissal(QWidget* popup);
    ~CPopupDismissal() override;
    CPopupDismissal(const CPopupDismissal&) = delete;
    CPopupDismissal& operator=(const CPopupDismissal&) = delete;

    // Starts watching, or goes on if it runs. Returns false where the desktop gives no way to
    // watch (not X11); when another program holds the Escape key, only the buttons are watched.
    bool Start();
    // Stops watching and gives the Escape key back; nothing when it does not run.
    void Stop();
    bool IsRunning() const { return m_running; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void EscapePressed();
    // A button went down while the pointer was outside the popup (a button already held when
    // the watch started counts only once it is pressed again).
    void PressedOutside();

private:
    void PollButtons();
    void GrabEscape();
    void UngrabEscape();

    QPointer<QWidget> m_popup;
    QTimer m_poll;
    bool m_running = false;
    // The keycodes that give Escape, and which of them this watch grabbed.
    std::vector<unsigned char> m_escapeKeycodes;
    bool m_grabbed = false;
    unsigned m_buttonsBefore = 0;
};
