// The skinned window: the shape cut from the skin, skin sources and ownership, the painted
// background, the drag by the body and the transparent labels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QTemporaryDir>
#include <initializer_list>
#include <string_view>

#include "app/skin_dialog.h"
#include "platform/ansi_text.h"

namespace {

// '.' is black, '#' white, 'r' almost black (one step of red), 'm' magenta.
QImage Picture(std::initializer_list<std::string_view> rows) {
    static const QRgb kColours[] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(1, 0, 0),
                                    qRgb(255, 0, 255)};
    QImage image(int(rows.begin()->size()), int(rows.size()), QImage::Format_RGB32);
    int y = 0;
    for (std::string_view row : rows) {
        for (int x = 0; x < int(row.size()); ++x) {
            image.setPixel(x, y, kColours[std::string_view(".#rm").find(row[x])]);
        }
        ++y;
    }
    return image;
}

using Runs = std::vector<QRect>;

TEST(SkinShapeTest, OneRectanglePerRunPerRowInsideSkinAndClient) {
    const QImage skin = Picture({".###..##", "........", "##r#mm##"});
    EXPECT_EQ(CSkinDialog::ShapeRuns(skin, qRgb(0, 0, 0), {8, 3}),
              (Runs{{1, 0, 3, 1}, {6, 0, 2, 1}, {0, 2, 8, 1}}));
    // Alpha does not count; any colour can be the cut one.
    EXPECT_EQ(CSkinDialog::ShapeRuns(skin, qRgba(255, 0, 255, 0), {8, 3}),
              (Runs{{0, 0, 8, 1}, {0, 1, 8, 1}, {0, 2, 4, 1}, {6, 2, 2, 1}}));
    // A wider, taller client keeps its extra part outside; a narrower one cuts the skin.
    EXPECT_EQ(CSkinDialog::ShapeRegion(skin, qRgb(0, 0, 0), {20, 9}),
              CSkinDialog::ShapeRegion(skin, qRgb(0, 0, 0), {8, 3}));
    EXPECT_EQ(CSkinDialog::ShapeRuns(skin, qRgb(0, 0, 0), {3, 1}), (Runs{{1, 0, 2, 1}}));
    EXPECT_TRUE(CSkinDialog::ShapeRuns(QImage(), qRgb(0, 0, 0), {6, 5}).empty());
}

TEST(SkinDialogTest, MaskFollowsModeColourAndSkin) {
    const QImage skin = Picture({"..##", "mm##"});
    CSkinDialog dialog;
    dialog.resize(10, 5);
    dialog.SetSkinBitmap(&skin);
    EXPECT_EQ(dialog.mask(), QRegion(0, 0, 10, 5)) << "shape mode is off";
    dialog.SetShapeMode(true);
    EXPECT_EQ(dialog.mask(), QRegion(2, 0, 2, 1) + QRegion(0, 1, 4, 1));
    dialog.SetTransparentColor(qRgb(255, 0, 255));
    const QRegion cutMagenta = QRegion(0, 0, 4, 1) + QRegion(2, 1, 2, 1);
    EXPECT_EQ(dialog.mask(), cutMagenta);
    // A failed load leaves no skin and the last shape; rebuilt without skin, the shape is the
    // whole window.
    EXPECT_FALSE(dialog.LoadSkinResource(4242));
    EXPECT_FALSE(dialog.HasBitmap());
    EXPECT_EQ(dialog.mask(), cutMagenta);
    dialog.UpdateShape();
    EXPECT_EQ(dialog.mask(), QRegion(0, 0, 10, 5));
    ASSERT_TRUE(dialog.LoadSkinResource(133));
    EXPECT_FALSE(dialog.LoadSkin(nullptr, "/no/such/skin.bmp"));
    EXPECT_EQ(dialog.GetSkin(), nullptr);
}

TEST(SkinDialogTest, SkinSourcesAndOwnership) {
    const QImage mine = Picture({"#m", "m#"});
    EXPECT_EQ(CSkinDialog(nullptr, "#134", 137, &mine).GetSkin()->size(), QSize(24, 24));
    EXPECT_EQ(CSkinDialog(nullptr, nullptr, 137, &mine).GetSkin()->size(), QSize(23, 23));

    CSkinDialog dialog(nullptr, nullptr, 0, &mine);
    EXPECT_EQ(dialog.GetSkin(), &mine);
    EXPECT_FALSE(dialog.OwnsBitmap());
    ASSERT_TRUE(dialog.LoadSkinResource(133));
    EXPECT_TRUE(dialog.OwnsBitmap());
    EXPECT_EQ(mine, Picture({"#m", "m#"})) << "a skin the window does not own stays as it was";

    // The window's own skin handed back to it survives.
    const QImage close = *dialog.GetSkin();
    ASSERT_TRUE(dialog.CopySkin(*dialog.GetSkin()));
    EXPECT_EQ(*dialog.GetSkin(), close.convertToFormat(QImage::Format_RGB32));
    dialog.SetSkinBitmap(dialog.GetSkin());
    ASSERT_TRUE(dialog.HasBitmap());
    EXPECT_EQ(*dialog.GetSkin(), close.convertToFormat(QImage::Format_RGB32));

    dialog.SetSkinBitmap(nullptr);
    EXPECT_FALSE(dialog.HasBitmap());
    EXPECT_FALSE(dialog.CopySkin(QImage()));

    // A file's skin is a copy the window owns; the file name is code page 936.
    QTemporaryDir directory;
    const QString path = directory.filePath("皮肤.bmp");
    ASSERT_TRUE(Picture({"#..", "m.#"}).save(path, "BMP"));
    ASSERT_TRUE(dialog.LoadSkin(nullptr, ToAnsi(path)));
    EXPECT_TRUE(dialog.OwnsBitmap());
    EXPECT_EQ(*dialog.GetSkin(), Picture({"#..", "m.#"}));
}

TEST(SkinDialogTest, OrganiserSkinIsCutAlongItsBlackBackgroundAndPainted) {
    CSkinDialog dialog;
    dialog.resize(323, 548);
    ASSERT_TRUE(dialog.LoadSkinResource(129));
    dialog.SetShapeMode(true);
    dialog.SetTransparentColor(qRgb(0, 0, 0));
    EXPECT_FALSE(dialog.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(dialog.mask().contains(QPoint(161, 274)));
    EXPECT_TRUE(QRect(0, 0, 323, 548).contains(dialog.mask().boundingRect()));
    const QImage painted = dialog.grab().toImage();
    EXPECT_EQ(painted.pixel(161, 274), dialog.GetSkin()->pixel(161, 274));
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, widget->mapFromGlobal(global), global, button, buttons, {});
    QApplication::sendEvent(widget, &event);
}

TEST(SkinDialogTest, DragByTheBodyWithoutWindowManager) {
    CSkinDialog dialog;
    auto* label = new QLabel("标签", &dialog);
    dialog.setWindowFlag(Qt::FramelessWindowHint);
    dialog.setGeometry(100, 100, 60, 40);
    dialog.show();
    dialog.m_bDragAnywhere = true;
    SendMouse(label, QEvent::MouseButtonPress, {110, 105}, Qt::LeftButton);
    SendMouse(&dialog, QEvent::MouseMove, {140, 95}, Qt::LeftButton);
    EXPECT_EQ(dialog.pos(), QPoint(130, 90));
    SendMouse(&dialog, QEvent::MouseButtonRelease, {140, 95}, Qt::NoButton);
    SendMouse(&dialog, QEvent::MouseMove, {150, 150}, Qt::NoButton);
    EXPECT_EQ(dialog.pos(), QPoint(130, 90));

    dialog.m_bDragAnywhere = false;
    SendMouse(&dialog, QEvent::MouseButtonPress, {140, 95}, Qt::LeftButton);
    SendMouse(&dialog, QEvent::MouseMove, {170, 125}, Qt::LeftButton);
    EXPECT_EQ(dialog.pos(), QPoint(130, 90));
}

TEST(SkinDialogTest, LabelsShowTheSkinAndSlidersKeepTheirBackground) {
    QImage skin(QSize(40, 40), QImage::Format_RGB32);
    skin.fill(qRgb(200, 0, 0));
    for (bool transparent : {true, false}) {
        CSkinDialog dialog(nullptr, nullptr, 0, &skin);
        dialog.m_bTransparentStatics = transparent;
        auto* label = new QLabel(&dialog);
        auto* slider = new QSlider(&dialog);
        for (QWidget* child : {static_cast<QWidget*>(label), static_cast<QWidget*>(slider)}) {
            child->setAutoFillBackground(true);
            child->setPalette(QPalette(Qt::blue));
        }
        label->setGeometry(0, 0, 20, 20);
        slider->setGeometry(20, 20, 20, 20);
        dialog.resize(40, 40);
        dialog.show();
        const QImage painted = dialog.grab().toImage();
        EXPECT_EQ(painted.pixel(10, 10), transparent ? qRgb(200, 0, 0) : qRgb(0, 0, 255));
        EXPECT_EQ(painted.pixel(slider->geometry().topLeft()), qRgb(0, 0, 255));
    }
}

}  // namespace
