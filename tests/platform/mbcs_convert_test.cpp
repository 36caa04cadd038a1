// Conversions between code page 936 and UTF-8 / UTF-16.
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/mbcs.h"

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
