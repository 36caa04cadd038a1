// The questions the dictionary page asks: an empty search text, and a search without results,
// which offers the publisher's web dictionary, then the near matches, and still writes the
// footer (and the notice).
#include <QGuiApplication>
#include <QUrl>

#include "browser_recorder.h"
#include "crypto/cipher_method_set.h"
#include "crypto/text_cipher_key.h"
#include "page_test_support.h"
#include "platform/ansi_text.h"
#include "platform/string_resources.h"
#include "settings/notice_state.h"
#include "settings/startup_settings.h"
#include "settings/text_constants.h"

namespace {

QString Footer() {
    return FromAnsi(
        TheCipherMethodSet().TextCipher(CCipherMethodSet::kTea, TextCipherKey, ResultFooterText));
}

class DictPagePromptTest : public DictPageTest {
protected:
    BrowserRecorder m_browser;
};

// The texts of the near-match links in the results cell, in order, each after its id.
constexpr const char* kNearMatchLinks =
    "Array.from(document.querySelectorAll('#TD_DICT_ITEM a'), a => a.id + ':' + a.textContent)"
    "     .join(' | ')";

TEST_F(DictPagePromptTest, OnlyWhiteSpaceAsksForAWordAndChangesNothing) {
    Eval("document.getElementById('TD_DICT_ITEM').innerHTML = '<i id=before></i>'");
    for (const char* text : {"   ", " \t "}) {
        m_boxes.clear();
        SetSearchBoxValue(text);
        PressKey(Qt::Key_Return);
        ASSERT_TRUE(WaitFor([this] { return !m_boxes.empty(); }));
        EXPECT_EQ(m_boxes[0].text, QString("请输入要查的单词"));
        EXPECT_EQ(m_boxes[0].type, MessageBoxType::IconInformation);
    }
    Settle();
    EXPECT_TRUE(CellIs("<i id=before></i>"));
    EXPECT_TRUE(Page().GetResults().empty());
}

TEST_F(DictPagePromptTest, IdeographicSpacesAreAWord) {
    Search("\u3000\u3000");
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].type, MessageBoxType::YesNo | MessageBoxType::IconQuestion);
}

TEST_F(DictPagePromptTest, NoResultAnsweredYesOpensTheWebDictionary) {
    m_answer = MessageBoxAnswer::Yes;
    Search("qqzzx");
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, QString("没有找到您要的词，要到Lumatex搜索吗？"));
    EXPECT_EQ(m_boxes[0].type, 0x24u);
    ASSERT_EQ(m_browser.opened.size(), 1u);
    EXPECT_EQ(m_browser.opened[0].toString(), FromAnsi(LoadStringResource("web_dictionary_url")));
    EXPECT_TRUE(m_browser.opened[0].toString().endsWith("/kbase/dict.aspx"));
    EXPECT_TRUE(CellIs(Footer() + "<br>"));
}

TEST_F(DictPagePromptTest, NoResultAnsweredNoKeepsTheLastResults) {
    Search("yoke");
    ASSERT_EQ(Page().GetResults().size(), 1u);
    m_answer = MessageBoxAnswer::No;
    Search("qqzzx");
    EXPECT_TRUE(m_browser.opened.empty());
    EXPECT_TRUE(CellIs(Footer() + "<br>"));
    ASSERT_EQ(Page().GetResults().size(), 1u);
    EXPECT_EQ(Page().GetResults()[0]->english, "yoke");
    EXPECT_TRUE(Page().GetResultHtml().empty());
}

TEST_F(DictPagePromptTest, NoResultOffersNearMatchesAfterTheQuestion) {
    const struct {
        const char* query;
        int answer;
        const char* links;
    } cases[] = {
        {"shirtt", MessageBoxAnswer::No, "NEAR_0:shirt"},
        // One of two characters shared; the fewest other characters first.
        {"衬衣", MessageBoxAnswer::Yes,
         "NEAR_0:衬衫 | NEAR_1:卫衣 | NEAR_2:衬衫领 | NEAR_3:正装衬衫"},
        {"gusset 1x", MessageBoxAnswer::No,
         "NEAR_0:gusset 1 | NEAR_1:gusset 10 | NEAR_2:gusset 11 | NEAR_3:gusset 12 | "
         "NEAR_4:gusset 13 | NEAR_5:gusset 14 | NEAR_6:gusset 15 | NEAR_7:gusset 16"},
    };
    for (const auto& [query, answer, links] : cases) {
        m_boxes.clear();
        m_browser.opened.clear();
        m_answer = answer;
        Search(query);
        ASSERT_EQ(m_boxes.size(), 1u) << query;
        EXPECT_EQ(m_browser.opened.size(), answer == MessageBoxAnswer::Yes ? 1u : 0u) << query;
        EXPECT_TRUE(CellHtml().startsWith("<p class=\"NearMatches\">您要找的是不是：<br><a "))
            << query;
        EXPECT_TRUE(CellHtml().endsWith("</p>" + Footer() + "<br>")) << query;
        EXPECT_EQ(Eval(kNearMatchLinks).toString().toStdString(), links) << query;
    }
    EXPECT_FALSE(m_boxUnderOverrideCursor) << "the wait cursor showed over the question";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(DictPagePromptTest, ClickOnANearMatchSearchesItAsIfTyped) {
    Search("shirtt");
    Click("#NEAR_0");
    ASSERT_TRUE(WaitFor([this] { return Page().GetResults().size() == 5; }));
    Settle();
    EXPECT_EQ(Eval("document.getElementById('TxtBoxFind').value").toString(), "shirt");
    EXPECT_EQ(Eval("document.querySelectorAll('#TD_DICT_ITEM tr').length").toInt(), 5);
    EXPECT_EQ(Eval(kNearMatchLinks).toString(), "");
    EXPECT_EQ(m_boxes.size(), 1u);
}

TEST_F(DictPagePromptTest, NoticeFollowsEveryResultWhenAskedTo) {
    TheStartupSettings().SetNoticeText(ToAnsi("<b>新版</b>已发布"));
    Search("qqzzx");
    EXPECT_TRUE(CellIs(Footer() + "<br>")) << "the notice shows only when its flag is set";

    showNoticeInPage.store(1);
    Search("qqzzx");
    EXPECT_TRUE(CellIs("<span data-network-html><b>新版</b>已发布</span><br>" + Footer() + "<br>"));
    Search("yoke");
    EXPECT_TRUE(CellHtml().contains(
        QString("</table><span data-network-html=\"\"><b>新版</b>已发布</span><br>")));
    EXPECT_TRUE(CellHtml().endsWith(Footer() + "<br>"));
}

}  // namespace
