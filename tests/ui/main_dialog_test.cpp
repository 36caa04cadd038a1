// The organiser window: its loading phase, its keys and menu, its shape, a dictionary that
// cannot be read, and pictures of it for people to look at.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "app/main_dialog.h"
#include "dictionary/dict_store.h"
#include "files/program_directory.h"
#include "platform/fonts.h"
#include "platform/main_window.h"
#include "platform/message_box.h"
#include "platform/string_resources.h"
#include "settings/startup_settings.h"
#include "ui_wait.h"

namespace {

class MainDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        InstallFontSubstitutions();
        BuildStartupSettings(TheStartupSettings(), LoadStringTable(), GetProgramDirectory());
    }

    void SetUp() override {
        m_dictionaryPath = TheStartupSettings().dictionaryPath;
        CMainDialog::LoadingTicks() = 0;
        SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
            m_boxes.push_back(request);
            return MessageBoxAnswer::No;
        });
    }

    void TearDown() override {
        m_window.reset();
        SetMainWindow(nullptr);
        SetMessageBoxAnswerer({});
        TheStartupSettings().dictionaryPath = m_dictionaryPath;
    }

    // The window as the modal loop would show it, without entering the loop.
    CMainDialog& Open() {
        m_window = std::make_unique<CMainDialog>();
        SetMainWindow(m_window.get());
        m_window->OnCreate();
        m_window->OnInitDialog();
        m_window->show();
        return *m_window;
    }

    void Tick(int times) {
        for (int i = 0; i < times; ++i) m_window->OnTimer(CMainDialog::kLoadingTimerId);
    }

    // The width of the progress bar as painted: its pixels along the bar's middle row.
    int PaintedBarWidth() {
        const QImage shot = m_window->grab().toImage();
        int width = 0;
        for (int x = 52; x < 52 + 230; ++x) {
            const QColor c = shot.pixelColor(x, 318);
            if (c == QColor(50, 180, 50) || c == QColor(100, 200, 100) || c == QColor(22, 99, 22)) {
                ++width;
            }
        }
        return width;
    }

    void SaveScreenshot(QWidget& widget, const char* name) {
        QDir().mkpath(GDICT_SCREENSHOT_DIR);
        widget.grab().save(QString(GDICT_SCREENSHOT_DIR "/") + name);
    }

    std::unique_ptr<CMainDialog> m_window;
    std::vector<MessageBoxRequest> m_boxes;
    std::string m_dictionaryPath;
};

TEST_F(MainDialogTest, LoadingPhaseGrowsTheBarThenShowsTheTabs) {
    CMainDialog& window = Open();
    CDictStore bundled;
    bundled.LoadFile(TheStartupSettings().dictionaryPath);
    EXPECT_GT(bundled.size(), 10000u);
    EXPECT_EQ(window.Store().size(), bundled.size());
    EXPECT_TRUE(m_boxes.empty());

    Tick(1);
    EXPECT_EQ(window.Progress(), 2);
    EXPECT_EQ(PaintedBarWidth(), 4);
    Tick(24);
    EXPECT_EQ(PaintedBarWidth(), 108);
    SaveScreenshot(window, "main_window_loading.png");
    Tick(25);
    EXPECT_EQ(window.Progress(), 100);
    EXPECT_EQ(PaintedBarWidth(), 216);
    EXPECT_FALSE(window.TabWindow().isVisible());

    Tick(1);
    EXPECT_TRUE(window.TabWindow().isVisible());
    EXPECT_EQ(window.Progress(), 0);
    EXPECT_EQ(window.TabWindow().GetCurSel(), 0);
    // Later ticks change nothing: the loading phase happens once per process.
    Tick(1);
    EXPECT_TRUE(window.TabWindow().isVisible());
    EXPECT_EQ(window.Progress(), 0);
}

TEST_F(MainDialogTest, EscapeClosesEnterDoesNot) {
    CMainDialog& window = Open();
    QSignalSpy finished(&window, &QDialog::finished);
    QTest::keyClick(&window, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Enter);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(&window, Qt::Key_Escape);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].toInt(), 2);
}

TEST_F(MainDialogTest, AboutEntrySelectsTheThirdTabEvenWhileLoading) {
    CMainDialog& window = Open();
    Tick(3);
    QMenu* menu = window.findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    QAction* about = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(QStringLiteral("关于"))) about = action;
    }
    ASSERT_NE(about, nullptr) << "no about entry in the window's menu";
    about->trigger();
    EXPECT_EQ(window.TabWindow().GetCurSel(), 2);
    EXPECT_FALSE(window.TabWindow().isVisible());
}

TEST_F(MainDialogTest, ShapeFollowsTheSkin) {
    CMainDialog& window = Open();
    const QRegion shape = window.mask();
    EXPECT_FALSE(shape.isEmpty());
    EXPECT_FALSE(shape.contains(QPoint(0, 0))) << "black skin pixels belong to the window";
    EXPECT_TRUE(shape.contains(QPoint(160, 300)));
    EXPECT_TRUE(shape.boundingRect().right() < 323);
}

TEST_F(MainDialogTest, MissingDictionaryGivesOneMessageAndAWorkingWindow) {
    TheStartupSettings().dictionaryPath = GetProgramDirectory() + "/no such dictionary.dat";
    CMainDialog& window = Open();
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_TRUE(m_boxes[0].text.contains(QStringLiteral("no such dictionary.dat")));
    EXPECT_EQ(m_boxes[0].type, MessageBoxType::Ok | MessageBoxType::IconError) << "the stop icon";
    EXPECT_EQ(window.Store().size(), 0u);
    Tick(CMainDialog::kLoadingTicks + 1);
    EXPECT_TRUE(window.TabWindow().isVisible());
    window.DictPage().QueryAndShow("shirt");
    EXPECT_EQ(m_boxes.size(), 2u) << "a search in an empty dictionary asks about the web";
}

TEST_F(MainDialogTest, ReadyWindowSearchesAndShowsTheAboutPage) {
    CMainDialog& window = Open();
    Tick(CMainDialog::kLoadingTicks + 1);
    QWebEnginePage* page = window.DictPage().GetBrowser()->page();
    const auto evaluate = [page](const QString& script) {
        QVariant result;
        bool done = false;
        page->runJavaScript(script, [&](const QVariant& value) {
            result = value;
            done = true;
        });
        EXPECT_TRUE(WaitFor([&] { return done; }, 20000)) << "no answer from the page";
        return result;
    };
    ASSERT_TRUE(WaitFor(
        [&] { return evaluate("document.getElementById('BUTTON_GO') !== null").toBool(); }, 20000));

    window.DictPage().QueryAndShow("collar");
    EXPECT_GT(window.DictPage().GetResults().size(), 10u);
    EXPECT_TRUE(WaitFor(
        [&] {
            return evaluate(
                       "document.querySelectorAll('[id^=IMGSP_]').length > 10 && "
                       "Array.from(document.images).every(i => i.complete)")
                .toBool();
        },
        20000));
    QTest::qWait(300);
    SaveScreenshot(window, "main_window_results.png");

    window.TabWindow().SetCurSel(2);
    window.TabWindow().Refresh();
    EXPECT_TRUE(window.DictPage().isHidden());
    QTest::qWait(100);
    SaveScreenshot(window, "main_window_about.png");
}

}  // namespace
