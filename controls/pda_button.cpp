#include "controls/pda_button.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/ansi_text.h"

CPDAButton::CPDAButton() {
    // Enter in the main window must not press a header button that happens to have the focus.
    setAutoDefault(false);
    // Pointer moves arrive without a pressed button too, as they do for every window.
    setMouseTracking(true);
    connect(this, &QAbstractButton::clicked, this, [this] { emit Command(m_nID); });
}

bool CPDAButton::Create(const char* caption, unsigned style, const QRect& rect, QWidget* parent,
                        int id) {
    if (parent == nullptr) return false;
    setParent(parent);
    setGeometry(rect);
    setText(FromAnsi(caption != nullptr ? caption : ""));
    m_nID = id;
    OnCreate();
    // A child stays hidden unless created visible, also when its parent is shown later.
    setVisible((style & WS_VISIBLE) != 0);
    return true;
}

bool CPDAButton::LoadButtonBitmap(int resourceId) {
    m_bitmap = QPixmap(QStringLiteral(":/bitmaps/%1.bmp").arg(resourceId));
    update();
    return !m_bitmap.isNull();
}

void CPDAButton::OnCreate() {
    if (!m_hCursor) m_hCursor = QCursor(Qt::PointingHandCursor);
    setCursor(*m_hCursor);
}

void CPDAButton::OnMouseMove(const QPoint& point) {
    const bool inside = rect().contains(point);
    if (!m_bHover && inside) {
        grabMouse();
        m_bHover = true;
        update();
    }
    if (!inside) {
        if (mouseGrabber() == this) releaseMouse();
        m_bHover = false;
        update();
    }
}

void CPDAButton::DrawItem(QPainter& painter) {
    painter.drawPixmap(QPoint(0, 0), m_bitmap, QRect(QPoint(0, 0), size()));
}

void CPDAButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // A picture button reports a double click as such, which no command handles; pressing it
    // again here would open the publisher's site twice.
    event->accept();
}

void CPDAButton::mouseMoveEvent(QMouseEvent* event) {
    OnMouseMove(event->position().toPoint());
    QPushButton::mouseMoveEvent(event);
}

void CPDAButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawItem(painter);
}
