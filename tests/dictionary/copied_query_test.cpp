// Which copied texts are looked up, and the query each gives: trimming, one line, the length in
// characters, English or Chinese only, and the characters the dictionary writes otherwise.
#include "dictionary/copied_query.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "text/mbcs.h"

namespace {

TEST(CopiedQueryTest, LooksUpOneShortLineOfEnglishOrChinese) {
    const std::string sixtyFour(64, 'a');
    const std::string sixtyFourChinese = [] {
        std::string text;
        for (int i = 0; i < 64; ++i) text += "衬";
        return text;
    }();
    const struct {
        std::string copied;
        std::optional<std::string> query;  // UTF-8; nullopt: no look-up
    } cases[] = {
        {"interlining", "interlining"},
        {"  interlining\r\n", "interlining"},
        {"\tfusible   interlining \n\n", "fusible interlining"},
        {"拉链", "拉链"},
        {"\u3000拉链\u3000", "拉链"},
        {"T恤", "T恤"},
        {"women\u2019s \u201Cslim\u201D fit", "women's \"slim\" fit"},
        {"anti\u2011pilling", "anti-pilling"},
        {"200 gsm", "200 gsm"},
        {"40\u00B0C wash", "40\u00B0C wash"},
        {"无纺衬，白色", "无纺衬，白色"},
        {"C&F", "C&F"},
        {"<b>collar</b>", "<b>collar</b>"},
        {"x", "x"},
        {sixtyFour, sixtyFour},
        {sixtyFourChinese, sixtyFourChinese},
        // Nothing to look up.
        {"", std::nullopt},
        {" \r\n\t", std::nullopt},
        {"12345", std::nullopt},
        {"2024-05-01", std::nullopt},
        {"!!!", std::nullopt},
        // More than one line, or cells of a spreadsheet row.
        {"collar\ncuff", std::nullopt},
        {"collar\r\n\r\ncuff", std::nullopt},
        {"collar\tcuff", std::nullopt},
        {"collar\u2028cuff", std::nullopt},
        // Too long once trimmed.
        {sixtyFour + "a", std::nullopt},
        {"a " + std::string(62, 'b') + " c", std::nullopt},
        // Other scripts, control characters and bytes that are no UTF-8.
        {"café", std::nullopt},
        {"воротник", std::nullopt},
        {"えり", std::nullopt},
        {"coll\001ar", std::nullopt},
        {"coll\303ar", std::nullopt},
        {"\xC0\xAF", std::nullopt},
        {std::string("coll\0ar", 7), std::nullopt},
        {"\xED\xA0\x80", std::nullopt},
        {"collar\xF0\x9F\x91\x94", std::nullopt},
    };
    for (const auto& [copied, query] : cases) {
        const std::optional<std::string> expected =
            query ? mbcs::FromUtf8(*query) : std::optional<std::string>();
        ASSERT_TRUE(!query || expected) << copied;
        EXPECT_EQ(CopiedQuery(copied), expected) << copied;
    }
}

TEST(CopiedQueryTest, AWholeDocumentIsNoLookUp) {
    std::string document;
    for (int i = 0; i < 200000; ++i) document += "collar and cuff\n";
    EXPECT_EQ(CopiedQuery(document), std::nullopt);
    EXPECT_EQ(CopiedQuery(std::string(1000000, ' ') + "collar" + std::string(1000000, '\n')),
              mbcs::FromUtf8("collar"));
}

}  // namespace
