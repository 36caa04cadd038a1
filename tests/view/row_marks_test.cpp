// The word book's star and the own terms' tag in the result rows.
#include <gtest/gtest.h>

#include "text/mbcs.h"
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

}  // namespace
