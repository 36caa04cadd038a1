// The tab window's painting: the header band with title and clock, the tab strip and the tabs.
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <array>
#include <ctime>

#include "controls/pad_tab_geometry.h"
#include "controls/pad_tab_wnd.h"
#include "platform/ansi_text.h"
#include "text/mbcs.h"

namespace {

using namespace padtab;

constexpr int kMaxCaptionCuts = 10;
const QColor kHeaderColour(0, 0, 150);

QColor ButtonFace() {
    return QGuiApplication::palette().color(QPalette::Button);
}

QColor ButtonShadow() {
    return QGuiApplication::palette().color(QPalette::Dark);
}

// A line from from up to, but not including, to; the lines drawn here are horizontal, vertical
// or diagonal.
void LineTo(QPainter& painter, QPoint from, QPoint to) {
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()),
                      (to.y() > from.y()) - (to.y() < from.y()));
    if (step.isNull()) return;
    painter.drawLine(from, to - step);
}

void Polyline(QPainter& painter, std::initializer_list<QPoint> points) {
    const QPoint* previous = nullptr;
    for (const QPoint& point : points) {
        if (previous != nullptr) LineTo(painter, *previous, point);
        previous = &point;
    }
}

// Drops the last count bytes of text, and the lead byte of a double-byte character that the cut
// would leave without its trail byte.
void CutTail(std::string& text, std::size_t count) {
    text.resize(text.size() > count ? text.size() - count : 0);
    std::size_t pos = 0;
    std::size_t last = 0;
    while (pos < text.size()) {
        last = mbcs::CharLength(text, pos);
        pos += last;
    }
    if (last == 1 && mbcs::IsLeadByte(static_cast<unsigned char>(text.back()))) text.pop_back();
}

std::string LocalClockText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    std::array<char, 128> buffer{};
    if (localtime_r(&now, &local) == nullptr) return {};
    const std::size_t length = std::strftime(buffer.data(), buffer.size(), "%H:%M", &local);
    return std::string(buffer.data(), length);
}

}  // namespace

std::string CPADTabWnd::ShortenCaption(std::string caption, int width,
                                       const QFontMetrics& metrics) {
    int cuts = 0;
    while (cuts < kMaxCaptionCuts && !caption.empty() &&
           metrics.horizontalAdvance(FromAnsi(caption)) > width) {
        CutTail(caption, 2);
        ++cuts;
    }
    if (cuts > 0) {
        CutTail(caption, 2);
        caption += "...";
    }
    return caption;
}

void CPADTabWnd::OnEraseBkgnd(QPainter& painter) {
    if (m_bErase) painter.fillRect(rect(), Qt::white);
}

void CPADTabWnd::OnPaint(QPainter& painter) {
    painter.setFont(m_font);
    painter.setBackgroundMode(Qt::TransparentMode);
    const WinRect page = WinRect::From(GetPageRect());
    const int headerWidth = page.right - page.left;
    painter.fillRect(WinRect{page.left, 0, page.right, kHeaderHeight}.ToQRect(), kHeaderColour);

    painter.setPen(Qt::white);
    painter.drawText(WinRect{kTitleLeft, 0, headerWidth, kHeaderHeight}.ToQRect(),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, FromAnsi(m_title));
    painter.drawText(m_rcClock, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                     FromAnsi(LocalClockText()));

    painter.fillRect(
        WinRect{page.left, page.bottom, page.right, page.bottom + kTabRowHeight}.ToQRect(),
        ButtonFace());
    painter.setPen(Qt::black);
    LineTo(painter, QPoint(page.left, page.bottom), QPoint(page.right, page.bottom));

    for (int index = 0; index < GetItemCount(); ++index) {
        DrawTab(painter, m_tabs[index], m_nTabStyle, index == m_nCurSel);
    }
}

void CPADTabWnd::DrawTab(QPainter& painter, const PADTabItem& item, unsigned tabStyle,
                         bool selected) {
    WinRect r = WinRect::From(item.rect);
    if ((tabStyle & PTS_BOTTOM) != 0) {
        if (selected) {
            r.top -= 2;
            painter.fillRect(r.ToQRect(), Qt::white);
            r.top += 1;
        } else {
            r.bottom -= 1;
            painter.fillRect(item.rect, ButtonFace());
        }
        painter.setPen(Qt::black);
        if (selected) {
            Polyline(painter,
                     {{r.left, r.top}, {r.left, r.bottom}, {r.right, r.bottom}, {r.right, r.top}});
        } else {
            Polyline(painter, {{r.left, r.top},
                               {r.left, r.bottom},
                               {r.right, r.bottom},
                               {r.right, r.top},
                               {r.left, r.top}});
        }
        r.top -= 1;
    } else if ((tabStyle & PTS_TOP) != 0) {
        WinRect fill = r;
        if (selected) {
            fill.bottom += 1;
        } else {
            fill.top += 2;
            r.top += 2;
        }
        painter.fillRect(fill.ToQRect(), ButtonFace());
        painter.setPen(Qt::white);
        Polyline(painter,
                 {{r.left, r.bottom}, {r.left, r.top + 2}, {r.left + 2, r.top}, {r.right, r.top}});
        painter.setPen(ButtonShadow());
        LineTo(painter, QPoint(r.right - 1, r.top), QPoint(r.right - 1, r.bottom));
        painter.setPen(Qt::black);
        LineTo(painter, QPoint(r.right, r.top + 1), QPoint(r.right, r.bottom));
    }
    r.right -= 2;
    r.left += 5;
    if (r.right - r.left > kIconSize && !item.icon.isNull()) {
        painter.drawPixmap(QRect(r.left, r.top + 3, kIconSize, kIconSize), item.icon);
        r.left += kIconSize + 2;
    }
    if (item.caption.empty()) return;
    r.top += 5;
    const std::string caption =
        ShortenCaption(item.caption, r.right - r.left, QFontMetrics(painter.font()));
    painter.setPen(Qt::black);
    painter.drawText(r.ToQRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     FromAnsi(caption));
}

void CPADTabWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    OnEraseBkgnd(painter);
    OnPaint(painter);
}
