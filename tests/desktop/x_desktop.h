// What a person does on the X desktop of a desktop test, through the usual X tools: copying
// (xclip), the pointer, keys and the focus (xdotool), another program's window (xterm), and a
// picture of the screen.
#pragma once

#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>

// Runs program with args, writing input to its standard input, and waits for it (10 s at most);
// its standard output, trimmed. Fails the test when it cannot be run or does not end well.
QString RunTool(const QString& program, const QStringList& args, const QByteArray& input = {});

// Puts text (UTF-8) on the clipboard or, for "primary", in the primary selection, as another
// program does when the user copies or selects it.
void SetClipboard(const QString& text, const QString& selection = QStringLiteral("clipboard"));

void MovePointer(int x, int y);
// Presses and releases mouse button, the button held long enough for a watcher that polls.
void ClickButton(int button);
void PressKey(const QString& key);
// The X window that has the keyboard's focus.
unsigned long FocusWindow();
void FocusOn(unsigned long window);

// The first visible window whose title matches the regular expression title, waiting for it
// up to timeoutMs; 0 when none showed.
unsigned long FindWindow(const QString& title, int timeoutMs = 20000);
// True when the top-level window upper lies above lower.
bool IsAbove(unsigned long upper, unsigned long lower);
void RaiseWindow(unsigned long window);

// An xterm that shows lines of text, as a program the user works in; ended with the object.
class Xterm {
public:
    // At position, as X geometry gives it ("+20+40" from the top-left corner, "-0-0" in the
    // bottom-right one), in fonts that hold Chinese.
    Xterm(const QStringList& lines, const QString& position);
    ~Xterm();
    Xterm(const Xterm&) = delete;
    Xterm& operator=(const Xterm&) = delete;

    unsigned long Window() const { return m_window; }
    QRect Geometry() const;

private:
    QProcess m_process;
    unsigned long m_window = 0;
};

// Gives the screen a desktop's colour in place of the server's black, for the pictures.
void PaintDesktopBackground();

// Saves the screen's area to GDICT_SCREENSHOT_DIR/name.
void SaveScreenshot(const QRect& area, const QString& name);
