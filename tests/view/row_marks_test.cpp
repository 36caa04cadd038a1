// The word book's star and the own terms' tag in the result rows.
#include <gtest/gtest.h>

#include "dictionary/dict_entry.h"
#include "text/mbcs.h"
#include "view/result_rows.h"
#include "view/row_marks.h"

namespace {

std::string Gbk(std::string_view utf8) {
    return mbcs::FromUtf8(utf8).value();
}

TEST(RowMarksTest, TheStarNamesItsRowAndShowsWhetherTheEntryIsKept) {
    EXPECT_EQ(resultrows::StarHtml(7, false, "gdict://app/pictures"),
              "<img id=IMGST_7 class=Star style='cursor:hand' title='" + Gbk("加入生词本") +
                  "' src='gdict://app/pictures/star_off.gif'></img>");
    EXPECT_EQ(resultrows::StarImagePath(true, "/p"), "/p/star_on.gif");
    EXPECT_EQ(resultrows::StarTitle(true), Gbk("移出生词本"));
    EXPECT_NE(resultrows::OwnTermTagHtml().find(Gbk("我的")), std::string::npos);

    const struct {
        const char* id;
        std::size_t row;
    } cases[] = {
        {"IMGST_0", 0},
        {"IMGST_99", 99},
        {"IMGST_", std::string_view::npos},
        {"IMGST_1x", std::string_view::npos},
        {"IMGST_-1", std::string_view::npos},
        {"IMGSP_3", std::string_view::npos},
        {"IMGST_99999999999999999999999", std::string_view::npos},
    };
    for (const auto& c : cases) EXPECT_EQ(resultrows::StarRow(c.id), c.row) << c.id;
}

// A row of the own terms carries the tag after its headword; the rows that the word book's
// flags reach carry a star after the speaker, the others none.
TEST(RowMarksTest, RowsCarryTheTagOfAnOwnTermAndTheStarOfTheirFlag) {
    const std::string ownChinese = Gbk("公司领型");
    const std::string chinese = Gbk("领子");
    CDictEntry own;
    own.english = "collar";
    own.chinese = ownChinese;
    CDictEntry dictionary;
    dictionary.english = "collar";
    dictionary.chinese = chinese;
    CRankedResults results;
    results.forms = {"collar"};
    results.rows = {{&own, 0, CMatchGroup::exact, true},
                    {&dictionary, 0, CMatchGroup::exact, false}};
    const std::string table =
        resultrows::BuildResultTable(results, false, "[$en|$speak]", "/p", {true});
    const std::size_t tag = table.find(resultrows::OwnTermTagHtml());
    ASSERT_NE(tag, std::string::npos);
    EXPECT_EQ(table.find(resultrows::OwnTermTagHtml(), tag + 1), std::string::npos);
    EXPECT_LT(tag, table.find("IMGSP_0"));
    EXPECT_NE(table.find("speaker.gif'></img><img id=IMGST_0 "), std::string::npos);
    EXPECT_NE(table.find("/p/star_on.gif"), std::string::npos);
    EXPECT_EQ(table.find("IMGST_1"), std::string::npos);
    EXPECT_NE(resultrows::BuildResultTable(results, false, "$speak", "/p", {true, false})
                  .find("<img id=IMGST_1 class=Star style='cursor:hand' title='" +
                        Gbk("加入生词本") + "' src='/p/star_off.gif'>"),
              std::string::npos);
}

// An own term may come from anyone's file: its texts show as text, the query's mark still on them.
TEST(RowMarksTest, AnOwnTermShowsAsTextNeverAsMarkup) {
    CDictEntry own;
    own.english = "<b id=BUTTON_CLOSE>a&b</b>";
    own.chinese = "<img src=x>";
    CRankedResults results;
    results.forms = {"a&b"};
    results.rows = {{&own, 0, CMatchGroup::inside, true}};
    const std::string table = resultrows::BuildResultTable(results, false, "[$en|$cn]", "/p", {});
    EXPECT_EQ(table.find("<b id="), std::string::npos) << table;
    EXPECT_EQ(table.find("<img src=x>"), std::string::npos) << table;
    EXPECT_NE(table.find("&lt;b id=BUTTON_CLOSE&gt;<font color=#ff0000>a&amp;b</font>"),
              std::string::npos)
        << table;
    EXPECT_NE(table.find("&lt;img src=x&gt;"), std::string::npos) << table;
}

}  // namespace
