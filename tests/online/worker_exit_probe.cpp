// Ends the program while its notice worker is still blocked, in the network ("network": the
// server never answers) or in the upgrade question ("question": nobody answers it), the way the
// program ends: the application object goes. Exits with 0 when that ends the process cleanly, 3
// when the worker was not blocked after all.
#include <QTimer>
#include <cstring>
#include <memory>

#include "app/dict_app.h"
#include "loopback_server.h"
#include "online/notice_worker.h"
#include "settings/startup_settings.h"
#include "temp_dir.h"
#include "ui_wait.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool question = argc > 1 && std::strcmp(argv[1], "question") == 0;
    // Declared before the application, so that it still answers (or hangs) while the
    // application goes.
    std::unique_ptr<LoopbackServer> server;
    const TempDir folder;
    CDictApp application(argc, argv);
    server = std::make_unique<LoopbackServer>();
    server->ServeNothing("/hang");
    server->Serve("/upgrade", "LUMA_AD LUMA_UPGRADE");

    const std::string address = server->Address(question ? "/upgrade" : "/hang").toStdString();
    const std::string response = (folder / "Ad1234.exe").string();
    LaunchNoticeWorker(
        [address, response] { RunNoticePass(TheStartupSettings(), address, response); });
    WaitFor([] { return false; }, 1000);
    return NoticeWorkerRunning() ? 0 : 3;
}
