// The main of every UI test program: a QApplication on the offscreen platform, able to run the
// web engine as root (as CI does) and to serve the program's own pages, then the tests. The
// user's own lists and Qt's settings go to a folder of the program's own, so that no test reads or
// changes those of the person who runs them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>

#include "pagehost/program_scheme.h"
#include "temp_dir.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    const TempDir dataFolder;
    qputenv("GDICT_DATA_DIR", QByteArray::fromStdString((dataFolder / "data").string()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString((dataFolder / "settings").string()));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    RegisterProgramScheme();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
