// A dictionary text split into its term and its trailing note.
#include <gtest/gtest.h>

#include "dictionary/term_note.h"
#include "text/mbcs.h"

namespace {

TEST(TermNoteTest, SplitsTheTrailingBracketOnly) {
    const struct {
        const char* text;
        const char* term;
        const char* note;
        const char* bracketed;
    } cases[] = {
        {"拷边（车间用语）", "拷边", "车间用语", "（车间用语）"},
        {"侧比 （文胸）", "侧比", "文胸", " （文胸）"},
        {"75旦72孔（75D/72F）", "75旦72孔", "75D/72F", "（75D/72F）"},
        {"测试（方法（旧））", "测试", "方法（旧）", "（方法（旧））"},
        {"DTY (draw textured yarn)", "DTY", "draw textured yarn", " (draw textured yarn)"},
        {"面料（）", "面料", "", "（）"},          // empty brackets are a note all the same
        {"（车间用语）", "（车间用语）", "", ""},  // no term before it
        {"a(b)", "a(b)", "", ""},                  // a half-width bracket after no space
        {"测试（旧）值", "测试（旧）值", "", ""},  // not at the end
        {"测试）（旧）", "测试）（旧）", "", ""},  // brackets that do not pair up
        {"测试（旧", "测试（旧", "", ""},
        {"衬衫", "衬衫", "", ""},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        const std::string text = mbcs::FromUtf8(c.text).value();
        const CTermNote split = SplitNote(text);
        EXPECT_EQ(mbcs::ToUtf8(split.term), c.term) << c.text;
        EXPECT_EQ(mbcs::ToUtf8(split.note), c.note) << c.text;
        EXPECT_EQ(mbcs::ToUtf8(split.bracketed), c.bracketed) << c.text;
        EXPECT_EQ(split.term.data(), text.data());
    }
}

TEST(TermNoteTest, TrailBytesAreNoBrackets) {
    // B0 A3 and A8 A3 are characters: the A3 A9 at the end is no "）", as its A3 is a trail byte.
    const std::string text = "\xB0\xA3\xA8\xA3\xA9";
    EXPECT_EQ(SplitNote(text).term, text);
    EXPECT_EQ(SplitNote("\xA3\xA3\xA9").term, "\xA3\xA3\xA9");
}

}  // namespace
