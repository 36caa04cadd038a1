#include "app/skin_dialog.h"

#include <QChildEvent>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "platform/ansi_text.h"

namespace {

// The colour part of a pixel; the transparent colour is compared without alpha.
constexpr QRgb kColourMask = 0x00FFFFFF;

// Reads a bitmap the way the platform's bitmap loader does: BMP only, whatever the name says.
QImage ReadBitmap(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// A bitmap resource named by text; "#129" is resource 129.
QString ResourcePath(const char* resourceName) {
    QString name = FromAnsi(resourceName);
    if (name.startsWith(u'#')) name.remove(0, 1);
    return QStringLiteral(":/bitmaps/%1.bmp").arg(name);
}

}  // namespace

CSkinDialog::CSkinDialog(QWidget* parent, const char* skinResourceName, int skinResourceId,
                         const QImage* skinBitmap)
    : QDialog(parent) {
    if (skinResourceName != nullptr) {
        LoadSkin(skinResourceName, {});
    } else if (skinResourceId != 0) {
        LoadSkinResource(skinResourceId);
    } else if (skinBitmap != nullptr) {
        SetSkinBitmap(skinBitmap);
    }
}

CSkinDialog::~CSkinDialog() = default;

bool CSkinDialog::LoadSkinResource(int bitmapId) {
    return LoadOwnedBitmap(QStringLiteral(":/bitmaps/%1.bmp").arg(bitmapId));
}

bool CSkinDialog::LoadSkin(const char* resourceName, const std::string& fileName) {
    if (resourceName != nullptr) return LoadOwnedBitmap(ResourcePath(resourceName));
    ReleaseSkin();
    const QImage loaded = ReadBitmap(FromAnsi(fileName));
    if (loaded.isNull()) return false;
    return CopySkin(loaded);
}

bool CSkinDialog::CopySkin(const QImage& bitmap) {
    // The copy is made before the current skin goes, so that the window's own skin can be given.
    QImage copy = bitmap.convertToFormat(QImage::Format_RGB32);
    ReleaseSkin();
    if (copy.isNull()) return false;
    SetOwnedSkin(std::move(copy));
    return true;
}

void CSkinDialog::SetSkinBitmap(const QImage* bitmap) {
    // Handing back the current skin keeps it, even an owned one, rather than deleting it first.
    if (bitmap == nullptr || bitmap != m_pSkin) {
        ReleaseSkin();
        if (bitmap == nullptr || bitmap->isNull()) return;
        m_pSkin = bitmap;
    }
    UpdateShape();
}

void CSkinDialog::SetShapeMode(bool fromBitmap) {
    m_bShapeFromBitmap = fromBitmap;
    UpdateShape();
}

void CSkinDialog::SetTransparentColor(QRgb colour) {
    m_crTransparent = colour;
    UpdateShape();
}

void CSkinDialog::UpdateShape() {
    if (!m_bShapeFromBitmap || m_pSkin == nullptr) {
        setMask(QRegion(0, 0, width(), height()));
        return;
    }
    setMask(ShapeRegion(*m_pSkin, m_crTransparent, size()));
}

std::vector<QRect> CSkinDialog::ShapeRuns(const QImage& skin, QRgb transparent, QSize client) {
    std::vector<QRect> runs;
    const int width = std::min(skin.width(), client.width());
    const int height = std::min(skin.height(), client.height());
    if (width <= 0 || height <= 0) return runs;
    const QImage pixels = skin.convertToFormat(QImage::Format_RGB32);
    const QRgb key = transparent & kColourMask;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        int x = 0;
        while (x < width) {
            while (x < width && (row[x] & kColourMask) == key) ++x;
            const int start = x;
            while (x < width && (row[x] & kColourMask) != key) ++x;
            if (x > start) runs.emplace_back(start, y, x - start, 1);
        }
    }
    return runs;
}

QRegion CSkinDialog::ShapeRegion(const QImage& skin, QRgb transparent, QSize client) {
    QRegion region;
    for (const QRect& run : ShapeRuns(skin, transparent, client)) region += run;
    return region;
}

void CSkinDialog::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!OnEraseBkgnd(painter)) QDialog::paintEvent(event);
}

bool CSkinDialog::OnEraseBkgnd(QPainter& painter) {
    if (m_pSkin == nullptr) return false;
    painter.drawImage(QPoint(0, 0), *m_pSkin, rect());
    return true;
}

void CSkinDialog::mousePressEvent(QMouseEvent* event) {
    QDialog::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) OnLButtonDown(event);
}

void CSkinDialog::OnLButtonDown(QMouseEvent* event) {
    if (!m_bDragAnywhere) return;
    event->accept();
    // The window manager moves the window when there is one; otherwise the window follows the
    // mouse itself until the button is released.
    QWindow* handle = isWindow() ? windowHandle() : nullptr;
    if (handle != nullptr && handle->startSystemMove()) return;
    m_drag = DragStart{event->globalPosition().toPoint(), pos()};
}

void CSkinDialog::mouseMoveEvent(QMouseEvent* event) {
    if (m_drag && (event->buttons() & Qt::LeftButton)) {
        move(m_drag->windowPos + event->globalPosition().toPoint() - m_drag->pressGlobal);
        event->accept();
        return;
    }
    m_drag.reset();
    QDialog::mouseMoveEvent(event);
}

void CSkinDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_drag.reset();
    QDialog::mouseReleaseEvent(event);
}

void CSkinDialog::childEvent(QChildEvent* event) {
    QDialog::childEvent(event);
    if (event->polished() && event->child()->isWidgetType()) {
        OnCtlColor(static_cast<QWidget*>(event->child()));
    }
}

void CSkinDialog::OnCtlColor(QWidget* control) {
    // Only labels are made transparent: a slider, like every other control, keeps the
    // background it paints itself.
    if (!m_bTransparentStatics || qobject_cast<QLabel*>(control) == nullptr) return;
    control->setAutoFillBackground(false);
}

void CSkinDialog::ReleaseSkin() {
    m_pSkin = nullptr;
    m_pOwnedSkin.reset();
}

bool CSkinDialog::LoadOwnedBitmap(const QString& path) {
    ReleaseSkin();
    QImage image = ReadBitmap(path);
    if (image.isNull()) return false;
    SetOwnedSkin(std::move(image));
    return true;
}

void CSkinDialog::SetOwnedSkin(QImage image) {
    m_pOwnedSkin = std::make_unique<QImage>(std::move(image));
    m_pSkin = m_pOwnedSkin.get();
    UpdateShape();
}
