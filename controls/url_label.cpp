#include "controls/url_label.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTimerEvent>
#include <utility>

#include "platform/ansi_text.h"
#include "platform/message_box.h"
#include "platform/shell_open.h"

namespace {

constexpr int kLastFailureCode = 32;
constexpr int kUnderlineWhileHovering = -1;
constexpr int kUnderlineAlways = 1;
// How far below the label the repaint reaches when hovering ends.
constexpr int kHoverEndRepaintBelow = 10;
constexpr std::string_view kOpenErrorPrefix = "Unable to open hyperlink:\n\n";

}  // namespace

CUrlLabel::CUrlLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void CUrlLabel::PreSubclassWindow() {
    m_notify = true;
    setMouseTracking(true);
    if (m_url.empty()) m_url = ToAnsi(text());
    if (text().isEmpty()) setText(FromAnsi(m_url));
    m_fontPlain = font();
    m_fontUnderlined = m_fontPlain;
    m_fontUnderlined.setUnderline(true);
    FitToText();
    LoadHandCursor();
    setToolTip(FromAnsi(m_url));
}

void CUrlLabel::FitToText() {
    if (!m_fitToText) return;
    const QRect window = geometry();
    const QRect client = contentsRect();
    const QFontMetrics metrics(m_fontUnderlined);
    const int cx = metrics.horizontalAdvance(text()) + window.width() - client.width();
    const int cy = metrics.height() + window.height() - client.height();

    // Edges as left, top and the exclusive right and bottom, so that the halves of an odd
    // difference fall as they do on a dialog.
    int left = window.x();
    int top = window.y();
    int right = left + window.width();
    int bottom = top + window.height();
    if (alignment() & Qt::AlignVCenter) {
        const int shrink = (window.height() - cy) / 2;
        top += shrink;
        bottom -= shrink;
    } else {
        bottom = top + cy;
    }
    if (alignment() & Qt::AlignHCenter) {
        const int shrink = (window.width() - cx) / 2;
        left += shrink;
        right -= shrink;
    } else if (alignment() & Qt::AlignRight) {
        left = right - cx;
    } else {
        right = left + cx;
    }
    setGeometry(left, top, right - left, bottom - top);
}

void CUrlLabel::LoadHandCursor() {
    if (m_cursor) return;
    m_cursor = QCursor(Qt::PointingHandCursor);
    setCursor(*m_cursor);
}

int CUrlLabel::OpenUrl(const std::string& address) {
    const int result = ShellOpen(address) ? OpenUrlCode::Succeeded : OpenUrlCode::NoAssociation;
    if (result > kLastFailureCode) return result;
    std::string command;
    if (m_readBrowserCommand(command) != 0) return result;
    return StartCommandLine(BrowserCommandLine(command, address));
}

void CUrlLabel::ShowOpenError(int code) {
    ShowMessageBox(this, FromAnsi(std::string(kOpenErrorPrefix) + OpenErrorText(code)),
                   MessageBoxType::IconWarning);
}

void CUrlLabel::OnLinkClicked() {
    m_hovering = false;
    const int result = OpenUrl(m_url);
    m_visited = result > kLastFailureCode;
    // Repainted on failure too: the box does not uncover the label here, and a link that was
    // visited before must show the normal colour again.
    update();
    if (!m_visited) {
        QApplication::beep();
        ShowOpenError(result);
    }
}

void CUrlLabel::OnMouseMove() {
    if (m_hovering) return;
    m_hovering = true;
    if (m_underlineMode == kUnderlineWhileHovering) setFont(m_fontUnderlined);
    update();
    m_hoverTimer.start(kHoverPollMs, this);
}

void CUrlLabel::OnTimer() {
    if (rect().contains(mapFromGlobal(QCursor::pos()))) return;
    m_hovering = false;
    m_hoverTimer.stop();
    if (m_underlineMode != kUnderlineAlways) setFont(m_fontPlain);
    update(rect().adjusted(0, 0, 0, kHoverEndRepaintBelow));
}

QColor CUrlLabel::OnCtlColor() const {
    if (m_hovering) return m_colorHover;
    return m_visited ? m_colorVisited : m_colorNormal;
}

void CUrlLabel::SetBrowserCommandReader(BrowserCommandReader reader) {
    m_readBrowserCommand = std::move(reader);
}

void CUrlLabel::paintEvent(QPaintEvent*) {
    // The label has no background of its own: what its parent paints shows through, as the
    // dialog's face does behind the link on the desktop it was made for. Qt repaints that
    // background under every update of the label, so a change of colour or underline leaves
    // nothing of the old text behind.
    QPainter painter(this);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, OnCtlColor());
    style()->drawItemText(&painter, contentsRect(),
                          static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment())),
                          colours, isEnabled(), text(), QPalette::WindowText);
}

void CUrlLabel::mouseMoveEvent(QMouseEvent* event) {
    OnMouseMove();
    QLabel::mouseMoveEvent(event);
}

void CUrlLabel::mousePressEvent(QMouseEvent* event) {
    if (m_notify && event->button() == Qt::LeftButton) {
        OnLinkClicked();
        return;
    }
    QLabel::mousePressEvent(event);
}

void CUrlLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is no click: the address opens once.
    event->accept();
}

void CUrlLabel::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_hoverTimer.timerId()) {
        OnTimer();
        return;
    }
    QLabel::timerEvent(event);
}
