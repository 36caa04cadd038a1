// CPADTabWnd: the organiser-style frame inside the main window. It paints a dark blue header band
// with the title, a clock and three picture buttons (logo, minimize, close), a page area in which
// one page is visible at a time, and a row of tabs; a click on a tab shows that tab's page. It
// only shows, hides and moves the pages; it does not own them and tells nobody about a change.
#pragma once

#include <QBasicTimer>
#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "controls/pda_button.h"

class QFontMetrics;
class QPainter;

// One tab: its page (not owned, may be null), caption (code page 936), optional 16 x 16 icon and
// its rectangle in the tab row, set by RecalcLayout.
struct PADTabItem {
    QPointer<QWidget> page;
    std::string caption;
    QPixmap icon;
    QRect rect;
};

class CPADTabWnd : public QWidget {
    Q_OBJECT
public:
    // Tab style bits, the low four bits of the style given to Create.
    static constexpr unsigned PTS_TOP = 1, PTS_BOTTOM = 2, PTS_FIXEDWIDTH = 4, PTS_SLIDE = 8;
    static constexpr unsigned WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000;

    // Commands of the header buttons.
    static constexpr int ID_CLOSE = 32773;
    static constexpr int ID_LOGO = 32774;
    static constexpr int ID_MINIMIZE = 32776;

    // Timers: the clock repaints every second, a slide moves its page every 15 ms.
    static constexpr int kSlideTimerId = 100;
    static constexpr int kClockTimerId = 101;

    CPADTabWnd();
    // Takes the pages out of the window's children first: their owner deletes them, not the
    // window.
    ~CPADTabWnd() override;

    // style: window style bits | tab style bits (no tab style bit means PTS_TOP); rect in the
    // parent's coordinates. Creates the header buttons, starts the clock and lays the window out;
    // the window is shown only with WS_VISIBLE. False (and nothing done) for a WS_CHILD window
    // without a parent.
    bool Create(unsigned style, const QRect& rect, QWidget* parent, int id);
    // The title in the header band (code page 936); none by default.
    void SetTitle(std::string title) { m_title = std::move(title); }
    // The address that a click on the logo opens (code page 936); none by default.
    void SetLogoUrl(std::string url) { m_logoUrl = std::move(url); }

    // Appends a tab. A page is moved to the page rectangle; a page that was never shown or
    // hidden explicitly is hidden, as a child window created without WS_VISIBLE. caption may be
    // null (no text); iconId names :/icons/<iconId>.png, 0 for none. The tab row is neither laid
    // out nor repainted: Refresh does that.
    void AddTab(QWidget* page, const char* caption, int iconId);

    // Hides the current page and shows page index (sliding it in under PTS_SLIDE). An index
    // without a tab leaves the old page hidden and the current index unchanged. The tab row is
    // not repainted.
    void SetCurSel(int index);
    // The selected tab, -1 for none.
    int GetCurSel() const { return m_nCurSel; }
    int GetItemCount() const { return static_cast<int>(m_tabs.size()); }

    // Lays the tabs out, selects the current tab (tab 0 when none) and repaints everything.
    void Refresh();
    // Where the pages go: the client area without the header band and the tab row.
    QRect GetPageRect() const;
    // Computes every tab's rectangle and moves the pages to the page rectangle.
    void RecalcLayout();
    // The rectangle of tab index in the window (empty for no such tab). Its width is the tab's
    // width less one, so neighbouring tabs lie three pixels apart.
    QRect GetTabRect(int index) const;

    unsigned GetTabStyle() const { return m_nTabStyle; }
    int GetDlgCtrlID() const { return m_nID; }
    const QFont& GetTabFont() const { return m_font; }

    // caption cut to fit width pixels in metrics: while too wide, its last two bytes go, ten times
    // at most; after any cut two more go and "..." follows. A cut never leaves half a double-byte
    // character behind.
    static std::string ShortenCaption(std::string caption, int width, const QFontMetrics& metrics);

protected:
    void OnCreate();
    void OnSize();
    void OnLButtonDown(const QPoint& point);
    void OnTimer(int id);
    void OnCommand(int id);
    void OnEraseBkgnd(QPainter& painter);
    void OnPaint(QPainter& painter);
    void DrawTab(QPainter& painter, const PADTabItem& item, unsigned tabStyle, bool selected);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // Lays the tabs out again from the strip's left edge, one pixel apart, when their natural
    // widths do not fit.
    void FitTabs(const QRect& strip);
    // One step of the slide of the current page.
    void SlideStep();

    bool m_bErase = true;
    QFont m_font;
    int m_nCurSel = -1;
    unsigned m_nTabStyle = PTS_BOTTOM;
    int m_nMargin = 3;
    std::vector<PADTabItem> m_tabs;
    CPDAButton m_btnLogo;
    CPDAButton m_btnClose;
    CPDAButton m_btnMinimize;
    QRect m_rcClock;
    QBasicTimer m_clockTimer;
    QBasicTimer m_slideTimer;
    // The slide's steps still to go (kSlideSteps when the page rests) and its step in pixels.
    int m_slideCounter;
    int m_slideStep = 0;
    std::string m_title;
    std::string m_logoUrl;
    int m_nID = 0;
};
