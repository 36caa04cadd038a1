// The small services of the desktop layer: key codes and page paths.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "platform/page_path.h"
#include "platform/virtual_key.h"

namespace {

unsigned Code(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return VirtualKeyOf(QKeyEvent(QEvent::KeyPress, key, modifiers));
}

TEST(VirtualKeyTest, KeysHaveTheirDesktopCodes) {
    EXPECT_EQ(Code(Qt::Key_N, Qt::ControlModifier), 0x4Eu);
    EXPECT_EQ(Code(Qt::Key_7), 0x37u);
    EXPECT_EQ(Code(Qt::Key_7, Qt::KeypadModifier), 0x67u);
    EXPECT_EQ(Code(Qt::Key_F1), 0x70u);
    EXPECT_EQ(Code(Qt::Key_F12), 0x7Bu);
    EXPECT_EQ(Code(Qt::Key_Escape), 0x1Bu);
    EXPECT_EQ(Code(Qt::Key_Help), 0x2Fu);
    EXPECT_EQ(Code(Qt::Key_Enter), 0x0Du);
    EXPECT_EQ(Code(Qt::Key_Right, Qt::AltModifier), 0x27u);
    EXPECT_EQ(Code(Qt::Key_Question), 0xBFu);
    EXPECT_EQ(Code(Qt::Key_Launch0), 0u);
}

TEST(PagePathTest, PathsAreNamedInTheCodePageOrAsAddresses) {
    EXPECT_EQ(PagePath("/opt/garment dict/go.gif"), "/opt/garment dict/go.gif");
    EXPECT_EQ(PagePath("/opt/词典/go.gif"), "/opt/\xB4\xCA\xB5\xE4/go.gif");
    // Hangul has no place in code page 936.
    EXPECT_EQ(PagePath("/opt/사전/go.gif"), "file:///opt/%EC%82%AC%EC%A0%84/go.gif");
}

}  // namespace
