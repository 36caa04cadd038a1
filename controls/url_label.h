// CUrlLabel: a static text turned into a web link. Blue text that turns red and underlined while
// the pointer is over it, a hand cursor, a tooltip with the address; a click opens the address in
// the user's browser and turns the text purple, and an address that cannot be opened gives a
// beep and a message box that names the reason. A double click opens the address once. The label
// paints no background: its parent's shows through.
//
// The label's alignment plays the static control's styles: Qt::AlignHCenter is SS_CENTER,
// Qt::AlignRight is SS_RIGHT and Qt::AlignVCenter is SS_CENTERIMAGE; a new label is aligned left
// and top, like a plain static text.
#pragma once

#include <QBasicTimer>
#include <QColor>
#include <QCursor>
#include <QFont>
#include <QLabel>
#include <optional>
#include <string>
#include <string_view>

#include "platform/browser_command.h"

class CUrlLabel : public QLabel {
    Q_OBJECT
public:
    static constexpr int kHoverTimerId = 100;
    static constexpr int kHoverPollMs = 100;

    explicit CUrlLabel(QWidget* parent = nullptr);

    // Makes the label a link; call once, when it has its text, font, geometry and alignment.
    // The address is the label's text unless one was set; an empty text shows the address. The
    // label then shrinks to its text (FitToText) and gets the hand cursor and the tooltip.
    void PreSubclassWindow();

    // Resizes the label to its text in the underlined font plus its frame, keeping the left edge,
    // the centre (AlignHCenter) or the right edge (AlignRight), and the top edge or the vertical
    // centre (AlignVCenter). Does nothing unless fitting is on (it is by default).
    void FitToText();

    // Opens address in the user's browser; returns a code of OpenUrlCode (above 32: opened).
    // First the desktop's own opening; when that fails, the browser command that the reader
    // finds, started as its own process; when no command is found, the desktop's failure code.
    int OpenUrl(const std::string& address);

    // Shows "Unable to open hyperlink:" and the reason for code in an exclamation box.
    void ShowOpenError(int code);

    // A click: opens the address, marks the link visited when that worked, and reports a failure.
    void OnLinkClicked();
    // The pointer moved over the label: starts hovering and the poll that notices it left.
    void OnMouseMove();
    // The hover poll: ends hovering once the pointer is outside the label.
    void OnTimer();
    // The text colour for the current state: hover, else visited, else normal.
    QColor OnCtlColor() const;

    const std::string& GetUrl() const { return m_url; }
    bool IsHovering() const { return m_hovering; }
    bool IsVisited() const { return m_visited; }

    // Replaces where the browser command comes from (ReadBrowserCommand by default).
    void SetBrowserCommandReader(BrowserCommandReader reader);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void LoadHandCursor();

    QColor m_colorNormal{0, 0, 238};
    QColor m_colorVisited{85, 26, 139};
    QColor m_colorHover{255, 0, 0};
    bool m_hovering = false;
    bool m_visited = false;
    int m_underlineMode = -1;  // -1 underline while hovering, 0 never, 1 always
    bool m_fitToText = true;
    bool m_notify = false;  // clicks are reported once the label is a link
    std::string m_url;
    QFont m_fontUnderlined;
    QFont m_fontPlain;
    std::optional<QCursor> m_cursor;
    QBasicTimer m_hoverTimer;
    BrowserCommandReader m_readBrowserCommand = ReadBrowserCommand;
};
