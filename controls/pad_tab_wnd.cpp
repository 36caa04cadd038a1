#include "controls/pad_tab_wnd.h"

#include <QDialog>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QUrl>
#include <algorithm>

#include "controls/pad_tab_geometry.h"
#include "platform/ansi_text.h"
#include "platform/main_window.h"
#include "platform/shell_open.h"
#include "platform/string_resources.h"

namespace {

using namespace padtab;

constexpr unsigned kTabStyleMask = 0xF;
constexpr int kHeaderButtonSize = 23;
constexpr int kMinimizeOffset = 24;  // the minimize button sits this far left of the close button
constexpr int kStripRightInset = 6;
constexpr int kLogoSize = 24;
constexpr int kClockRightGap = 48;
constexpr int kCaptionPadding = 15;
constexpr int kSlideSteps = 10;
constexpr int kSlidePeriodMs = 15;
constexpr int kClockPeriodMs = 1000;
constexpr unsigned kButtonStyle = CPDAButton::WS_VISIBLE | CPDAButton::BS_OWNERDRAW;
constexpr int kLogoBitmap = 134;
constexpr int kCloseBitmap = 133;
constexpr int kMinimizeBitmap = 137;

// A tab's width from its caption and icon.
int NaturalWidth(const PADTabItem& item, const QFontMetrics& metrics) {
    const int iconWidth = item.icon.isNull() ? 0 : kIconSize + 2;
    return metrics.horizontalAdvance(FromAnsi(item.caption)) + kCaptionPadding + iconWidth;
}

// The publisher's host name, from the plain address of the publisher's site.
QString PublisherHost() {
    return QUrl::fromUserInput(FromAnsi(LoadStringResource("about_site_url")).trimmed()).host();
}

}  // namespace

CPADTabWnd::CPADTabWnd() : m_slideCounter(kSlideSteps) {
    connect(&m_btnLogo, &CPDAButton::Command, this, &CPADTabWnd::OnCommand);
    connect(&m_btnClose, &CPDAButton::Command, this, &CPADTabWnd::OnCommand);
    connect(&m_btnMinimize, &CPDAButton::Command, this, &CPADTabWnd::OnCommand);
}

CPADTabWnd::~CPADTabWnd() {
    for (const PADTabItem& item : m_tabs) {
        if (item.page && item.page->parentWidget() == this) item.page->setParent(nullptr);
    }
}

bool CPADTabWnd::Create(unsigned style, const QRect& rect, QWidget* parent, int id) {
    if ((style & WS_CHILD) != 0 && parent == nullptr) return false;
    m_nTabStyle = style & kTabStyleMask;
    if (m_nTabStyle == 0) m_nTabStyle = PTS_TOP;
    setParent(parent);
    setGeometry(rect);
    setWindowTitle(PublisherHost());
    m_nID = id;
    OnCreate();
    // The font serves the window's own drawing only: unlike a window's font, a widget's font
    // would pass on to the pages.
    m_font = QFont(QStringLiteral("宋体"));
    m_font.setPixelSize(12);
    m_font.setWeight(QFont::Normal);
    OnSize();
    setVisible((style & WS_VISIBLE) != 0);
    return true;
}

void CPADTabWnd::AddTab(QWidget* page, const char* caption, int iconId) {
    PADTabItem item;
    item.page = page;
    item.caption = caption != nullptr ? caption : "";
    if (iconId != 0) item.icon = QPixmap(QStringLiteral(":/icons/%1.png").arg(iconId));
    if (page != nullptr) {
        page->setGeometry(GetPageRect());
        if (!page->testAttribute(Qt::WA_WState_ExplicitShowHide)) page->hide();
    }
    m_tabs.push_back(std::move(item));
}

void CPADTabWnd::SetCurSel(int index) {
    if (index == m_nCurSel) return;
    if (m_nCurSel >= 0 && m_nCurSel < GetItemCount()) {
        if (QWidget* old = m_tabs[m_nCurSel].page) old->hide();
    }
    if (index < 0 || index >= GetItemCount()) return;
    m_nCurSel = index;
    if ((m_nTabStyle & PTS_SLIDE) != 0) {
        m_slideTimer.start(kSlidePeriodMs, this);
    } else if (QWidget* page = m_tabs[index].page) {
        page->show();
    }
}

void CPADTabWnd::Refresh() {
    RecalcLayout();
    SetCurSel(m_nCurSel < 0 ? 0 : m_nCurSel);
    update();
}

QRect CPADTabWnd::GetPageRect() const {
    WinRect r{0, 0, width(), height()};
    if ((m_nTabStyle & PTS_BOTTOM) != 0) {
        r.top += kHeaderHeight;
        r.bottom -= kTabRowHeight;
    } else if ((m_nTabStyle & PTS_TOP) != 0) {
        r.top += kTabRowHeight;
        r.bottom -= kHeaderHeight;
    }
    return r.ToQRect();
}

void CPADTabWnd::RecalcLayout() {
    if (m_tabs.empty()) return;
    const QRect pageRect = GetPageRect();
    WinRect strip{0, 0, width(), height()};
    if ((m_nTabStyle & PTS_BOTTOM) != 0) {
        strip.top = strip.bottom - kTabRowHeight;
        strip.bottom -= 1;
        strip.right -= kStripRightInset;
    } else if ((m_nTabStyle & PTS_TOP) != 0) {
        strip.left += 2;
        strip.right -= kStripRightInset;
        strip.bottom = strip.top + kTabRowHeight;
    }
    const QFontMetrics metrics(m_font);
    const bool fixedWidth = (m_nTabStyle & PTS_FIXEDWIDTH) != 0;
    const int share = (strip.right - strip.left) / GetItemCount();
    int x = strip.left + 1;
    int total = 0;
    for (PADTabItem& item : m_tabs) {
        const int w = fixedWidth ? share : NaturalWidth(item, metrics);
        item.rect = WinRect{x, strip.top, x + w - 1, strip.bottom}.ToQRect();
        total += w;
        x += w + 2;
        if (item.page) item.page->setGeometry(pageRect);
    }
    if (total > strip.right - strip.left && !fixedWidth) FitTabs(strip.ToQRect());
}

void CPADTabWnd::FitTabs(const QRect& strip) {
    const QFontMetrics metrics(m_font);
    // Each tab takes its natural width, but never more than its share of the strip less the
    // pixel between tabs, so that the row ends inside the strip.
    const int share = strip.width() / GetItemCount() - 1;
    int left = strip.left();
    for (PADTabItem& item : m_tabs) {
        const int w = std::max(0, std::min(NaturalWidth(item, metrics), share));
        item.rect = QRect(left, strip.top(), w, strip.height());
        left += w + 1;
    }
}

QRect CPADTabWnd::GetTabRect(int index) const {
    if (index < 0 || index >= GetItemCount()) return {};
    return m_tabs[index].rect;
}

void CPADTabWnd::OnCreate() {
    m_btnLogo.Create("", kButtonStyle, QRect(0, 0, kLogoSize, kLogoSize), this, ID_LOGO);
    m_btnLogo.LoadButtonBitmap(kLogoBitmap);
    m_btnClose.Create("", kButtonStyle, QRect(0, 0, kLogoSize, kLogoSize), this, ID_CLOSE);
    m_btnClose.LoadButtonBitmap(kCloseBitmap);
    m_btnMinimize.Create("", kButtonStyle, QRect(0, 0, kLogoSize, kLogoSize), this, ID_MINIMIZE);
    m_btnMinimize.LoadButtonBitmap(kMinimizeBitmap);
    m_clockTimer.start(kClockPeriodMs, this);
}

void CPADTabWnd::OnSize() {
    m_bErase = true;
    RecalcLayout();
    const int w = width();
    m_btnClose.setGeometry(w - kHeaderButtonSize, 0, kHeaderButtonSize, kHeaderButtonSize);
    m_btnMinimize.setGeometry(w - kHeaderButtonSize - kMinimizeOffset, 0, kHeaderButtonSize,
                              kHeaderButtonSize);
    m_rcClock = WinRect{kTitleLeft, 0, w - kClockRightGap, kHeaderHeight}.ToQRect();
    update();
}

void CPADTabWnd::OnLButtonDown(const QPoint& point) {
    for (int index = 0; index < GetItemCount(); ++index) {
        if (m_tabs[index].rect.contains(point)) {
            SetCurSel(index);
            update();
            break;
        }
    }
}

void CPADTabWnd::OnTimer(int id) {
    if (id == kClockTimerId) {
        update(m_rcClock);
    } else if (id == kSlideTimerId) {
        SlideStep();
    }
}

void CPADTabWnd::SlideStep() {
    const int inset = m_nMargin + 1;
    const QRect r = GetPageRect().adjusted(inset, inset, -inset, -inset);
    QWidget* page = m_nCurSel >= 0 && m_nCurSel < GetItemCount() ? m_tabs[m_nCurSel].page : nullptr;
    if (m_slideCounter == kSlideSteps) {
        m_slideStep = r.width() / kSlideSteps;
        m_bErase = false;
        m_slideCounter = kSlideSteps - 1;
        // The first step leaves only the page's right ten pixels inside the window.
        if (page != nullptr) {
            page->show();
            page->setGeometry(11 - r.width(), r.top(), r.width() - 1, r.height());
        }
    } else if (m_slideCounter > 0) {
        // Steps 9 down to 1 bring the page's left edge to 1 - counter * step.
        if (page != nullptr) {
            page->setGeometry(1 - m_slideCounter * m_slideStep, r.top(), r.width() - 1, r.height());
        }
        --m_slideCounter;
    } else {
        // The page comes to rest inside the margin.
        m_slideTimer.stop();
        m_slideCounter = kSlideSteps;
        m_bErase = true;
        if (page != nullptr) page->setGeometry(r);
    }
}

void CPADTabWnd::OnCommand(int id) {
    switch (id) {
        case ID_CLOSE:
            if (auto* dialog = qobject_cast<QDialog*>(parentWidget())) dialog->done(1);
            break;
        case ID_LOGO:
            if (!m_logoUrl.empty()) ShellOpen(m_logoUrl);
            break;
        case ID_MINIMIZE:
            if (QDialog* mainWindow = GetMainWindow()) mainWindow->showMinimized();
            break;
        default:
            break;
    }
}

void CPADTabWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnLButtonDown(event->position().toPoint());
    // The press ends here, as it does for any child window: it never drags the main window.
    event->accept();
}

void CPADTabWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is no click on a tab.
    event->accept();
}

void CPADTabWnd::resizeEvent(QResizeEvent*) {
    OnSize();
}

void CPADTabWnd::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_clockTimer.timerId()) {
        OnTimer(kClockTimerId);
    } else if (event->timerId() == m_slideTimer.timerId()) {
        OnTimer(kSlideTimerId);
    }
}
