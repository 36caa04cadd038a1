// Start-up settings: paths from the program directory, texts deciphered from the string table.
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "crypto/stored_text.h"
#include "crypto/text_cipher_key.h"
#include "files/program_directory.h"
#include "settings/startup_settings.h"

namespace {

std::string Stored(std::string_view plain) {
    return MakeStoredText(TextCipherKey, plain);
}

StringTable FullTable() {
    return {{StringId::Title, Stored("\xB7\xFE\xD7\xB0\xB4\xCA\xB5\xE4")},  // 服装词典
            {StringId::RowTemplate, Stored("<tr><td>%s</td></tr>")},
            {StringId::CellStart, Stored("<p>start</p>")},
            {StringId::AboutText, Stored("about")},
            {StringId::OnlinePageUrl, Stored("http://host/$ver/page?v=$ver")},
            {StringId::SplashNotice, Stored("loading")},
            {StringId::DictionaryFileName, Stored("words.dat")},
            {StringId::LogoUrl, Stored("http://host/logo")},
            {101, "plain entries are left alone"}};
}

TEST(StartupSettingsTest, FillsEveryFieldButTheNotice) {
    CStartupSettings settings;
    EXPECT_TRUE(BuildStartupSettings(settings, FullTable(), "/opt/gd").empty());
    EXPECT_EQ(settings.goImagePath, "/opt/gd/go.gif");
    EXPECT_EQ(settings.dictionaryPath, "/opt/gd/words.dat");
    EXPECT_EQ(settings.titleText, "\xB7\xFE\xD7\xB0\xB4\xCA\xB5\xE4");
    EXPECT_EQ(settings.rowTemplate, "<tr><td>%s</td></tr>");
    EXPECT_EQ(settings.cellStartHtml, "<p>start</p>");
    EXPECT_EQ(settings.aboutText, "about");
    EXPECT_EQ(settings.onlinePageUrl, "http://host/1.0.0.5/page?v=1.0.0.5");
    EXPECT_EQ(settings.splashNotice, "loading");
    EXPECT_EQ(settings.logoUrl, "http://host/logo");
    EXPECT_FALSE(settings.splashTitle.empty());
    EXPECT_EQ(settings.GetNoticeText(), "");
}

TEST(StartupSettingsTest, VersionText) {
    EXPECT_EQ(GetVersionText(), "1.0.0.5");
    StringTable table = FullTable();
    table[StringId::OnlinePageUrl] = Stored("http://host/page");
    CStartupSettings settings;
    BuildStartupSettings(settings, table, "/x");
    EXPECT_EQ(settings.onlinePageUrl, "http://host/page");
}

TEST(StartupSettingsTest, PathsKeepTheDirectoryAsItIs) {
    CStartupSettings spaced;
    BuildStartupSettings(spaced, FullTable(), "/home/user/服装 词典");
    EXPECT_EQ(spaced.goImagePath, "/home/user/服装 词典/go.gif");
    EXPECT_EQ(spaced.dictionaryPath, "/home/user/服装 词典/words.dat");

    CStartupSettings root;
    BuildStartupSettings(root, FullTable(), DirectoryOf("/gdict"));
    EXPECT_EQ(root.goImagePath, "/go.gif");

    // The string table's file name is code page 936; the file system's names are UTF-8.
    StringTable chinese = FullTable();
    chinese[StringId::DictionaryFileName] = Stored("\xB7\xFE\xD7\xB0\xB4\xCA\xB5\xE4.dat");
    CStartupSettings named;
    BuildStartupSettings(named, chinese, "/home/user/服装 词典");
    EXPECT_EQ(named.dictionaryPath, "/home/user/服装 词典/服装词典.dat");
}

TEST(StartupSettingsTest, MissingAndDamagedEntriesLeaveEmptyFields) {
    StringTable table = FullTable();
    table.erase(StringId::AboutText);
    table[StringId::SplashNotice] = "ABC";        // not whole blocks
    table[StringId::Title] = "0123456789abcdef";  // lowercase digits
    CStartupSettings settings;
    EXPECT_EQ(BuildStartupSettings(settings, table, "/x"),
              (std::vector<int>{StringId::SplashNotice, StringId::Title}));
    EXPECT_EQ(settings.aboutText, "");
    EXPECT_EQ(settings.splashNotice, "");
    EXPECT_EQ(settings.titleText, "");
    EXPECT_EQ(settings.cellStartHtml, "<p>start</p>");
}

TEST(NoticeTextTest, ReadersSeeAWholeOldOrNewText) {
    CStartupSettings settings;
    const std::string first(4000, 'a');
    const std::string second(6000, 'b');
    settings.SetNoticeText(first);
    std::atomic<bool> writing{true};
    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i) settings.SetNoticeText(i % 2 ? first : second);
        writing = false;
    });
    while (writing) {
        const std::string seen = settings.GetNoticeText();
        ASSERT_TRUE(seen == first || seen == second);
    }
    writer.join();
}

}  // namespace
