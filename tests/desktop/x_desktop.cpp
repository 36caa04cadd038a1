#include "x_desktop.h"

#include <gtest/gtest.h>

#include <xcb/xcb.h>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "ui_wait.h"

namespace {

constexpr int kToolMs = 10000;

}  // namespace

QString RunTool(const QString& program, const QStringList& args, const QByteArray& input) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted(kToolMs)) {
        ADD_FAILURE() << program.toStdString() << " could not be started";
        return {};
    }
    process.write(input);
    process.closeWriteChannel();
    const bool ended = process.waitForFinished(kToolMs);
    EXPECT_TRUE(ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        << program.toStdString() << " " << args.join(' ').toStdString() << ": "
        << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

void SetClipboard(const QString& text, const QString& selection) {
    // xclip stays in the background to serve its text, with the output it was given.
    QProcess xclip;
    xclip.setStandardOutputFile(QProcess::nullDevice());
    xclip.setStandardErrorFile(QProcess::nullDevice());
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-selection"), selection, QStringLiteral("-i")});
    ASSERT_TRUE(xclip.waitForStarted(kToolMs)) << "xclip could not be started";
    xclip.write(text.toUtf8());
    xclip.closeWriteChannel();
    ASSERT_TRUE(xclip.waitForFinished(kToolMs));
    EXPECT_EQ(xclip.exitCode(), 0);
}

void MovePointer(int x, int y) {
    // Not xdotool's --sync, which waits for ever when the pointer is there already.
    RunTool(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QString::number(x), QString::number(y)});
    EXPECT_TRUE(WaitFor([&] { return QCursor::pos() == QPoint(x, y); }, 2000));
}

void ClickButton(int button) {
    RunTool(QStringLiteral("xdotool"), {QStringLiteral("mousedown"), QString::number(button)});
    WaitFor([] { return false; }, 150);
    RunTool(QStringLiteral("xdotool"), {QStringLiteral("mouseup"), QString::number(button)});
}

void PressKey(const QString& key) {
    RunTool(QStringLiteral("xdotool"), {QStringLiteral("key"), key});
}

unsigned long FocusWindow() {
    return RunTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus")}).toULong();
}

void FocusOn(unsigned long window) {
    RunTool(QStringLiteral("xdotool"),
            {QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(window)});
}

Xterm::Xterm(const QStringList& lines, const QString& position) {
    // A character beyond ASCII takes two columns.
    int columns = 0;
    for (const QString& line : lines) {
        int width = 2;
        for (const QChar c : line) width += c.unicode() < 0x80 ? 1 : 2;
        columns = std::max(columns, width);
    }
    QStringList arguments{
        QStringLiteral("-geometry"),
        QStringLiteral("%1x%2%3").arg(columns).arg(lines.size() + 1).arg(position),
        QStringLiteral("-fa"),
        QStringLiteral("DejaVu Sans Mono"),
        QStringLiteral("-fd"),
        QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("-fs"),
        QStringLiteral("11"),
        QStringLiteral("-bg"),
        QStringLiteral("white"),
        QStringLiteral("-fg"),
        QStringLiteral("black"),
        QStringLiteral("-hold"),
        QStringLiteral("-e"),
        QStringLiteral("printf"),
        QStringLiteral("%s\\n")};
    arguments << lines;
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(QStringLiteral("xterm"), arguments);
    EXPECT_TRUE(m_process.waitForStarted(kToolMs)) << "xterm could not be started";
    m_window =
        RunTool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--sync"),
                                            QStringLiteral("--onlyvisible"),
                                            QStringLiteral("--class"), QStringLiteral("XTerm")})
            .section('\n', 0, 0)
            .toULong();
}

Xterm::~Xterm() {
    m_process.kill();
    m_process.waitForFinished(kToolMs);
}

QRect Xterm::Geometry() const {
    // "X=.. Y=.. WIDTH=.. HEIGHT=.." lines.
    const QString shell =
        RunTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"),
                                            QStringLiteral("--shell"), QString::number(m_window)});
    QRect geometry;
    for (const QString& line : shell.split('\n')) {
        const QString value = line.section('=', 1);
        if (line.startsWith(QLatin1String("X="))) geometry.moveLeft(value.toInt());
        if (line.startsWith(QLatin1String("Y="))) geometry.moveTop(value.toInt());
        if (line.startsWith(QLatin1String("WIDTH="))) geometry.setWidth(value.toInt());
        if (line.startsWith(QLatin1String("HEIGHT="))) geometry.setHeight(value.toInt());
    }
    return geometry;
}

void PaintDesktopBackground() {
    xcb_connection_t* connection =
        qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::uint32_t colour = 0x5A7FA8;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_BACK_PIXEL, &colour);
    xcb_clear_area(connection, 0, screen->root, 0, 0, 0, 0);
    xcb_flush(connection);
}

void SaveScreenshot(const QRect& area, const QString& name) {
    QDir().mkpath(QStringLiteral(GDICT_SCREENSHOT_DIR));
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(
        0, area.x(), area.y(), area.width(), area.height());
    EXPECT_TRUE(picture.save(QStringLiteral(GDICT_SCREENSHOT_DIR "/") + name));
}

unsigned long FindWindow(const QString& title, int timeoutMs) {
    unsigned long window = 0;
    WaitFor(
        [&] {
            QProcess search;
            search.start(QStringLiteral("xdotool"),
                         {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                          QStringLiteral("--name"), title});
            search.waitForFinished(kToolMs);
            window =
                QString::fromUtf8(search.readAllStandardOutput()).section('\n', 0, 0).toULong();
            return window != 0;
        },
        timeoutMs);
    return window;
}

bool IsAbove(unsigned long upper, unsigned long lower) {
    xcb_connection_t* connection =
        qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr), &std::free);
    if (!tree) return false;
    // The children of a window in stacking order, the lowest first.
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    int upperAt = -1;
    int lowerAt = -1;
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        if (children[i] == upper) upperAt = i;
        if (children[i] == lower) lowerAt = i;
    }
    return upperAt >= 0 && lowerAt >= 0 && upperAt > lowerAt;
}

void RaiseWindow(unsigned long window) {
    RunTool(QStringLiteral("xdotool"), {QStringLiteral("windowraise"), QString::number(window)});
}
