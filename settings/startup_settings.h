// CStartupSettings: the paths and texts the program fills once at start-up, from its own
// directory and its string table, and reads everywhere afterwards.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// The program's string table: text by resource id. Entries 102, 104, 105, 107 and 109 to 111
// hold stored (enciphered hexadecimal) texts under the program's key text.
using StringTable = std::map<int, std::string>;

namespace StringId {
constexpr int Title = 102;
constexpr int RowTemplate = 104;
constexpr int CellStart = 105;
constexpr int AboutText = 107;
constexpr int OnlinePageUrl = 109;
constexpr int SplashNotice = 110;
constexpr int DictionaryFileName = 111;
constexpr int LogoUrl = 113;
}  // namespace StringId

// Texts are code page 936; paths are in the file system's own narrow encoding.
class CStartupSettings {
public:
    CStartupSettings() = default;
    CStartupSettings(const CStartupSettings&) = delete;
    CStartupSettings& operator=(const CStartupSettings&) = delete;
    virtual ~CStartupSettings() = default;

    // Set by BuildStartupSettings before any other thread exists; read-only afterwards.
    std::string goImagePath;
    std::string dictionaryPath;
    std::string splashTitle;
    std::string aboutText;
    std::string rowTemplate;
    std::string cellStartHtml;
    std::string onlinePageUrl;
    std::string splashNotice;
    std::string titleText;
    // The address that the tab window's logo opens.
    std::string logoUrl;

    // The server's notice: written by the notice worker while the page may read it, so it is
    // handed over whole under a lock.
    std::string GetNoticeText() const;
    void SetNoticeText(std::string text);

private:
    mutable std::mutex m_noticeLock;
    std::string m_noticeText;
};

// The program's one set of start-up settings.
CStartupSettings& TheStartupSettings();

// "1.0.0.5": the program's fixed version numbers.
std::string GetVersionText();

// Fills every field of settings but the notice: paths from programDirectory, texts deciphered
// from table and from the stored splash title; then, with every field set, starts the notice
// worker through startNoticeWorker when one is given. An entry that is missing or does not
// decipher leaves its field empty; the ids of entries that did not decipher are returned (the
// splash title as 0), so that the caller can report them.
std::vector<int> BuildStartupSettings(
    CStartupSettings& settings, const StringTable& table, std::string_view programDirectory,
    const std::function<void(CStartupSettings&)>& startNoticeWorker = nullptr);
