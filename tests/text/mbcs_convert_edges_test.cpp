// Conversions between code page 936 and Unicode at their edges, which every system's converter
// must meet alike: the user-defined codes and the private use area, characters the code page has
// only a look-alike for, characters beyond the basic plane, and texts long enough to be converted
// in runs.
#include <string>

#include <gtest/gtest.h>

#include "text/mbcs.h"

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(MbcsConvertEdges, UserDefinedCodesAndPrivateUseCharactersAreNoCharacters) {
    // 0xAAA1, 0xF8A1 and 0xA140 are user-defined codes; U+E000 and U+E4C6 private use characters.
    EXPECT_EQ(mbcs::ToUtf8("\xAA\xA1"
                           "a\xF8\xA1\xA1\x40"),
              kReplacement + "a" + kReplacement + kReplacement);
    EXPECT_FALSE(mbcs::FromUtf8("\xEE\x80\x80"));
    EXPECT_FALSE(mbcs::FromUtf8("\xEE\x93\x86"));
    EXPECT_EQ(mbcs::FromUtf16(u"\xE000"
                              u"衫\xF8FF"),
              "?\xC9\xC0?");
}

TEST(MbcsConvertEdges, ALookAlikeIsNoForm) {
    // The code page has a plain "a" and "e" but no "ä", and "é" (0xA8A6) but no "ê" with a hook.
    EXPECT_FALSE(mbcs::FromUtf8("ä"));
    EXPECT_FALSE(mbcs::FromUtf8("ế"));
    EXPECT_EQ(mbcs::FromUtf8("é"), "\xA8\xA6");
    EXPECT_EQ(mbcs::FromUtf16(u"äé∞"), "?\xA8\xA6\xA1\xDE");
}

TEST(MbcsConvertEdges, ACharacterBeyondTheBasicPlaneIsOneQuestionMark) {
    EXPECT_EQ(mbcs::FromUtf16(u"衬😀😀衫"), "\xB3\xC4??\xC9\xC0");
    EXPECT_EQ(mbcs::FromUtf16(u"\xD83D\xD83D\xDE00"), "??");
    EXPECT_FALSE(mbcs::FromUtf8("\xF0\x9F\x98\x80"));
    EXPECT_FALSE(mbcs::FromUtf8("\xED\xA0\xBD"));  // a surrogate written as UTF-8
}

TEST(MbcsConvertEdges, EmbeddedNulBytesAreCharacters) {
    const std::string withNul("a\0\xB3\xC4", 4);
    EXPECT_EQ(mbcs::ToUtf8(withNul), std::string("a\0衬", 5));
    EXPECT_EQ(mbcs::FromUtf8(std::string("a\0衬", 5)), withNul);
    EXPECT_EQ(mbcs::FromUtf16(std::u16string(u"a\0衬", 3)), withNul);
}

// Three million bytes: a converter that works in runs of a million or so must cut them between
// characters, also where a cut falls inside one, and must not lose what follows a faulty byte or a
// character it cannot hold.
TEST(MbcsConvertEdges, LongTextsConvertWhole) {
    std::string codePage;
    std::string utf8;
    std::u16string utf16;
    for (int i = 0; i < 3'000'000 / 9; ++i) {
        codePage += "ab\xB3\xC4\xC9\xC0 ";
        utf8 += "ab衬衫 ";
        utf16 += u"ab衬衫 ";
    }
    ASSERT_EQ(mbcs::FromUtf8(utf8), codePage);
    EXPECT_EQ(mbcs::ToUtf8(codePage), utf8);
    EXPECT_EQ(mbcs::FromUtf16(utf16), codePage);

    std::string faulty = codePage;
    std::string repaired = utf8;
    faulty += "\xFF";
    repaired += kReplacement;
    EXPECT_EQ(mbcs::ToUtf8(faulty + codePage), repaired + utf8);
    EXPECT_FALSE(mbcs::FromUtf8(utf8 + "ä"));
    EXPECT_EQ(mbcs::FromUtf16(utf16 + u"😀" + utf16), codePage + "?" + codePage);
}

}  // namespace
