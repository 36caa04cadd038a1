// The main of the desktop tests: a virtual X server of their own, a QApplication on it through
// Qt's X11 platform with the program's font substitutions, then the tests; the server ends
// with them. Listing the tests (as ctest
// does to learn them) starts no server.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/fonts.h"
#include "x_desktop.h"
#include "xvfb_server.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();

    const XvfbServer server(1024, 768);
    setenv("DISPLAY", server.Display().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // Whatever the session around the test, the programs it starts see only this X server.
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    int result = 0;
    {
        QApplication application(argc, argv);
        InstallFontSubstitutions();
        PaintDesktopBackground();
        result = RUN_ALL_TESTS();
    }
    return result;
}
