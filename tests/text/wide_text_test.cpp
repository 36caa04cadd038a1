// Windows: the system's UTF-16 texts and names and the program's UTF-8 ones.
#include <gtest/gtest.h>

#include "text/wide_text.h"

namespace {

TEST(WideText, ConvertsBothWays) {
    const struct {
        const char* utf8;
        const wchar_t* wide;
    } cases[] = {
        {"", L""},
        {"shirt", L"shirt"},
        {"服装 词典\\衬衫.dat", L"服装 词典\\衬衫.dat"},
        {"👕 T恤", L"\xD83D\xDC55 T恤"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WideFromUtf8(c.utf8), c.wide) << c.utf8;
        EXPECT_EQ(Utf8FromWide(c.wide), c.utf8) << c.utf8;
    }
}

TEST(WideText, FaultsBecomeReplacementCharacters) {
    EXPECT_EQ(WideFromUtf8("a\xC3(b"), L"a\xFFFD(b");
    EXPECT_EQ(WideFromUtf8("cut \xE8\xA1"), L"cut \xFFFD");
    EXPECT_EQ(Utf8FromWide(L"a\xD800"
                           L"b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(Utf8FromWide(L"\xDC00"), "\xEF\xBF\xBD");
}

}  // namespace
