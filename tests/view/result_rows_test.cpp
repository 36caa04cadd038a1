// The HTML of result rows: highlighting on whole characters, replacement without rescanning,
// the headword by the query's language, and the row limit; the near-match line.
#include "view/result_rows.h"

#include <gtest/gtest.h>

#include <deque>

#include "dictionary/dict_entry.h"

namespace {

using resultrows::BuildNearMatchLine;
using resultrows::BuildResultTable;
using resultrows::Highlight;
using resultrows::ReplaceAll;

constexpr const char* kRed = "<font color=#ff0000>";

TEST(ResultRowsTest, HighlightWrapsEveryWholeCharacterOccurrence) {
    EXPECT_EQ(Highlight("check-on-check", "check"),
              std::string(kRed) + "check</font>-on-" + kRed + "check</font>");
    EXPECT_EQ(Highlight("aaa", "aa"), std::string(kRed) + "aa</font>a");
    EXPECT_EQ(Highlight("Shirt", "shirt"), "Shirt") << "the highlight compares bytes exactly";
    // "啊啊" is B0 A1 B0 A1; the bytes A1 B0 (the character “) straddle its two characters.
    EXPECT_EQ(Highlight("\xB0\xA1\xB0\xA1", "\xA1\xB0"), "\xB0\xA1\xB0\xA1");
    EXPECT_EQ(Highlight("\xA1\xB0\xB0\xA1", "\xA1\xB0"),
              std::string(kRed) + "\xA1\xB0</font>\xB0\xA1");
}

TEST(ResultRowsTest, ReplaceAllNeverRescansWhatItPutIn) {
    std::string text = "a-a";
    ReplaceAll(text, "a", "aa");
    EXPECT_EQ(text, "aa-aa");
    ReplaceAll(text, "", "x");
    EXPECT_EQ(text, "aa-aa");
}

TEST(ResultRowsTest, NearMatchLineLinksEachHeadwordEscaped) {
    const std::string style =
        " style='cursor:hand;color:#000099;text-decoration:underline;white-space:nowrap'>";
    EXPECT_EQ(BuildNearMatchLine("Did you mean:", {"T&A", "<b>'\"</b>"}),
              "<p class=NearMatches>Did you mean:<br><a id=NEAR_0" + style +
                  "T&amp;A</a>&nbsp; <a id=NEAR_1" + style +
                  "&lt;b&gt;&#39;&quot;&lt;/b&gt;</a></p>");
    EXPECT_EQ(BuildNearMatchLine("Did you mean:", {}), "");
}

class ResultTableTest : public ::testing::Test {
protected:
    // An entry whose texts the test keeps, as a store keeps its own.
    const CDictEntry& Add(std::string english, std::string chinese) {
        const std::string& englishText = m_texts.emplace_back(std::move(english));
        const std::string& chineseText = m_texts.emplace_back(std::move(chinese));
        m_entries.push_back({englishText, chineseText});
        m_results.push_back(&m_entries.back());
        return m_entries.back();
    }
    std::deque<std::string> m_texts;
    std::deque<CDictEntry> m_entries;
    CResultList m_results;
};

TEST_F(ResultTableTest, HeadwordFollowsTheQueryLanguage) {
    Add("shirt", "\xB3\xC4\xC9\xC0");  // 衬衫
    const std::string rowTemplate = "[$en|$cn|$sord|$speak]";
    EXPECT_EQ(BuildResultTable(m_results, "hir", false, rowTemplate, "/p"),
              std::string("<table>[<b>s") + kRed +
                  "hir</font>t</b>|\xB3\xC4\xC9\xC0|<img src =\"/p/arrow_d.gif\"></img>|"
                  "<img id=IMGSP_0 style='cursor:hand' src='/p/speaker.gif'></img>]</table>");
    EXPECT_EQ(BuildResultTable(m_results, "\xC9\xC0", true, "$en/$cn", "/p"),
              std::string("<table><b>\xB3\xC4") + kRed + "\xC9\xC0</font></b>/shirt</table>");
}

TEST_F(ResultTableTest, AtMostAHundredRows) {
    for (int n = 0; n < 150; ++n) Add("gusset " + std::to_string(n), "x");
    const std::string table = BuildResultTable(m_results, "gusset", false, "$speak", "");
    EXPECT_NE(table.find("IMGSP_99 "), std::string::npos);
    EXPECT_EQ(table.find("IMGSP_100"), std::string::npos);
    EXPECT_EQ(BuildResultTable({}, "x", false, "$speak", ""), "<table></table>");
}

}  // namespace
