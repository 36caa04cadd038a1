// The look-up popup's answer and HTML: the page's ranking cut to five rows, English rows that
// only hold the text inside a word left out, measurements, escaping of every text, the marks,
// the stars and the links.
#include "view/popup_rows.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/dict_store.h"
#include "text/mbcs.h"
#include "view/entry_stars.h"

namespace {

using popuprows::BuildPopupHtml;
using popuprows::CPopupAnswer;
using popuprows::LinkRow;
using popuprows::LookUp;
using Pairs = std::vector<std::pair<std::string, std::string>>;

std::string Cp936(std::string_view utf8) {
    return mbcs::FromUtf8(utf8).value();
}

void Fill(CDictStore& store, const Pairs& pairs) {
    for (const auto& [english, chinese] : pairs) store.AddEntry(Cp936(english), Cp936(chinese));
}

// The English texts of the rows, UTF-8.
std::vector<std::string> Englishes(const CPopupAnswer& answer) {
    std::vector<std::string> texts;
    for (const CRankedRow& row : answer.ranked.rows)
        texts.push_back(mbcs::ToUtf8(row.entry->english));
    return texts;
}

class StarsOf : public CEntryStars {
public:
    explicit StarsOf(std::set<std::string> kept) : m_kept(std::move(kept)) {}
    bool IsStarred(std::string_view english, std::string_view) const override {
        return m_kept.count(std::string(english)) != 0;
    }
    bool Toggle(std::string_view, std::string_view) override { return false; }

private:
    std::set<std::string> m_kept;
};

class PopupRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Fill(m_dictionary, {{"interlining", "衬布"},
                            {"lining", "里布"},
                            {"lining fabric", "里料"},
                            {"pocket lining", "袋布"},
                            {"sleeve lining", "袖里"},
                            {"lining (of a bag)", "里布（箱包）"},
                            {"body lining", "身里"},
                            {"hood lining", "帽里"},
                            {"invisible zipper", "隐形拉链"},
                            {"zipper", "拉链"},
                            {"leather", "皮革"},
                            {"shirt collar", "衬衫领"},
                            // The byte before "tape" is the trail byte of 乤, not a letter.
                            {"乤tape", "乤带"}});
    }
    CDictStore m_dictionary;
};

TEST_F(PopupRowsTest, TheRankingCutToFiveRowsWithoutWordsTheTextIsOnlyInside) {
    const struct {
        const char* query;
        std::vector<std::string> rows;
    } cases[] = {
        {"lining",
         {"lining", "lining (of a bag)", "lining fabric", "pocket lining", "sleeve lining"}},
        {"LINING FABRIC", {"lining fabric"}},
        {"linings",
         {"lining", "lining (of a bag)", "lining fabric", "pocket lining", "sleeve lining"}},
        {"ather", {}},
        {"tape", {"乤tape"}},
        {"拉链", {"zipper", "invisible zipper"}},
        {"布", {"interlining", "lining", "pocket lining", "lining (of a bag)"}},
        {"nothing like it", {}},
    };
    for (const auto& [query, rows] : cases) {
        EXPECT_EQ(Englishes(LookUp(m_dictionary, nullptr, Cp936(query))), rows) << query;
    }
}

TEST_F(PopupRowsTest, OwnTermsComeFirstAndMeasurementsAnswer) {
    CDictStore own;
    Fill(own, {{"lining", "我们的里布"}});
    const CPopupAnswer withOwn = LookUp(m_dictionary, &own, "lining");
    ASSERT_EQ(withOwn.ranked.rows.size(), 5u);
    EXPECT_TRUE(withOwn.ranked.rows[0].ownTerm);
    EXPECT_EQ(mbcs::ToUtf8(withOwn.ranked.rows[0].entry->chinese), "我们的里布");
    EXPECT_NE(BuildPopupHtml(withOwn, nullptr, {}).find("[我的]"), std::string::npos);

    const CPopupAnswer measurement = LookUp(m_dictionary, nullptr, "200 gsm");
    EXPECT_FALSE(measurement.empty());
    EXPECT_TRUE(measurement.ranked.rows.empty());
    EXPECT_NE(BuildPopupHtml(measurement, nullptr, {}).find("200 g/m² = 5.90 oz/yd²"),
              std::string::npos);
    EXPECT_TRUE(LookUp(m_dictionary, nullptr, "ather").empty());
}

TEST(PopupHtmlTest, EveryTextIsEscapedAndTheFormMarkedIgnoringCase) {
    CDictStore store;
    Fill(store, {{"<i>Trim</i> & tape", "<img src=x onerror=alert(1)>"},
                 {"Shirt Collar", "衬衫领（男装）"}});
    const std::string red = "<font color=#ff0000>";

    const std::string markup = BuildPopupHtml(LookUp(store, nullptr, "<i>trim</i>"), nullptr, {});
    EXPECT_NE(markup.find("<b>" + red + "&lt;i&gt;Trim&lt;/i&gt;</font> &amp; tape</b>"),
              std::string::npos)
        << markup;
    EXPECT_NE(markup.find("&lt;img src=x onerror=alert(1)&gt;"), std::string::npos);
    EXPECT_EQ(markup.find("<i>"), std::string::npos);
    EXPECT_EQ(markup.find("<img"), std::string::npos) << "no picture was asked for";

    const std::string collar = BuildPopupHtml(LookUp(store, nullptr, "COLLAR"), nullptr, {});
    EXPECT_NE(collar.find("<b>Shirt " + red + "Collar</font></b>"), std::string::npos) << collar;
    EXPECT_NE(collar.find("衬衫领<font color=#999999>（男装）</font>"), std::string::npos);

    const std::string chinese = BuildPopupHtml(LookUp(store, nullptr, Cp936("衬衫")), nullptr, {});
    EXPECT_NE(chinese.find("<b>" + red +
                           "衬衫</font>领</b><font color=#999999>（男装）</font>"
                           "<br>Shirt Collar"),
              std::string::npos)
        << chinese;

    const std::string pictures = BuildPopupHtml(LookUp(store, nullptr, "collar"), nullptr,
                                                {"/opt/a\"b/arrow_d.gif", "/opt/<x>/speaker.gif"});
    EXPECT_NE(pictures.find("<img src=\"/opt/a&quot;b/arrow_d.gif\">"), std::string::npos);
    EXPECT_NE(pictures.find("<a href=\"speak:0\"><img src=\"/opt/&lt;x&gt;/speaker.gif\"></a>"),
              std::string::npos)
        << pictures;
    EXPECT_NE(pictures.find("<a href=\"more\""), std::string::npos);
}

TEST(PopupHtmlTest, StarsShowWhatTheWordBookKeepsAndNoneWithoutOne) {
    CDictStore store;
    Fill(store, {{"zip", "拉链"}, {"zip pocket", "拉链袋"}});
    const CPopupAnswer answer = LookUp(store, nullptr, "zip");
    EXPECT_EQ(BuildPopupHtml(answer, nullptr, {}).find("star:"), std::string::npos);

    const StarsOf stars({"zip pocket"});
    const std::string html = BuildPopupHtml(answer, &stars, {});
    const std::size_t first = html.find("<a href=\"star:0\"");
    const std::size_t second = html.find("<a href=\"star:1\"");
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(html.substr(html.find('>', first) + 1, 3), "☆");
    EXPECT_EQ(html.substr(html.find('>', second) + 1, 3), "★");
}

TEST(PopupHtmlTest, LinksNameOnlyRowsThatExist) {
    const struct {
        const char* link;
        std::optional<std::size_t> row;
    } cases[] = {
        {"speak:0", 0},
        {"speak:4", 4},
        {"speak:5", std::nullopt},
        {"speak:", std::nullopt},
        {"speak:-1", std::nullopt},
        {"speak:+1", std::nullopt},
        {"speak:1x", std::nullopt},
        {"speak:99999999999999999999999", std::nullopt},
        {"star:0", std::nullopt},
        {"more", std::nullopt},
    };
    for (const auto& [link, row] : cases) {
        EXPECT_EQ(LinkRow(link, popuprows::kSpeakLink, 5), row) << link;
    }
}

}  // namespace
