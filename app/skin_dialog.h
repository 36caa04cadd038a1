// CSkinDialog: a dialog whose look is a bitmap. The skin is painted as the window's background and
// the window's shape (its mask) is cut from the skin by dropping every pixel of one transparent
// colour, so a frameless window takes the outline of the picture and can be dragged by its body.
// The class knows nothing of what the derived window shows.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QRgb>
#include <QSize>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QChildEvent;
class QMouseEvent;
class QPainter;
class QPaintEvent;

class CSkinDialog : public QDialog {
    Q_OBJECT
public:
    // Takes the first skin source given, in this order: resource name (LoadSkin), resource id
    // (LoadSkinResource), bitmap object (SetSkinBitmap). With none the window has no skin.
    explicit CSkinDialog(QWidget* parent = nullptr, const char* skinResourceName = nullptr,
                         int skinResourceId = 0, const QImage* skinBitmap = nullptr);
    ~CSkinDialog() override;

    // Every skin setter first releases the current skin (deleting it when the window owns it);
    // when it fails the window is left without skin. Each successful one calls UpdateShape.

    // Loads the program's bitmap resource :/bitmaps/<bitmapId>.bmp and owns it.
    bool LoadSkinResource(int bitmapId);
    // With a resource name (code page 936; "#129" names resource 129) loads that bitmap resource
    // as LoadSkinResource does. Without one loads the BMP file fileName (code page 936) and keeps
    // a copy of it (CopySkin).
    bool LoadSkin(const char* resourceName, const std::string& fileName);
    // Keeps an owned copy of bitmap in the screen's pixel format; false for an empty bitmap.
    bool CopySkin(const QImage& bitmap);
    // Uses bitmap without owning it: the caller keeps it alive and unchanged while it is the
    // skin. A null pointer or an empty image leaves the window without skin.
    void SetSkinBitmap(const QImage* bitmap);

    // true: the shape is cut from the skin; false: the shape is the whole window rectangle.
    void SetShapeMode(bool fromBitmap);
    // Pixels of exactly this colour (alpha ignored) are cut out of the shape.
    void SetTransparentColor(QRgb colour);
    // Builds the shape for the current skin, mode, colour and window size and installs it as the
    // window's mask. It is not rebuilt when the window is later moved or resized. Without a usable
    // skin the shape is the whole window rectangle; an empty shape (a skin of nothing but the
    // transparent colour) leaves the window unmasked, as an empty mask does in Qt.
    void UpdateShape();

    // One rectangle per maximal run of non-transparent pixels per row, rows top to bottom and runs
    // left to right, over the part of skin that lies inside a client area of the given size.
    static std::vector<QRect> ShapeRuns(const QImage& skin, QRgb transparent, QSize client);
    // The union of ShapeRuns.
    static QRegion ShapeRegion(const QImage& skin, QRgb transparent, QSize client);

    bool HasBitmap() const { return m_pSkin != nullptr; }
    bool OwnsBitmap() const { return m_pOwnedSkin != nullptr; }
    // The current skin; null without one.
    const QImage* GetSkin() const { return m_pSkin; }

    // Direct child labels get no background of their own (a slider keeps its own). Read when a
    // child is polished, that is before it is first shown.
    bool m_bTransparentStatics = true;
    // A left button press anywhere in the window that no child takes moves the window.
    bool m_bDragAnywhere = false;

protected:
    // Paints the skin as the background (without skin: the default background). A derived class
    // calls it first and then paints over it.
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void childEvent(QChildEvent* event) override;

    // Draws the skin at 0, 0 clipped to the window; false without skin.
    bool OnEraseBkgnd(QPainter& painter);
    // Starts the drag by the body when m_bDragAnywhere is set.
    void OnLButtonDown(QMouseEvent* event);
    // Chooses the background of a direct child control as it is polished.
    void OnCtlColor(QWidget* control);

private:
    void ReleaseSkin();
    bool LoadOwnedBitmap(const QString& path);
    void SetOwnedSkin(QImage image);

    bool m_bShapeFromBitmap = false;
    QRgb m_crTransparent = qRgb(0, 0, 0);
    // The skin in use (owned or not) and, when the window made it, the owned image.
    const QImage* m_pSkin = nullptr;
    std::unique_ptr<QImage> m_pOwnedSkin;
    // Where the press was (global) and where the window was then, while it moves itself.
    struct DragStart {
        QPoint pressGlobal;
        QPoint windowPos;
    };
    std::optional<DragStart> m_drag;
};
