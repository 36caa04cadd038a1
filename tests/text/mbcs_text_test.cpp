// Folding and searching code page 936 text one whole character at a time.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "text/mbcs.h"

namespace {

using mbcs::FindOnBoundary;

std::string Folded(std::string text) {
    mbcs::FoldToLower(text);
    return text;
}

TEST(MbcsFoldToLower, FoldsOnlyAsciiCapitalsAmongSingleBytes) {
    EXPECT_EQ(Folded("Cotton SHIRT @[`{ 09"), "cotton shirt @[`{ 09");
    EXPECT_EQ(Folded("\x80\xFF"), "\x80\xFF");
}

TEST(MbcsFoldToLower, FoldsDoubleByteCapitalsAndKeepsChinese) {
    // Full-width "T" + "恤" (T-shirt), Greek Omega, Cyrillic Ya, Roman numeral one.
    EXPECT_EQ(Folded("\xA3\xD4\xD0\xF4"), "\xA3\xF4\xD0\xF4");
    EXPECT_EQ(Folded("\xA6\xB8\xA7\xC1\xA2\xF1"), "\xA6\xD8\xA7\xF1\xA2\xA1");
    // 衬衫 纽扣 拉链
    const std::string chinese = "\xB3\xC4\xC9\xC0 \xC5\xA6\xBF\xDB \xC0\xAD\xC1\xB4";
    EXPECT_EQ(Folded(chinese), chinese);
}

TEST(MbcsFoldToLower, LeavesTrailBytesThatLookLikeCapitals) {
    EXPECT_EQ(Folded("\x81\x41"), "\x81\x41");
    EXPECT_EQ(Folded("\x81\x41\x41"), "\x81\x41\x61");
    EXPECT_EQ(Folded("\xA3\xC1\x41"), "\xA3\xE1\x61");
}

TEST(MbcsFoldToLower, KeepsALeadByteAtTheEnd) {
    EXPECT_EQ(Folded("A\xA3"), "a\xA3");
    EXPECT_EQ(Folded("\xA3\xC1\xA3"), "\xA3\xE1\xA3");
}

TEST(MbcsFindOnBoundary, DoesNotMatchAcrossTwoCharacters) {
    // 共 (B9 B2) then 脊 (BC B9) hold the bytes of 布 (B2 BC) from the middle of 共.
    const std::string text = "\xB9\xB2\xBC\xB9";
    const std::string cloth = "\xB2\xBC";
    EXPECT_EQ(FindOnBoundary(text, cloth), std::string::npos);
    EXPECT_EQ(FindOnBoundary(text + cloth, cloth), 4u);
}

TEST(MbcsFindOnBoundary, DoesNotStartAtATrailByte) {
    // 亅 is 81 7C: its trail byte is '|'.
    const std::string text = "\x81\x7C||";
    EXPECT_EQ(FindOnBoundary(text, "|||"), std::string::npos);
    EXPECT_EQ(FindOnBoundary(text, "||"), 2u);
    EXPECT_EQ(FindOnBoundary(text, "\x81\x7C|"), 0u);
}

TEST(MbcsFindOnBoundary, HandlesTheEdgesOfTheText) {
    EXPECT_EQ(FindOnBoundary("zip", ""), 0u);
    EXPECT_EQ(FindOnBoundary("", ""), 0u);
    EXPECT_EQ(FindOnBoundary("zip", "zipper"), std::string::npos);
    EXPECT_EQ(FindOnBoundary("zipper", "per"), 3u);
    EXPECT_EQ(FindOnBoundary("zip\xC0\xAD\xC1\xB4", "\xC1\xB4"), 5u);
    EXPECT_EQ(FindOnBoundary("ab\xA3", "\xA3"), 2u);
    EXPECT_EQ(FindOnBoundary("button", "Button"), std::string::npos);
}

TEST(MbcsCharStarts, AgreesWithSteppingFromTheStart) {
    // Bytes that end a character whatever comes before them, lead bytes, and trail bytes that
    // are lead bytes too, in long runs and short.
    const std::string alphabet("\0|a\x80\xFF\x81\xA3\xC1\xFE", 9);
    std::mt19937 random(3);
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 60 + 1, ' ');
        const std::size_t kinds = random() % 2 ? alphabet.size() : 4;  // often only lead bytes
        for (char& c : text) c = alphabet[alphabet.size() - 1 - random() % kinds];
        std::vector<bool> starts(text.size(), false);
        for (std::size_t pos = 0; pos < text.size(); pos += mbcs::CharLength(text, pos)) {
            starts[pos] = true;
        }
        mbcs::CharStarts asked(text);
        for (std::size_t pos = random() % 3; pos < text.size(); pos += random() % 4) {
            ASSERT_EQ(asked.IsStart(pos), starts[pos])
                << "round " << round << " pos " << pos << " in " << ::testing::PrintToString(text);
        }
    }
}

TEST(MbcsReplaceAll, NeverRescansWhatItPutIn) {
    std::string text = "a-a";
    mbcs::ReplaceAll(text, "a", "aa");
    EXPECT_EQ(text, "aa-aa");
    mbcs::ReplaceAll(text, "", "x");
    EXPECT_EQ(text, "aa-aa");
}

}  // namespace
