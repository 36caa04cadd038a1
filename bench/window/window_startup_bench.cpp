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
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_dialog.h"
#include "files/program_directory.h"
#include "pagehost/program_scheme.h"
#include "platform/ansi_text.h"
#include "platform/fonts.h"
#include "platform/main_window.h"
#include "platform/message_box.h"
#include "platform/string_resources.h"
#include "settings/startup_settings.h"
#include "ui_wait.h"

namespace {

// A "Name: <KiB> kB" figure of a /proc file of process pid; 0 when there is none.
long ProcKiB(int pid, const char* file, const std::string& name) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(name, 0) == 0) return std::stol(line.substr(name.size()));
    }
    return 0;
}

// Resident memory, and the proportional share that counts a page shared by n processes 1/n.
struct Memory {
    long resident = 0;
    long proportional = 0;
};

Memory MemoryOf(int pid) {
    return {ProcKiB(pid, "status", "VmRSS:"), ProcKiB(pid, "smaps_rollup", "Pss:")};
}

int ParentOf(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    const std::string text((std::istreambuf_iterator<char>(stat)),
                           std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream rest(text.substr(close + 2));
    char state = 0;
    int parent = 0;
    rest >> state >> parent;
    return parent;
}

// Every process that descends from root.
std::vector<int> Descendants(int root) {
    std::vector<int> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const int pid = std::stoi(name);
        for (int up = ParentOf(pid); up > 1; up = ParentOf(up)) {
            if (up == root) {
                found.push_back(pid);
                break;
            }
        }
    }
    return found;
}

}  // namespace

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
    std::printf("memory after ten searches (KiB): resident  proportional\n");
    const int self = static_cast<int>(QCoreApplication::applicationPid());
    std::vector<int> processes{self};
    for (int pid : Descendants(self)) processes.push_back(pid);
    Memory total;
    for (int pid : processes) {
        const Memory memory = MemoryOf(pid);
        std::printf("  %-9s %-8d %12ld %13ld\n", pid == self ? "program" : "web", pid,
                    memory.resident, memory.proportional);
        total.resident += memory.resident;
        total.proportional += memory.proportional;
    }
    std::printf("  all                %12ld %13ld\n", total.resident, total.proportional);
    return 0;
}
