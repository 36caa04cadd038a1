// The application object: whatever a caller puts on the command line, the program starts the
// same way; the environment's settings still apply; its names are those of the data folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <QStyle>
#include <string>
#include <vector>

#include "app/dict_app.h"
#include "userdata/data_folder.h"

namespace {

TEST(DictAppTest, TheCommandLineChangesNothing) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<std::string> words = {
        "garment_dictionary", "-platform", "minimal",  "-style",        "windows",
        "-stylesheet",        "/no.qss",   "-reverse", "-qwindowtitle", "other",
        "--no-sandbox",       "-session",  "abc",      "lookup"};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    const CDictApp application(static_cast<int>(words.size()), argv.data());
    EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
    EXPECT_EQ(QCoreApplication::arguments(), QStringList{"garment_dictionary"});
    EXPECT_NE(QApplication::style()->name(), "windows");
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_FALSE(QGuiApplication::isRightToLeft());
}

// Qt's settings and data folder follow the program's names, not its executable's: the program
// and gdict share one data folder however the program is called.
TEST(DictAppTest, TheProgramKeepsItsDataWhereGdictLooks) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv(kDataFolderVariable);
    std::string name = "/opt/other/organiser-renamed";
    char* argv[] = {name.data(), nullptr};
    const CDictApp application(1, argv);
    EXPECT_EQ(QCoreApplication::applicationName(), QString::fromUtf8(kApplicationName));
    EXPECT_EQ(QCoreApplication::organizationName(), QString::fromUtf8(kOrganisationName));
    EXPECT_EQ(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString(),
              UserDataFolder());
}

}  // namespace
