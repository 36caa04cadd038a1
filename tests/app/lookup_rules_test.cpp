// The rules of look-up from anywhere that need no display: where the popup goes, what each
// desktop allows, the switches kept across runs, the question about the tray asked once, and
// one program at a time with a socket left behind by a crash.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>

#include <cstring>
#include <memory>

#include "app/close_to_tray.h"
#include "app/lookup_switches.h"
#include "app/popup_placement.h"
#include "app/single_instance.h"
#include "platform/message_box.h"
#include "tests/support/temp_dir.h"

namespace {

QCoreApplication& Application() {
    static int argc = 1;
    static char name[] = "lookup_rules_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    return application;
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

TEST(PopupPlacementTest, NextToThePointerAndInsideTheScreen) {
    const QRect screen(0, 0, 1024, 768);
    const QRect second(1024, 0, 800, 600);
    const QSize size(320, 200);
    const struct {
        QPoint pointer;
        QSize size;
        QRect screen;
        QPoint expected;
    } cases[] = {
        {{100, 100}, size, screen, {112, 112}},
        {{1000, 100}, size, screen, {1000 - 12 - 320 + 1, 112}},  // left of the pointer
        {{100, 700}, size, screen, {112, 700 - 12 - 200 + 1}},    // above it
        {{1023, 767}, size, screen, {692, 556}},                  // the corner
        {{5, 5}, size, screen, {17, 17}},
        {{1800, 550}, size, second, {1469, 339}},                 // the second screen's edges
        {{200, 100}, {300, 900}, screen, {212, 0}},               // taller than the screen
        {{100, 300}, size, QRect(0, 30, 1024, 738), {112, 312}},  // a panel at the top
    };
    for (const auto& [pointer, popup, area, expected] : cases) {
        const QPoint at = PopupPosition(pointer, popup, area);
        EXPECT_EQ(at, expected) << pointer.x() << "," << pointer.y();
        if (popup.height() <= area.height()) {
            EXPECT_TRUE(area.contains(QRect(at, popup)));
        }
        EXPECT_FALSE(QRect(at, popup).contains(pointer)) << "the popup covers the pointer";
    }
}

TEST(LookupSwitchesTest, EachDesktopAllowsWhatItCan) {
    const struct {
        const char* platform;
        bool selection;
        bool copyAllowed;
        bool selectionAllowed;
    } cases[] = {
        {"xcb", true, true, true},        {"xcb", false, true, false},
        {"wayland", false, false, false}, {"wayland-egl", true, false, false},
        {"windows", false, true, false},  {"offscreen", false, false, false},
        {"minimal", true, false, false},
    };
    for (const auto& [platform, selection, copyAllowed, selectionAllowed] : cases) {
        const CLookupAvailability availability = LookupAvailability(platform, selection);
        EXPECT_EQ(availability.copy, copyAllowed) << platform;
        EXPECT_EQ(availability.selection, selectionAllowed) << platform;
        // What is refused says why, in one line; what is allowed says nothing.
        EXPECT_EQ(availability.copyReason.isEmpty(), copyAllowed) << platform;
        EXPECT_EQ(availability.selectionReason.isEmpty(), selectionAllowed) << platform;
        EXPECT_FALSE(availability.copyReason.contains('\n'));
    }
}

TEST(LookupSwitchesTest, SwitchesAreKeptAcrossRunsAndWatchedOnlyWhereAllowed) {
    Application();
    const TempDir dir;
    const QString file = QString::fromStdString((dir / "settings.ini").string());
    {
        QSettings settings(file, QSettings::IniFormat);
        CLookupSwitches switches(settings, LookupAvailability("xcb", true));
        EXPECT_TRUE(switches.Copy());
        EXPECT_FALSE(switches.Selection());
        QSignalSpy changed(&switches, &CLookupSwitches::Changed);
        switches.SetCopy(false);
        switches.SetCopy(false);
        switches.SetSelection(true);
        EXPECT_EQ(changed.count(), 2);
    }
    QSettings settings(file, QSettings::IniFormat);
    const CLookupSwitches onX11(settings, LookupAvailability("xcb", true));
    EXPECT_FALSE(onX11.CopyWatched());
    EXPECT_TRUE(onX11.SelectionWatched());
    const CLookupSwitches onWayland(settings, LookupAvailability("wayland", false));
    EXPECT_TRUE(onWayland.Selection());
    EXPECT_FALSE(onWayland.SelectionWatched());
}

TEST(CloseToTrayTest, TheQuestionIsAskedOnceAndItsAnswerKept) {
    const TempDir dir;
    QSettings settings(QString::fromStdString((dir / "settings.ini").string()),
                       QSettings::IniFormat);
    int asked = 0;
    int answer = MessageBoxAnswer::Yes;
    SetMessageBoxAnswerer([&](const MessageBoxRequest& request) {
        ++asked;
        EXPECT_TRUE(request.text.contains(QStringLiteral("托盘")));
        EXPECT_EQ(request.type, MessageBoxType::YesNo | MessageBoxType::IconQuestion);
        return answer;
    });
    EXPECT_TRUE(KeepRunningInTray(settings, nullptr));
    EXPECT_TRUE(KeepRunningInTray(settings, nullptr));
    EXPECT_EQ(asked, 1);

    settings.remove(kCloseToTrayKey);
    answer = MessageBoxAnswer::No;
    EXPECT_FALSE(KeepRunningInTray(settings, nullptr));
    EXPECT_FALSE(KeepRunningInTray(settings, nullptr));
    EXPECT_EQ(asked, 2);
    SetMessageBoxAnswerer(nullptr);
}

// A socket file as a program that was killed leaves it: bound, but no one listens.
void LeaveDeadSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = path.toLocal8Bit();
    ASSERT_LT(static_cast<std::size_t>(name.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
}

TEST(SingleInstanceTest, ASecondStartBringsTheFirstForward) {
    Application();
    const TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    CSingleInstance first(folder);
    ASSERT_TRUE(first.Claim());
    QSignalSpy forward(&first, &CSingleInstance::ActivationRequested);

    CSingleInstance second(folder);
    EXPECT_FALSE(second.Claim());
    EXPECT_TRUE(WaitFor([&] { return forward.count() == 1; }));
    CSingleInstance third(folder);
    EXPECT_FALSE(third.Claim());
    EXPECT_TRUE(WaitFor([&] { return forward.count() == 2; }));
}

TEST(SingleInstanceTest, ASocketLeftByACrashDoesNotBlockAStart) {
    Application();
    const TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    CSingleInstance crashed(folder);
    LeaveDeadSocket(crashed.SocketPath());

    CSingleInstance next(folder);
    EXPECT_TRUE(next.Claim());
    QSignalSpy forward(&next, &CSingleInstance::ActivationRequested);
    CSingleInstance after(folder);
    EXPECT_FALSE(after.Claim()) << "the program that took the socket over listens on it";
    EXPECT_TRUE(WaitFor([&] { return forward.count() == 1; }));
}

}  // namespace
