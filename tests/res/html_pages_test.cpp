// The stored HTML pages: GB2312 text holding what the dictionary page and the online page need.
#include <string>

#include <gtest/gtest.h>

#include "tests/res/resource_files.h"
#include "text/mbcs.h"

namespace {

constexpr auto npos = std::string::npos;

std::string Gb(const char* utf8) {
    return mbcs::FromUtf8(utf8).value();
}

TEST(HtmlPagesTest, DictionaryPageTemplate) {
    const std::string page = ReadResource("html/103.html");
    EXPECT_EQ(mbcs::ToUtf8(page).find("\xEF\xBF\xBD"), npos) << "bytes outside the code page";
    EXPECT_NE(page.find("charset=gb2312"), npos);
    EXPECT_NE(page.find(Gb("<title>服装词典</title>")), npos);
    EXPECT_NE(page.find(Gb("请输入:<input type=\"text\" name=\"TxtBoxFind\"")), npos);
    for (const char* id : {"table1", "table3", "table4", "TxtBoxFind", "CAPTION_GO", "TDDIVPARENT",
                           "DivDictView", "TD_DICT_ITEM"}) {
        EXPECT_NE(page.find("id=\"" + std::string(id) + "\""), npos) << id;
    }
    EXPECT_NE(page.find("imput.PDA    { border:0; }"), npos);
    EXPECT_NE(page.find("scrollbar-arrow-color:  #000099;"), npos);
    EXPECT_NE(page.find("td.DictItem { margin:-6 15; font-size: 9pt; color: #333333; "
                        "text-indent:1; line-height:100% }"),
              npos);
    EXPECT_NE(page.find("style=\"width:267px;height:309px;OVERFLOW:auto\""), npos);

    const std::string script = std::string("<script language=\"javascript\" src=\"https://") +
                               GDICT_PUBLISHER_HOST +
                               "/kbase/dictscript.aspx?ver=$ver&timer=21\"></script>";
    const std::size_t cell = page.find("id=\"TD_DICT_ITEM\"");
    ASSERT_NE(cell, npos);
    EXPECT_EQ(page.find(script), page.find('>', cell) + 1) << "the results cell holds the script";
}

TEST(HtmlPagesTest, OnlinePage) {
    const std::string page = ReadResource("html/104.html");
    EXPECT_NE(page.find("charset=gb2312"), npos);
    EXPECT_NE(page.find(Gb("<title>在线</title>")), npos);
    EXPECT_NE(page.find("<body id=\"CDlgOnline\" style=\"background-color: #e0e0e0\">"), npos);
}

}  // namespace
