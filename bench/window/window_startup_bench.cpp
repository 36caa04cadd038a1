// Start-up and memory of the desktop program, measured the way a person meets them: from the
// start of the process until the window is on the screen with the dictionary loaded, until the
// dictionary page is ready to search, and the memory of the program and its web processes after
// ten searches. Runs on any Qt platform (offscreen or a virtual display).
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdio>

#include "app/main_dialog.h"
#include "files/program_directory.h"
#include "pagehost/program_scheme.h"
#include "platform/ansi_text.h"
#include "platform/fonts.h"
#include "platform/main_window.h"
#include "platform/message_box.h"
#include "platform/string_resources.h"
#include "process_memory.h"
#include "settings/startup_settings.h"
#include "ui_wait.h"

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    RegisterProgramScheme();
    QApplication application(argc, argv);
    InstallFontSubstitutions();
    BuildStartupSettings(TheStartupSettings(), LoadStringTable(), GetProgramDirectory());
    SetMessageBoxAnswerer([](const MessageBoxRequest&) { return MessageBoxAnswer::No; });

    CMainDialog window;
    SetMainWindow(&window);
    window.OnCreate();
    window.OnInitDialog();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) std::fprintf(stderr, "window not exposed\n");
    const qint64 shown = sinceStart.elapsed();

    QWebEnginePage* page = window.DictPage().GetBrowser()->page();
    bool pageLoaded = false;
    QObject::connect(page, &QWebEnginePage::loadFinished, [&] { pageLoaded = true; });
    if (!WaitFor([&] { return pageLoaded; }, 30000)) {
        std::fprintf(stderr, "the dictionary page did not load\n");
    }
    const qint64 pageReady = sinceStart.elapsed();

    for (const char* query :
         {"shirt", "collar", "衬衫", "pleat", "dart", "纽扣", "yarn", "denim", "lining", "zip"}) {
        window.DictPage().QueryAndShow(ToAnsi(QString::fromUtf8(query)));
        WaitFor([] { return false; }, 200);
    }
    WaitFor([] { return false; }, 1000);

    std::printf("window shown, %zu entries loaded: %lld ms\n", window.Store().size(), shown);
    std::printf("dictionary page loaded:          %lld ms\n", pageReady);
    PrintMemory("memory after ten searches");
    return 0;
}
