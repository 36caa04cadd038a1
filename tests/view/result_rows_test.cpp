// The HTML of result rows: highlighting on whole characters, replacement without rescanning,
// the headword by the query's language, the form that found a row, notes apart, and the row
// limit; the near-match line and the line of a measurement's conversions.
#include "view/result_rows.h"

#include <gtest/gtest.h>

#include <deque>

#include "dictionary/dict_entry.h"

namespace {

using resultrows::BuildMeasurementLine;
using resultrows::BuildNearMatchLine;
using resultrows::BuildResultTable;
using resultrows::Highlight;

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
    // The entries added, in that order, as found by query.
    CRankedResults Ranked(std::string_view query) const {
        CRankedResults ranked{{std::string(query)}, {}};
        for (const CDictEntry* entry : m_results) {
            ranked.rows.push_back({entry, 0, CMatchGroup::prefix, false});
        }
        return ranked;
    }
    std::deque<std::string> m_texts;
    std::deque<CDictEntry> m_entries;
    CResultList m_results;
};

TEST_F(ResultTableTest, HeadwordFollowsTheQueryLanguage) {
    Add("shirt", "\xB3\xC4\xC9\xC0");  // 衬衫
    const std::string rowTemplate = "[$en|$cn|$sord|$speak]";
    EXPECT_EQ(BuildResultTable(Ranked("hir"), false, rowTemplate, "/p"),
              std::string("<table>[<b>s") + kRed +
                  "hir</font>t</b>|\xB3\xC4\xC9\xC0|<img src =\"/p/arrow_d.gif\"></img>|"
                  "<img id=IMGSP_0 style='cursor:hand' src='/p/speaker.gif'></img>]</table>");
    EXPECT_EQ(BuildResultTable(Ranked("\xC9\xC0"), true, "$en/$cn", "/p"),
              std::string("<table><b>\xB3\xC4") + kRed + "\xC9\xC0</font></b>/shirt</table>");
}

TEST_F(ResultTableTest, AtMostAHundredRows) {
    for (int n = 0; n < 150; ++n) Add("gusset " + std::to_string(n), "x");
    const std::string table = BuildResultTable(Ranked("gusset"), false, "$speak", "");
    EXPECT_NE(table.find("IMGSP_99 "), std::string::npos);
    EXPECT_EQ(table.find("IMGSP_100"), std::string::npos);
    EXPECT_EQ(BuildResultTable(CRankedResults{{"x"}, {}}, false, "$speak", ""), "<table></table>");
}

TEST_F(ResultTableTest, EachRowMarksItsFormAndShowsTheNoteApart) {
    Add("T-shirt", "T\xD0\xF4");  // T恤
    Add("overlock",
        "\xBF\xBD\xB1\xDF\xA3\xA8\xB3\xB5\xBC\xE4\xD3\xC3\xD3\xEF\xA3\xA9");  // 拷边（车间用语）
    CRankedResults ranked = Ranked("t shirt");
    ranked.forms.push_back("T-shirt");
    ranked.rows[0].form = 1;
    const std::string note = "<span class=Note style='color:#999999;font-size:8pt'>";
    EXPECT_EQ(BuildResultTable(ranked, false, "[$en|$cn]", ""),
              std::string("<table>[<b>") + kRed + "T-shirt</font></b>|T\xD0\xF4][<b>overlock</b>|" +
                  "\xBF\xBD\xB1\xDF" + note +
                  "\xA3\xA8\xB3\xB5\xBC\xE4\xD3\xC3\xD3\xEF\xA3\xA9</span>]</table>");
    // A Chinese query: the note after the bold headword, never in red, though the query is in it.
    EXPECT_EQ(
        BuildResultTable(CRankedResults{{"\xB3\xB5\xBC\xE4"}, {ranked.rows[1]}}, true, "$en", ""),
        "<table><b>\xBF\xBD\xB1\xDF</b>" + note +
            "\xA3\xA8\xB3\xB5\xBC\xE4\xD3\xC3\xD3\xEF\xA3\xA9</span></table>");
}

TEST(ResultRowsTest, MeasurementLineInCodePage936) {
    const std::string line = "<div class=Measurement style='padding-bottom:6px'>";
    EXPECT_EQ(BuildMeasurementLine({"200 g/m\u00b2 = 5.90 oz/yd\u00b2", "a < b & c"}),
              line + "200 g/m&#178; = 5.90 oz/yd&#178;<br>a &lt; b &amp; c</div>");
    EXPECT_EQ(BuildMeasurementLine({"\xB2\xFF"}), line + "&#65533;&#65533;</div>");
    EXPECT_EQ(BuildMeasurementLine({}), "");
}

}  // namespace
