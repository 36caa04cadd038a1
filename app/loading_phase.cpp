// The main window's loading phase: for 50 ticks of 80 ms it paints a title, a notice,
// "正在加载..." and a growing progress bar over the skin; on the 51st tick the tab window appears
// and the window is ready.
#include <QPainter>
#include <QTimerEvent>

#include "app/main_dialog.h"
#include "platform/ansi_text.h"
#include "settings/startup_settings.h"

namespace {

constexpr QColor kNoticeColour(33, 33, 33);
constexpr QColor kBarColour(50, 180, 50);
constexpr QColor kBarLight(100, 200, 100);
constexpr QColor kBarDark(22, 99, 22);

// A rectangle given by its left, top, right and bottom edges, right and bottom outside it.
QRect Edges(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// Fills x, y, width, height; a negative width or height reaches left or up from x, y.
void FillSolid(QPainter& painter, int x, int y, int width, int height, QColor colour) {
    if (width < 0) {
        x += width;
        width = -width;
    }
    if (height < 0) {
        y += height;
        height = -height;
    }
    painter.fillRect(QRect(x, y, width, height), colour);
}

// A frame one pixel wide around x, y, width, height: the top and left edges light, the bottom
// and right edges dark.
void Draw3dRect(QPainter& painter, int x, int y, int width, int height, QColor light, QColor dark) {
    FillSolid(painter, x, y, width - 1, 1, light);
    FillSolid(painter, x, y, 1, height - 1, light);
    FillSolid(painter, x + width, y, -1, height, dark);
    FillSolid(painter, x, y + height, width, -1, dark);
}

}  // namespace

void CMainDialog::OnTimer(int timerId) {
    if (timerId != kLoadingTimerId) return;
    std::int32_t& ticks = LoadingTicks();
    if (ticks < kLoadingTicks) {
        ++ticks;
        m_progress = 2 * ticks;
        update();
        return;
    }
    killTimer(m_loadingTimer);
    m_loadingTimer = 0;
    m_tabWnd.show();
    m_progress = 0;
    m_bReady = true;
    m_dictPage.RefreshPageDecorations();
    RunPendingSearch();
}

void CMainDialog::paintEvent(QPaintEvent* event) {
    CSkinDialog::paintEvent(event);
    PaintHeldKey();
    OnPaint();
}

void CMainDialog::OnPaint() {
    const CStartupSettings& settings = TheStartupSettings();
    QPainter painter(this);

    painter.setFont(m_fontBold);
    painter.setPen(Qt::black);
    painter.drawText(Edges(50, 180, 280, 300), Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                     FromAnsi(settings.splashTitle));

    painter.setFont(m_fontText);
    painter.setPen(kNoticeColour);
    painter.drawText(Edges(50, 355, 290, 500), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     FromAnsi(settings.splashNotice));
    painter.setPen(Qt::black);
    painter.drawText(Edges(50, 290, 270, 310), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QStringLiteral("正在加载..."));

    // The frame of the bar, in the default black pen and white brush.
    painter.setBrush(Qt::white);
    painter.drawRect(Edges(50, 310, 270, 326).adjusted(0, 0, -1, -1));

    // 216 pixels at 100 %.
    const int width = static_cast<int>(m_progress * 2.16);
    FillSolid(painter, 52, 312, width, 12, kBarColour);
    Draw3dRect(painter, 52, 312, width, 12, kBarLight, kBarDark);
}
