// The "我的" tab in the organiser window with the real dictionary page: the fourth tab, reached by
// a click; a star clicked on the page keeps the entry and the tab lists it; a row of the tab
// searches again in the dictionary tab; an own term comes first in the page with its tag; every
// search goes into the history; the look-up popup finds the own terms and keeps its stars in the
// word book, its switches in the tab. Pictures of the tab and the page for people to look at.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <filesystem>

#include "app/desktop_lookup.h"
#include "app/lookup_switch_box.h"
#include "app/main_dialog.h"
#include "files/program_directory.h"
#include "mywords/history_section.h"
#include "mywords/own_terms_section.h"
#include "mywords/word_book_section.h"
#include "page_script.h"
#include "platform/fonts.h"
#include "platform/main_window.h"
#include "platform/message_box.h"
#include "platform/string_resources.h"
#include "settings/startup_settings.h"
#include "text/mbcs.h"
#include "ui_wait.h"
#include "userdata/data_folder.h"

namespace {

constexpr int kMyWordsTab = 3;

std::string Gbk(std::string_view utf8) {
    return mbcs::FromUtf8(utf8).value();
}

class MyWordsWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        InstallFontSubstitutions();
        BuildStartupSettings(TheStartupSettings(), LoadStringTable(), GetProgramDirectory());
    }

    void SetUp() override {
        // The lists of the test program's data folder, empty for each test.
        m_folder = UserDataFolder();
        std::filesystem::remove_all(m_folder);
        CMainDialog::LoadingTicks() = 0;
        SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
            m_boxes.push_back(request);
            return MessageBoxAnswer::No;
        });
        m_window = std::make_unique<CMainDialog>(nullptr);
        SetMainWindow(m_window.get());
        m_window->OnCreate();
        m_window->OnInitDialog();
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        for (int i = 0; i <= CMainDialog::kLoadingTicks; ++i) {
            m_window->OnTimer(CMainDialog::kLoadingTimerId);
        }
        ASSERT_TRUE(WaitFor([this] {
            return Page().GetBrowser()->focusProxy() != nullptr &&
                   Eval("document.getElementById('BUTTON_GO') !== null").toBool();
        }));
    }

    void TearDown() override {
        m_window.reset();
        SetMainWindow(nullptr);
        SetMessageBoxAnswerer({});
    }

    CDictViewPage& Page() { return m_window->DictPage(); }
    CMyWordsPage& Tab() { return *m_window->MyWordsPage(); }

    QVariant Eval(const QString& script) {
        return EvaluateInPage(Page().GetBrowser()->page(), script);
    }

    // Searches text as typed into the page's box, and waits for the rows and their pictures.
    void Search(const QString& text) {
        Eval("document.getElementById('TD_DICT_ITEM').innerHTML = ''");
        Page().SearchFor(mbcs::FromUtf8(text.toStdString()).value());
        ASSERT_TRUE(WaitFor([this] {
            return Eval(
                       "document.querySelectorAll('#TD_DICT_ITEM tr').length > 0 && "
                       "Array.from(document.images).every(image => image.complete)")
                .toBool();
        }));
    }

    void ClickTab(int index) {
        QTest::mouseClick(&m_window->TabWindow(), Qt::LeftButton, {},
                          m_window->TabWindow().GetTabRect(index).center());
    }

    void SaveScreenshot(const char* name) {
        QCoreApplication::processEvents();
        QDir().mkpath(GDICT_SCREENSHOT_DIR);
        m_window->grab().save(QString(GDICT_SCREENSHOT_DIR "/") + name);
    }

    std::string m_folder;
    std::unique_ptr<CMainDialog> m_window;
    std::vector<MessageBoxRequest> m_boxes;
};

TEST_F(MyWordsWindowTest, AStarOnThePageKeepsTheEntryAndTheTabListsIt) {
    ASSERT_EQ(m_window->TabWindow().GetItemCount(), 4);
    Search(QStringLiteral("collar"));
    EXPECT_TRUE(Eval("document.getElementById('IMGST_0').src.endsWith('/star_off.gif')").toBool());
    ASSERT_TRUE(ClickInPage(Page().GetBrowser(), QStringLiteral("#IMGST_0")));
    ASSERT_TRUE(WaitFor([this] {
        return Eval("document.getElementById('IMGST_0').src.endsWith('/star_on.gif')").toBool();
    }));
    const std::vector<CWordBookEntry> book = CWordBook(m_folder).Read().records;
    ASSERT_EQ(book.size(), 1u);
    EXPECT_EQ(book[0].english, Page().GetResults()[0]->english);
    EXPECT_TRUE(Eval("document.getElementById('IMGST_1').src.endsWith('/star_off.gif')").toBool());
    SaveScreenshot("page_stars.png");

    ClickTab(kMyWordsTab);
    EXPECT_EQ(m_window->TabWindow().GetCurSel(), kMyWordsTab);
    ASSERT_TRUE(Tab().isVisible());
    QTreeWidget* list = Tab().WordBook().List();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("collar"));
    // A fuller book for the picture: the latest first.
    const CWordBook book2(m_folder);
    book2.Add("interlining", Gbk("衬布"));
    book2.Add("yoke", Gbk("过肩"));
    book2.Add("bartack", Gbk("打枣（车间用语）"));
    Tab().WordBook().Reload();
    ASSERT_EQ(list->topLevelItemCount(), 4);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("bartack"));
    SaveScreenshot("my_words_word_book.png");
    book2.Remove("interlining", Gbk("衬布"));
    book2.Remove("yoke", Gbk("过肩"));
    book2.Remove("bartack", Gbk("打枣（车间用语）"));
    Tab().WordBook().Reload();

    // The tab removes it; the page's star follows.
    list->setCurrentItem(list->topLevelItem(0));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_TRUE(CWordBook(m_folder).Read().records.empty());
    EXPECT_TRUE(WaitFor([this] {
        return Eval("document.getElementById('IMGST_0').src.endsWith('/star_off.gif')").toBool();
    }));
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(MyWordsWindowTest, EverySearchGoesIntoTheHistoryAndARowSearchesAgain) {
    Search(QStringLiteral("collar"));
    const std::size_t collars = Page().GetResults().size();
    Search(QStringLiteral("衬衫"));
    Search(QStringLiteral("zip"));
    m_window->UserLists()->FlushHistory();
    const std::vector<CHistoryEntry> history = CHistory(m_folder).Read().records;
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[0].query, "zip");
    EXPECT_EQ(history[1].query, Gbk("衬衫"));
    EXPECT_EQ(history[2].query, "collar");
    EXPECT_EQ(history[2].results, collars);

    ClickTab(kMyWordsTab);
    Tab().SelectSection(CMyWordsPage::kHistory);
    QTreeWidget* list = Tab().History().List();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    SaveScreenshot("my_words_history.png");

    // Enter on a row: the dictionary tab, the box holding the row's query, its results.
    list->setCurrentItem(list->topLevelItem(2));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(m_window->TabWindow().GetCurSel(), 0);
    EXPECT_TRUE(WaitFor([this] {
        return Eval("document.getElementById('TxtBoxFind').value").toString() ==
               QStringLiteral("collar");
    }));
    EXPECT_EQ(Page().GetResults().size(), collars);
}

TEST_F(MyWordsWindowTest, AnOwnTermComesFirstInThePageWithItsTag) {
    const COwnTerms terms(m_folder);
    terms.Add({"collar", Gbk("公司领型"), "CL-01"});
    terms.Add({"collar stand", Gbk("领座（本厂叫法）"), ""});
    terms.Add({"body fabric", Gbk("大身面料"), "BF-12"});
    terms.Add({"trim card", Gbk("辅料卡"), ""});
    terms.Add({"main label", Gbk("主唛"), Gbk("客户 A 专用")});
    Search(QStringLiteral("collar"));
    ASSERT_GT(Page().GetResults().size(), 2u);
    EXPECT_EQ(Page().GetResults()[0]->chinese, Gbk("公司领型（CL-01）"));
    EXPECT_EQ(Eval("document.querySelectorAll('#TD_DICT_ITEM .OwnTerm').length").toInt(), 2);
    const QString firstRow =
        Eval("document.querySelector('#TD_DICT_ITEM tr').innerText").toString();
    EXPECT_TRUE(firstRow.contains(QStringLiteral("我的"))) << firstRow.toStdString();
    SaveScreenshot("own_term_first.png");

    // gdict, or another copy of the program, changes the own terms: the next search reads them.
    terms.Remove("collar", std::nullopt);
    Search(QStringLiteral("collar"));
    EXPECT_EQ(Page().GetResults()[0]->chinese, Gbk("领子"));

    ClickTab(kMyWordsTab);
    Tab().SelectSection(CMyWordsPage::kOwnTerms);
    ASSERT_EQ(Tab().OwnTerms().List()->topLevelItemCount(), 4);
    SaveScreenshot("my_words_own_terms.png");
    QTreeWidget* list = Tab().OwnTerms().List();
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(Tab().findChild<QLineEdit*>(QStringLiteral("ownEnglish"))->text(),
              QStringLiteral("body fabric"));
    Tab().findChild<QLineEdit*>(QStringLiteral("ownNote"))->setFocus();
    SaveScreenshot("my_words_form.png");
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(MyWordsWindowTest, ThePopupFindsTheOwnTermsAndKeepsItsStarsInTheWordBook) {
    const COwnTerms terms(m_folder);
    terms.Add({"collar", Gbk("公司领型"), ""});
    QSettings settings;
    CDesktopLookup lookup(*m_window, settings);
    // The switches follow the history's; this desktop shares no clipboard, and the line under
    // them says so.
    ClickTab(kMyWordsTab);
    EXPECT_EQ(Tab().SwitchStrip()->indexOf(&lookup.SwitchBox()), 1);
    EXPECT_FALSE(lookup.SwitchBox().CopyBox().isEnabled());
    EXPECT_TRUE(lookup.SwitchBox().Reason().isVisible());
    SaveScreenshot("my_words_switches_greyed.png");

    lookup.LookUp("collar");
    ASSERT_NE(lookup.Popup(), nullptr);
    CLookupPopup& popup = *lookup.Popup();
    ASSERT_TRUE(popup.isVisible());
    EXPECT_TRUE(popup.Answer().ranked.rows.at(0).ownTerm);
    EXPECT_EQ(popup.Answer().ranked.rows.at(0).entry->chinese, Gbk("公司领型"));

    // Another program adds an own term while the popup shows rows of the old ones.
    terms.Add({"trim card", Gbk("辅料卡"), ""});
    lookup.LookUp("trim card");
    ASSERT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.Answer().ranked.rows.at(0).entry->chinese, Gbk("辅料卡"));

    // The popup's star keeps the row in the word book; the tab's removal clears the star.
    emit popup.Text().linkActivated(QStringLiteral("star:0"));
    const std::vector<CWordBookEntry> book = CWordBook(m_folder).Read().records;
    ASSERT_EQ(book.size(), 1u);
    EXPECT_EQ(book[0].english, "trim card");
    EXPECT_TRUE(popup.Text().text().contains(QStringLiteral("★")));
    EXPECT_TRUE(m_window->UserLists()->RemoveFromWordBook("trim card", Gbk("辅料卡")));
    EXPECT_FALSE(popup.Text().text().contains(QStringLiteral("★")));
    EXPECT_TRUE(m_boxes.empty());
}

}  // namespace
