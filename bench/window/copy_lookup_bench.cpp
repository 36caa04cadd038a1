// Copy to look up, measured the way a person meets it, on an X server ($DISPLAY; Xvfb will do):
// the time from the clipboard's change in another program to the popup painted on the screen,
// over 20 copies (median, fastest, slowest and the first, which makes the popup), and the
// memory of the program with its web processes, with the switch off and then on.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/desktop_lookup.h"
#include "app/lookup_switches.h"
#include "app/main_dialog.h"
#include "files/program_directory.h"
#include "pagehost/program_scheme.h"
#include "platform/fonts.h"
#include "platform/main_window.h"
#include "platform/message_box.h"
#include "platform/string_resources.h"
#include "process_memory.h"
#include "selection_owner.h"
#include "settings/startup_settings.h"
#include "ui_wait.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kCopies = 20;
constexpr const char* kTerms[] = {"interlining", "拉链", "collar", "denim",  "衬衫",
                                  "pocket",      "dart", "纽扣",   "lining", "zipper"};

// The moment of the popup's first paint after each showing, from the first popup on: the
// application's events are watched, as the popup is made by the first copy.
class PaintClock : public QObject {
public:
    explicit PaintClock(const CDesktopLookup& lookup) : m_lookup(lookup) {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted && watched != nullptr &&
            watched == m_lookup.Popup()) {
            painted = true;
            at = Clock::now();
        }
        return QObject::eventFilter(watched, event);
    }
    bool painted = false;
    Clock::time_point at;

private:
    const CDesktopLookup& m_lookup;
};

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    RegisterProgramScheme();
    QApplication application(argc, argv);
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "copy_lookup_bench needs an X server: DISPLAY=:N or xvfb-run\n");
        return 2;
    }
    InstallFontSubstitutions();
    BuildStartupSettings(TheStartupSettings(), LoadStringTable(), GetProgramDirectory());
    SetMessageBoxAnswerer([](const MessageBoxRequest&) { return MessageBoxAnswer::No; });

    const QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    settings.setValue(CLookupSwitches::kCopyKey, false);
    CMainDialog window;
    SetMainWindow(&window);
    CDesktopLookup lookup(window, settings);
    window.OnCreate();
    window.OnInitDialog();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) std::fprintf(stderr, "window not exposed\n");
    bool pageLoaded = false;
    QObject::connect(window.DictPage().GetBrowser()->page(), &QWebEnginePage::loadFinished,
                     [&] { pageLoaded = true; });
    WaitFor([&] { return pageLoaded && window.IsReady(); }, 30000);
    WaitFor([] { return false; }, 2000);
    PrintMemory("memory with copy to look up off");

    lookup.Switches().SetCopy(true);
    SelectionOwner owner;
    PaintClock paint(lookup);
    std::vector<double> times;
    for (int copy = 0; copy < kCopies; ++copy) {
        if (CLookupPopup* popup = lookup.Popup()) popup->Dismiss();
        WaitFor([] { return false; }, 150);
        paint.painted = false;
        const Clock::time_point copied = Clock::now();
        owner.Copy(kTerms[copy % std::size(kTerms)]);
        if (!WaitFor([&] { return paint.painted; }, 5000)) {
            std::fprintf(stderr, "no popup for copy %d\n", copy);
            return 1;
        }
        times.push_back(Milliseconds(paint.at - copied));
    }
    WaitFor([] { return false; }, 1000);

    const double first = times.front();
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const double median = (sorted[kCopies / 2 - 1] + sorted[kCopies / 2]) / 2;
    std::printf(
        "clipboard change to popup painted, %d copies: median %.1f ms, fastest %.1f ms, "
        "slowest %.1f ms, the first (which makes the popup) %.1f ms\n",
        kCopies, median, sorted.front(), sorted.back(), first);
    PrintMemory("memory with copy to look up on, after the copies");
    SetMainWindow(nullptr);
    return 0;
}
