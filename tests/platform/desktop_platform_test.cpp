// The small services of the desktop layer: key codes and page addresses.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "files/program_directory.h"
#include "pagehost/page_path.h"
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

TEST(PagePathTest, ProgramFilesAreNamedOnTheProgramsOriginWhateverTheirNames) {
    const std::string directory = GetProgramDirectory();
    EXPECT_EQ(PagePath(directory), "gdict://app/pictures");
    EXPECT_EQ(PagePath(directory + "/go.gif"), "gdict://app/pictures/go.gif");
    EXPECT_EQ(PagePath(directory + "/it's \"1\" #2 ?3% 词.gif"),
              "gdict://app/pictures/it%27s%20%221%22%20%232%20%3F3%25%20%E8%AF%8D.gif");
    // A folder whose name begins like the program's is another folder.
    EXPECT_NE(PagePath(directory + "x/go.gif"), "gdict://app/pictures/go.gif");
}

}  // namespace
