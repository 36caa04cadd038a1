// CPDAButton: the small picture button of the organiser frame's header band (logo, close,
// minimize). It paints one bitmap the same way in every state, shows the pointing hand while the
// pointer is over it and holds the mouse grab while hovering, so that it sees the pointer leave.
// A click reaches the parent as the button's command id; the button has no command logic itself.
#pragma once

#include <QCursor>
#include <QPixmap>
#include <QPushButton>
#include <optional>

class QPainter;

class CPDAButton : public QPushButton {
    Q_OBJECT
public:
    static constexpr unsigned WS_VISIBLE = 0x10000000;
    static constexpr unsigned BS_OWNERDRAW = 0x0000000B;

    CPDAButton();

    // Makes the button a child of parent at rect (parent coordinates) with the command id id;
    // it is shown only when style holds WS_VISIBLE. caption (code page 936, may be null) is the
    // button's text, which is never drawn. False when parent is null.
    bool Create(const char* caption, unsigned style, const QRect& rect, QWidget* parent, int id);

    // Takes the bitmap :/bitmaps/<resourceId>.bmp as the button's picture; false (and no
    // picture) when the program holds no such bitmap.
    bool LoadButtonBitmap(int resourceId);

    int GetDlgCtrlID() const { return m_nID; }
    // True while the button holds the mouse grab because the pointer is over it.
    bool IsHovering() const { return m_bHover; }

signals:
    // Emitted for every click, with the button's command id. The second press of a double
    // click is no click.
    void Command(int id);

protected:
    // Loads the hand cursor once and makes it the button's pointer shape.
    void OnCreate();
    // Grabs the mouse when the pointer comes in, releases it when the pointer is out.
    void OnMouseMove(const QPoint& point);
    // Copies the bitmap unscaled from its top-left corner, cut at the button's size.
    void DrawItem(QPainter& painter);

    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_bHover = false;
    std::optional<QCursor> m_hCursor;
    QPixmap m_bitmap;
    int m_nID = 0;
};
