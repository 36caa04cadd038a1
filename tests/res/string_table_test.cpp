// The string table and text constants as the build stored them: their forms and lengths, the key
// they are enciphered under, and that they come back as the sources' text in code page 936.
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "crypto/cipher_method_set.h"
#include "crypto/text_cipher_key.h"
#include "settings/startup_settings.h"
#include "settings/text_constants.h"
#include "tests/res/resource_files.h"
#include "text/mbcs.h"

namespace {

constexpr int kEncipheredIds[] = {102, 104, 105, 107, 109, 110, 111, 112, 113};
constexpr int kAllIds[] = {101, 102, 103, 104, 105, 107, 109, 110, 111, 112, 113};
const std::string kPublisherUrl = std::string("http://") + GDICT_PUBLISHER_HOST + "/";

std::string Stored(const std::string& name) {
    return ReadResource("strings/" + name + ".txt");
}

// The source text that the build stored as name (less one trailing newline), in code page 936.
std::string Plain(const std::string& name) {
    std::string text = ReadResource("strings/plain/" + name + ".txt");
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return mbcs::FromUtf8(text).value();
}

std::string Decipher(std::string_view stored) {
    return TheCipherMethodSet().TextCipher(CCipherMethodSet::kTea, TextCipherKey, stored);
}

void ExpectStoredHex(std::string_view text) {
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.size() % 16, 0u) << text;
    EXPECT_EQ(text.find_first_not_of("0123456789ABCDEF"), std::string_view::npos) << text;
}

TEST(StringTableTest, EncipheredEntriesComeBackAsTheirSources) {
    for (const int id : kEncipheredIds) {
        SCOPED_TRACE(id);
        const std::string stored = Stored(std::to_string(id));
        ExpectStoredHex(stored);
        EXPECT_EQ(Decipher(stored), Plain(std::to_string(id)));
    }
}

TEST(StringTableTest, PlainEntriesAreCodePage936Bytes) {
    EXPECT_EQ(Stored("101"), mbcs::FromUtf8("关于 服装词典(&A)...").value());
    EXPECT_EQ(Stored("103"), Plain("103"));
}

TEST(StringTableTest, PlainPageTextsAndAddresses) {
    for (const char* name : {"about_product_name", "about_notice_line"}) {
        EXPECT_EQ(Stored(name), Plain(name)) << name;
        EXPECT_FALSE(Stored(name).empty()) << name;
    }
    // The about page shows the version text after the product name.
    EXPECT_EQ(Stored("about_product_name"), mbcs::FromUtf8("服装词典").value());
    // The about page's link shows the publisher's host, which it opens as a web address.
    EXPECT_EQ(Stored("about_site_url"), GDICT_PUBLISHER_HOST);
    // The web dictionary's path is fixed; only the host is a build setting.
    EXPECT_EQ(Stored("web_dictionary_url"), kPublisherUrl + "kbase/dict.aspx");
}

TEST(StringTableTest, RowTemplatesMatchAndKeepThePlaceholdersInOrder) {
    const std::string plainRow = Stored("103");
    const std::string row = Decipher(Stored("104"));
    EXPECT_EQ(plainRow.size(), 184u);
    EXPECT_EQ(row, plainRow);
    std::size_t at = 0;
    for (const std::string_view placeholder : {"$sord", "$en", "$speak", "$cn"}) {
        at = row.find(placeholder, at);
        ASSERT_NE(at, std::string::npos) << placeholder;
    }
}

TEST(StringTableTest, AddressesAndFileNameComeFromTheBuildSettings) {
    const std::string onlinePage = Decipher(Stored("109"));
    EXPECT_EQ(onlinePage.rfind(kPublisherUrl, 0), 0u) << onlinePage;
    EXPECT_NE(onlinePage.find("$ver"), std::string::npos);
    EXPECT_EQ(Decipher(Stored("112")).rfind(kPublisherUrl, 0), 0u);
    EXPECT_EQ(Decipher(Stored("113")).rfind(kPublisherUrl, 0), 0u);
    EXPECT_EQ(Decipher(Stored("111")), GDICT_DICTIONARY_NAME);
}

TEST(TextConstantsTest, StoredLengthsAndTexts) {
    EXPECT_EQ(SplashTitleText.size(), 32u);
    ExpectStoredHex(SplashTitleText);
    const std::string title = Decipher(SplashTitleText);
    EXPECT_GE(title.size(), 9u);
    EXPECT_EQ(title, Plain("splash_title"));

    EXPECT_EQ(ResultFooterText.size(), 208u);
    ExpectStoredHex(ResultFooterText);
    const std::string footer = Decipher(ResultFooterText);
    EXPECT_GE(footer.size(), 97u);
    EXPECT_LE(footer.size(), 104u);
    EXPECT_EQ(footer, Plain("result_footer"));
}

TEST(StringTableTest, FillsTheStartupSettings) {
    StringTable table;
    for (const int id : kAllIds) table[id] = Stored(std::to_string(id));
    CStartupSettings settings;
    EXPECT_TRUE(BuildStartupSettings(settings, table, "/opt/gd").empty());
    EXPECT_EQ(settings.dictionaryPath, std::string("/opt/gd/") + GDICT_DICTIONARY_NAME);
    EXPECT_EQ(settings.splashTitle, Plain("splash_title"));
    EXPECT_EQ(settings.titleText, Plain("102"));
    EXPECT_EQ(settings.rowTemplate, Stored("103"));
    EXPECT_EQ(settings.cellStartHtml, Plain("105"));
    EXPECT_EQ(settings.aboutText, Plain("107"));
    EXPECT_EQ(settings.splashNotice, Plain("110"));
    EXPECT_EQ(settings.logoUrl, Plain("113"));
    EXPECT_EQ(settings.onlinePageUrl.find("$ver"), std::string::npos);
    EXPECT_NE(settings.onlinePageUrl.find("1.0.0.5"), std::string::npos);
}

}  // namespace
