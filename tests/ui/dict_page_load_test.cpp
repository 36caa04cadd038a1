// The dictionary page once its document has loaded: its decorations, its event map, its
// download settings and the close element that arrives with server HTML.
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "app/startup_settings.h"
#include "page_test_support.h"
#include "platform/ansi_text.h"

namespace {

TEST_F(DictPageTest, DocumentCompletionShowsTheStartTextAndTheNotice) {
    TheStartupSettings().SetNoticeText(ToAnsi("<p id=notice>本周新增词条</p>"));
    CreatePage(nullptr);
    ASSERT_TRUE(
        WaitFor([this] { return Eval("document.getElementById('notice') !== null").toBool(); }));
    EXPECT_TRUE(
        CellIs(FromAnsi(TheStartupSettings().cellStartHtml) + "<p id=notice>本周新增词条</p>"));
    EXPECT_TRUE(Eval("document.querySelector('#TD_DICT_ITEM script') === null").toBool());
    EXPECT_FALSE(TheStartupSettings().cellStartHtml.empty());
}

TEST_F(DictPageTest, DecorationsLoadFromTheProgramDirectory) {
    EXPECT_TRUE(WaitFor([this] {
        return Eval(
                   "(function () {"
                   "  const go = document.getElementById('BUTTON_GO');"
                   "  return go.parentElement.id === 'CAPTION_GO' && go.complete &&"
                   "         go.naturalWidth > 0; })()")
            .toBool();
    })) << "the GO image did not load";
    EXPECT_EQ(Eval("document.getElementById('BUTTON_GO').getAttribute('src')").toString(),
              FromAnsi(TheStartupSettings().goImagePath));
    EXPECT_EQ(Eval("document.getElementById('TDDIVPARENT').getAttribute('background')").toString(),
              QString(GDICT_BIN_DIR) + "/ViewBkgrd.bmp");
    // The old browser's hand cursor is the pointing hand.
    EXPECT_EQ(Eval("getComputedStyle(document.getElementById('BUTTON_GO')).cursor").toString(),
              "pointer");
}

TEST_F(DictPageTest, EventMapRowsInOrder) {
    const CHtmlEventMap& map = Page().GetEventMap();
    ASSERT_EQ(map.size(), 98u);
    using Match = CHtmlEventMapEntry::Match;
    const std::tuple<Match, std::string, std::string> firstRows[] = {
        {Match::id, "ButtonOK", "click"},     {Match::id, "ButtonCancel", "click"},
        {Match::id, "BUTTON_CLOSE", "click"}, {Match::id, "TxtBoxFind", "keydown"},
        {Match::id, "BUTTON_GO", "click"},    {Match::tag, "img", "click"}};
    for (std::size_t row = 0; row < std::size(firstRows); ++row) {
        EXPECT_EQ(std::tie(map[row].match, map[row].element, map[row].event), firstRows[row])
            << "row " << row + 1;
    }
    for (std::size_t row = 6; row < 97; ++row) {
        EXPECT_EQ(map[row].match, Match::tag);
        EXPECT_EQ(map[row].event, "contextmenu");
    }
    EXPECT_EQ(map[6].element, "a");
    EXPECT_EQ(map[30].element, "div");
    EXPECT_EQ(map[31].element, "dfn");
    EXPECT_EQ(map[96].element, "marquee");
    // Clicks on the near-match links.
    EXPECT_EQ(std::tie(map[97].match, map[97].element, map[97].event),
              std::make_tuple(Match::tag, std::string("a"), std::string("click")));
}

TEST_F(DictPageTest, PageLoadsImagesMediaAndScripts) {
    QWebEngineSettings* settings = Page().GetBrowser()->page()->settings();
    EXPECT_TRUE(settings->testAttribute(QWebEngineSettings::AutoLoadImages));
    EXPECT_TRUE(settings->testAttribute(QWebEngineSettings::JavascriptEnabled));
    EXPECT_FALSE(settings->testAttribute(QWebEngineSettings::PlaybackRequiresUserGesture));
}

TEST_F(DictPageTest, CloseElementFromServerHtmlEndsTheMainWindow) {
    QSignalSpy finished(&m_host, &QDialog::finished);
    Page().SetElementHtml("TD_DICT_ITEM", "<a id=BUTTON_CLOSE href='#'>close</a>");
    Settle();
    Click("#BUTTON_CLOSE");
    ASSERT_TRUE(WaitFor([&] { return finished.count() == 1; }));
    EXPECT_EQ(finished[0][0].toInt(), 1);
}

TEST_F(DictPageTest, ServerButtonsRunTheOkAndCancelActions) {
    Page().SetElementHtml("TD_DICT_ITEM", "<button id=ButtonOK>OK</button>");
    SetSearchBoxValue("yoke");
    Click("#ButtonOK");
    ASSERT_TRUE(WaitFor([this] { return Page().GetResults().size() == 1; }));

    Page().SetElementHtml("TD_DICT_ITEM", "<button id=ButtonCancel>x</button>");
    Settle();
    Click("#ButtonCancel");
    EXPECT_TRUE(WaitFor([this] { return Page().isHidden(); }));
    EXPECT_EQ(Page().result(), 2);
    EXPECT_TRUE(m_host.isVisible()) << "the page's cancel ends the page only";
}

}  // namespace
