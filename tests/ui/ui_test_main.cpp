// The main of every UI test program: a QApplication on the offscreen platform, able to run the
// web engine as root (as CI does) and to serve the program's own pages, then the tests.
#include <gtest/gtest.h>

#include <QApplication>

#include "pagehost/program_scheme.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    RegisterProgramScheme();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
