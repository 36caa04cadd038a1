// The dictionary page once its document has loaded: its decorations, its event map, its
// download settings and the close element that arrives with server HTML.
#include <sys/wait.h>
#include <unistd.h>

#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "page_test_support.h"
#include "platform/ansi_text.h"
#include "settings/startup_settings.h"
#include "temp_dir.h"

namespace {

TEST_F(DictPageTest, DocumentCompletionShowsTheStartTextAndTheNotice) {
    TheStartupSettings().SetNoticeText(ToAnsi("<p id=notice title=notice>本周新增词条</p>"));
    CreatePage(nullptr);
    ASSERT_TRUE(WaitFor(
        [this] { return Eval("document.querySelector('[title=notice]') !== null").toBool(); }));
    // The notice, filtered, in an element that marks it as network HTML.
    EXPECT_TRUE(CellIs(FromAnsi(TheStartupSettings().cellStartHtml) +
                       "<span data-network-html><p title=\"notice\">本周新增词条</p></span>"));
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
              "gdict://app/pictures/go.gif");
    EXPECT_EQ(Eval("document.getElementById('TDDIVPARENT').getAttribute('background')").toString(),
              "gdict://app/pictures/ViewBkgrd.bmp");
    Eval(
        "window.background = new Image();"
        "background.src = document.getElementById('TDDIVPARENT').getAttribute('background')");
    EXPECT_TRUE(WaitFor([this] {
        return Eval("background.complete && background.naturalWidth === 267").toBool();
    })) << "the background did not load";
    // The old browser's hand cursor is the pointing hand.
    EXPECT_EQ(Eval("getComputedStyle(document.getElementById('BUTTON_GO')).cursor").toString(),
              "pointer");
}

// The program installed in a folder whose name holds every character that could break an
// attribute or an address: this test program, linked there beside the pictures, shows them all.
TEST(DictPageInstallTest, PicturesShowFromAFolderWithAnAwkwardName) {
    const TempDir root;
    const std::filesystem::path folder = root / "it's \"odd\" #1 ?50% 词典 dir";
    std::filesystem::create_directory(folder);
    const std::filesystem::path bin(GDICT_BIN_DIR);
    for (const char* picture : {"go.gif", "ViewBkgrd.bmp", "arrow_d.gif", "speaker.gif"}) {
        std::filesystem::copy_file(bin / picture, folder / picture);
    }
    const std::filesystem::path program = folder / "dict_page_tests";
    std::error_code linkError;
    std::filesystem::create_hard_link("/proc/self/exe", program, linkError);
    if (linkError)
        std::filesystem::copy_file(std::filesystem::read_symlink("/proc/self/exe"), program);

    const std::string filter =
        "--gtest_filter=DictPageTest.DecorationsLoadFromTheProgramDirectory:"
        "DictPageTest.EnterAndTheGoImageRunTheSameSearch";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::string path = program.string();
        execl(path.c_str(), path.c_str(), filter.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
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
