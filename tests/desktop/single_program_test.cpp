// The program itself on a real X server with a tray (trayer's), in a home of the test's own: a
// copy in another program opens its popup, whose "更多…" takes a click while the organiser runs
// its modal loop; a second start brings the running window forward and ends; the tray menu's
// 退出 ends the program; after a crash, the socket left behind does not keep the next start
// from running.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include "tests/support/temp_dir.h"
#include "ui_wait.h"
#include "x_desktop.h"

namespace {

constexpr char kProgram[] = GDICT_BIN_DIR "/garment_dictionary";
const QString kMainTitle = QStringLiteral("^服装词典$");
const QString kPopupTitle = QStringLiteral("^取词");

// The environment of a program run: its runtime, settings, data and cache folders in home.
QProcessEnvironment ProgramEnvironment(const TempDir& home) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString root = QString::fromStdString(home.path().string());
    for (const char* folder : {"run", "config", "data", "cache"}) QDir(root).mkpath(folder);
    QFile::setPermissions(root + "/run",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), root + "/run");
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root + "/config");
    environment.insert(QStringLiteral("XDG_DATA_HOME"), root + "/data");
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), root + "/cache");
    environment.insert(QStringLiteral("GDICT_DATA_DIR"), root + "/data");
    environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    return environment;
}

void Start(QProcess& program, const QProcessEnvironment& environment) {
    program.setProcessEnvironment(environment);
    program.setStandardOutputFile(QProcess::nullDevice());
    program.setStandardErrorFile(QProcess::nullDevice());
    program.start(QString::fromUtf8(kProgram), {});
    ASSERT_TRUE(program.waitForStarted());
}

// The geometry of a window, as xdotool tells it.
QRect GeometryOf(unsigned long window) {
    const QString shell = RunTool(
        QStringLiteral("xdotool"),
        {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), QString::number(window)});
    QRect geometry;
    for (const QString& line : shell.split('\n')) {
        const int value = line.section('=', 1).toInt();
        if (line.startsWith(QLatin1String("X="))) geometry.moveLeft(value);
        if (line.startsWith(QLatin1String("Y="))) geometry.moveTop(value);
        if (line.startsWith(QLatin1String("WIDTH="))) geometry.setWidth(value);
        if (line.startsWith(QLatin1String("HEIGHT="))) geometry.setHeight(value);
    }
    return geometry;
}

TEST(SingleProgramTest, TheProgramLooksUpComesForwardAndEndsFromItsTray) {
    QProcess trayer;
    trayer.setStandardOutputFile(QProcess::nullDevice());
    trayer.setStandardErrorFile(QProcess::nullDevice());
    trayer.start(
        QStringLiteral("trayer"),
        {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
         QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("request")});
    ASSERT_TRUE(trayer.waitForStarted());
    const unsigned long tray = FindWindow(QStringLiteral("^panel$"));
    ASSERT_NE(tray, 0u);

    const TempDir home;
    const QProcessEnvironment environment = ProgramEnvironment(home);
    QProcess first;
    Start(first, environment);
    const unsigned long window = FindWindow(kMainTitle);
    ASSERT_NE(window, 0u) << "the program's window did not show";

    const Xterm xterm({QStringLiteral("PO 4471: fusible interlining, 120 m")},
                      QStringLiteral("+60+80"));
    RaiseWindow(xterm.Window());
    ASSERT_TRUE(IsAbove(xterm.Window(), window));
    MovePointer(120, 95);
    SetClipboard(QStringLiteral("interlining"));
    const unsigned long popup = FindWindow(kPopupTitle, 10000);
    ASSERT_NE(popup, 0u) << "no popup for a copy in another program";
    // "更多…" lies in the popup's bottom-right corner; a click on it closes the popup at once.
    const QRect shown = GeometryOf(popup);
    MovePointer(shown.right() - 22, shown.bottom() - 12);
    ClickButton(1);
    EXPECT_TRUE(WaitFor([] { return FindWindow(kPopupTitle, 0) == 0; }, 2000))
        << "the popup took no click";

    RaiseWindow(xterm.Window());
    ASSERT_TRUE(IsAbove(xterm.Window(), window));
    QProcess second;
    Start(second, environment);
    ASSERT_TRUE(second.waitForFinished(10000)) << "the second start did not end";
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(WaitFor([&] { return IsAbove(window, xterm.Window()); }, 5000))
        << "the running window did not come forward";

    // The tray menu's last entry, 退出, ends the program.
    const QPoint icon = GeometryOf(tray).center();
    MovePointer(icon.x(), icon.y());
    ClickButton(3);
    WaitFor([] { return false; }, 500);
    PressKey(QStringLiteral("Up"));
    PressKey(QStringLiteral("Return"));
    EXPECT_TRUE(first.waitForFinished(10000)) << "退出 did not end the program";
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);

    // A program killed leaves its socket behind; the next start runs all the same.
    QProcess crashed;
    Start(crashed, environment);
    ASSERT_NE(FindWindow(kMainTitle), 0u);
    crashed.kill();
    crashed.waitForFinished();
    ASSERT_TRUE(WaitFor([] { return FindWindow(kMainTitle, 0) == 0; }, 5000));
    QProcess next;
    Start(next, environment);
    EXPECT_NE(FindWindow(kMainTitle), 0u);
    EXPECT_EQ(next.state(), QProcess::Running);
    next.kill();
    next.waitForFinished();
    trayer.kill();
    trayer.waitForFinished();
}

}  // namespace
