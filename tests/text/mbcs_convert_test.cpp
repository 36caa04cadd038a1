// Conversions between code page 936 and UTF-8 / UTF-16.
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "text/mbcs.h"

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(MbcsFromUtf8, RoundTripsGarmentWords) {
    const std::string words = "衬衫 shirt, 纽扣 button, 拉链 zipper";
    const std::optional<std::string> codePage = mbcs::FromUtf8(words);
    ASSERT_TRUE(codePage);
    EXPECT_EQ(*codePage,
              "\xB3\xC4\xC9\xC0 shirt, \xC5\xA6\xBF\xDB button, \xC0\xAD\xC1\xB4 zipper");
    EXPECT_EQ(mbcs::ToUtf8(*codePage), words);
    EXPECT_EQ(mbcs::FromUtf8(""), std::string());
}

TEST(MbcsFromUtf8, RejectsInvalidUtf8AndCharactersOutsideTheCodePage) {
    EXPECT_FALSE(mbcs::FromUtf8("bad \xC3\x28"));
    EXPECT_FALSE(mbcs::FromUtf8("\xFF"));
    EXPECT_FALSE(mbcs::FromUtf8("cut \xE8\xA1"));
    EXPECT_FALSE(mbcs::FromUtf8("\xC0\xAF"));  // overlong '/'
    EXPECT_FALSE(mbcs::FromUtf8("shirt 😀"));
    EXPECT_FALSE(mbcs::FromUtf8("ก"));
}

TEST(MbcsFromUtf16, ConvertsAndReplacesWhatTheCodePageLacks) {
    EXPECT_EQ(mbcs::FromUtf16(u"衬衫"), "\xB3\xC4\xC9\xC0");
    EXPECT_EQ(mbcs::FromUtf16(u"A\xD800"
                              u"B"),
              "A?B");
    EXPECT_EQ(mbcs::FromUtf16(u"\xDC00"
                              u"衫"),
              "?\xC9\xC0");
    EXPECT_EQ(mbcs::FromUtf16(u"A\xD83D"), "A?");
    EXPECT_EQ(mbcs::FromUtf16(u"ก😀z"), "??z");
}

TEST(MbcsToUtf8, ReplacesInvalidSequencesWithoutStalling) {
    EXPECT_EQ(mbcs::ToUtf8("A\x81"), "A" + kReplacement);
    EXPECT_EQ(mbcs::ToUtf8("\xFF"
                           "a"),
              kReplacement + "a");
    EXPECT_EQ(mbcs::ToUtf8("\x80"), "€");
    // A stray lead byte before an ASCII character keeps the character.
    EXPECT_EQ(mbcs::ToUtf8("\xB3 ok"), kReplacement + " ok");
    // A user-defined code has no character: one replacement for both bytes.
    EXPECT_EQ(mbcs::ToUtf8("\xAA\xA1\xB3\xC4"), kReplacement + "衬");
}

// Texts of many MiB made mostly of what cannot be converted. The conversions are linear, so
// these take a second or so; work that grew with the square of the length would take hours and
// run past the test's time limit.
TEST(MbcsConvert, LongTextsOfUnconvertibleCharactersConvertInOnePass) {
    constexpr std::size_t kLength = 8 * 1024 * 1024;
    std::u16string wide(kLength, u'\u0E01');
    wide[kLength / 2] = u'衬';
    std::string expected(kLength, '?');
    expected.replace(kLength / 2, 1, "\xB3\xC4");
    EXPECT_EQ(mbcs::FromUtf16(wide), expected);

    std::string narrow(kLength, '\xFF');
    narrow.replace(kLength / 2, 2, "\xB3\xC4");
    const std::string utf8 = mbcs::ToUtf8(narrow);
    ASSERT_EQ(utf8.size(), 3 * (kLength - 2) + 3);
    EXPECT_EQ(utf8.substr(3 * (kLength / 2) - 3, 9), kReplacement + "衬" + kReplacement);
}

TEST(MbcsConvert, CharactersSplitAcrossTheConvertersPiecesStayWhole) {
    // Every offset of a double-byte or a four-byte character, in texts longer than any piece.
    std::string words;
    std::u16string wide;
    for (int i = 0; i < 3000; ++i) {
        words += i % 2 ? "a衬衫" : "纽扣zip";
        wide += i % 2 ? u"a😀衬" : u"衫x";
    }
    const std::optional<std::string> codePage = mbcs::FromUtf8(words);
    ASSERT_TRUE(codePage);
    EXPECT_EQ(mbcs::ToUtf8(*codePage), words);
    std::string expected;
    for (int i = 0; i < 3000; ++i) expected += i % 2 ? "a?\xB3\xC4" : "\xC9\xC0x";
    EXPECT_EQ(mbcs::FromUtf16(wide), expected);
}

TEST(MbcsConvert, ConvertsOnManyThreadsAtOnce) {
    const std::string words = "衬衫 纽扣 拉链";
    std::vector<std::thread> threads;
    std::vector<int> failures(4);
    for (int& failed : failures) {
        threads.emplace_back([&words, &failed] {
            for (int round = 0; round < 500; ++round) {
                const std::optional<std::string> codePage = mbcs::FromUtf8(words);
                failed += !codePage || mbcs::ToUtf8(*codePage) != words ||
                          mbcs::FromUtf16(u"衬衫") != "\xB3\xC4\xC9\xC0";
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(failures, std::vector<int>(4));
}

}  // namespace
