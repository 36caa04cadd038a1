// The application object: whatever a caller puts on the command line, the program starts the
// same way; the environment's settings still apply.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStyle>
#include <string>
#include <vector>

#include "app/dict_app.h"

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

}  // namespace
