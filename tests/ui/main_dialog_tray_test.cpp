// The organiser and the tray: with the program in a tray, a close hides the window and ends its
// modal loop with the hidden result, after the question asked once with the pointer free of the
// header button that was clicked; without a tray the window closes as before; a search asked
// for by the look-up popup during the loading phase runs when it ends.
#include <gtest/gtest.h>

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "app/close_to_tray.h"
#include "app/main_dialog.h"
#include "controls/pda_button.h"
#include "dictionary/dict_entry.h"
#include "files/program_directory.h"
#include "platform/ansi_text.h"
#include "platform/fonts.h"
#include "platform/main_window.h"
#include "platform/message_box.h"
#include "platform/string_resources.h"
#include "settings/startup_settings.h"

namespace {

class MainDialogTrayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        InstallFontSubstitutions();
        BuildStartupSettings(TheStartupSettings(), LoadStringTable(), GetProgramDirectory());
    }

    void SetUp() override {
        CMainDialog::LoadingTicks() = 0;
        SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
            m_questions.push_back(request.text);
            m_grabbed.push_back(QWidget::mouseGrabber() != nullptr);
            return MessageBoxAnswer::Yes;
        });
        m_window = std::make_unique<CMainDialog>();
        SetMainWindow(m_window.get());
        m_window->OnCreate();
        m_window->OnInitDialog();
        m_window->show();
    }

    void TearDown() override {
        m_window.reset();
        SetMainWindow(nullptr);
        SetMessageBoxAnswerer({});
    }

    void Ready() {
        for (int i = 0; i <= CMainDialog::kLoadingTicks; ++i) {
            m_window->OnTimer(CMainDialog::kLoadingTimerId);
        }
    }

    // The header's close button, clicked as the pointer does it: hovering it first.
    void ClickClose() {
        CPDAButton* close = nullptr;
        for (CPDAButton* button : m_window->TabWindow().findChildren<CPDAButton*>()) {
            if (button->GetDlgCtrlID() == CPADTabWnd::ID_CLOSE) close = button;
        }
        ASSERT_NE(close, nullptr);
        QTest::mouseMove(close, close->rect().center());
        ASSERT_TRUE(close->IsHovering());
        QTest::mouseClick(close, Qt::LeftButton, {}, close->rect().center());
    }

    std::unique_ptr<CMainDialog> m_window;
    std::vector<QString> m_questions;
    std::vector<bool> m_grabbed;
};

TEST_F(MainDialogTrayTest, WithATrayACloseHidesTheWindowAfterOneQuestion) {
    const QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    m_window->SetCloseHook([&] { return KeepRunningInTray(settings, m_window.get()); });
    Ready();
    QSignalSpy finished(m_window.get(), &QDialog::finished);

    ClickClose();
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].toInt(), CMainDialog::kHiddenResult);
    EXPECT_FALSE(m_window->isVisible());
    ASSERT_EQ(m_questions.size(), 1u);
    EXPECT_EQ(m_grabbed, std::vector<bool>{false}) << "the box would get no click";

    // Out of the tray and closed again, by Escape this time: no second question.
    m_window->BringForward();
    EXPECT_TRUE(m_window->isVisible());
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    ASSERT_EQ(finished.count(), 2);
    EXPECT_EQ(finished[1][0].toInt(), CMainDialog::kHiddenResult);
    EXPECT_EQ(m_questions.size(), 1u);

    // Without a tray, a close ends the loop as it always did.
    m_window->SetCloseHook(nullptr);
    m_window->BringForward();
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    ASSERT_EQ(finished.count(), 3);
    EXPECT_EQ(finished[2][0].toInt(), CMainDialog::kCancelResult);
}

TEST_F(MainDialogTrayTest, ASearchAskedForWhileLoadingRunsWhenTheWindowIsReady) {
    m_window->OnSysCommand(CMainDialog::kAboutCommand);
    m_window->ShowSearch(ToAnsi(QStringLiteral("interlining")));
    EXPECT_TRUE(m_window->DictPage().GetResults().empty());
    Ready();
    EXPECT_EQ(m_window->TabWindow().GetCurSel(), 0);
    ASSERT_FALSE(m_window->DictPage().GetResults().empty());
    EXPECT_EQ(m_window->DictPage().GetResults()[0]->english, "interlining");

    // Once ready, at once.
    m_window->OnSysCommand(CMainDialog::kAboutCommand);
    m_window->ShowSearch(ToAnsi(QStringLiteral("拉链")));
    EXPECT_EQ(m_window->TabWindow().GetCurSel(), 0);
    ASSERT_FALSE(m_window->DictPage().GetResults().empty());
    EXPECT_TRUE(
        FromAnsi(m_window->DictPage().GetResults()[0]->chinese).startsWith(QStringLiteral("拉链")));
}

}  // namespace
