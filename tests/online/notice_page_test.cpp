// End to end: the notice worker fetches a notice from a real HTTP server on 127.0.0.1 while the
// organiser window loads, and the real dictionary page shows it after the loading phase and,
// as the notice asks, after every result.
#include <gtest/gtest.h>

#include <QWebEnginePage>
#include <QWebEngineView>
#include <atomic>
#include <thread>

#include "app/main_dialog.h"
#include "files/program_directory.h"
#include "loopback_server.h"
#include "online/notice_worker.h"
#include "page_script.h"
#include "platform/ansi_text.h"
#include "platform/fonts.h"
#include "platform/main_window.h"
#include "platform/message_box.h"
#include "platform/string_resources.h"
#include "settings/notice_state.h"
#include "settings/startup_settings.h"
#include "temp_dir.h"
#include "ui_wait.h"

namespace {

TEST(NoticeEndToEndTest, PageShowsTheServersNoticeAfterLoadingAndAfterEveryResult) {
    InstallFontSubstitutions();
    CStartupSettings& settings = TheStartupSettings();
    BuildStartupSettings(settings, LoadStringTable(), GetProgramDirectory());
    SetMessageBoxAnswerer([](const MessageBoxRequest&) { return MessageBoxAnswer::No; });
    LoopbackServer server;
    server.Serve("/notice.aspx",
                 QByteArray::fromStdString(
                     ToAnsi("LUMA_AD LUMA_POWERAD<span title=servernotice>新款面料到货</span>")));
    const TempDir folder;

    std::atomic<bool> workerDone{false};
    std::thread worker([&] {
        RunNoticePass(settings, server.Address("/notice.aspx?Ver=1.0.0.5").toStdString(),
                      (folder / kResponseFileName).string());
        workerDone = true;
    });
    CMainDialog window;
    SetMainWindow(&window);
    window.OnCreate();
    window.OnInitDialog();
    window.show();
    ASSERT_TRUE(WaitFor([&] { return workerDone.load(); }));
    worker.join();
    EXPECT_EQ(showNoticeInPage.load(), 1);

    for (int tick = 0; tick <= CMainDialog::kLoadingTicks; ++tick) {
        window.OnTimer(CMainDialog::kLoadingTimerId);
    }
    QWebEnginePage* page = window.DictPage().GetBrowser()->page();
    EXPECT_TRUE(WaitFor([&] {
        return EvaluateInPage(
                   page, "document.querySelector('#TD_DICT_ITEM [title=servernotice]') !== null")
            .toBool();
    })) << "no notice after the loading phase";

    window.DictPage().QueryAndShow("shirt");
    EXPECT_TRUE(WaitFor([&] {
        return EvaluateInPage(page,
                              "document.querySelector('#TD_DICT_ITEM table +"
                              " [data-network-html] > [title=servernotice]') !== null")
            .toBool();
    })) << "no notice after the results";

    SetMainWindow(nullptr);
    SetMessageBoxAnswerer({});
}

}  // namespace
