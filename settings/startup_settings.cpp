#include "settings/startup_settings.h"

#include <cstdio>
#include <stdexcept>

#include "crypto/cipher_method_set.h"
#include "crypto/text_cipher_key.h"
#include "files/program_directory.h"
#include "settings/text_constants.h"
#include "text/mbcs.h"

namespace {

// The four version numbers of the project, given by the build.
constexpr int kVersion[4] = {GDICT_VERSION_NUMBERS};
constexpr int kSplashTitleId = 0;

// Deciphers a stored text into target; on failure target stays empty and id is noted.
void Decipher(std::string_view stored, int id, std::string& target, std::vector<int>& failed) {
    if (stored.empty()) return;
    try {
        target = TheCipherMethodSet().TextCipher(CCipherMethodSet::kTea, TextCipherKey, stored);
    } catch (const std::runtime_error&) {
        failed.push_back(id);
    }
}

}  // namespace

std::string CStartupSettings::GetNoticeText() const {
    const std::lock_guard lock(m_noticeLock);
    return m_noticeText;
}

void CStartupSettings::SetNoticeText(std::string text) {
    const std::lock_guard lock(m_noticeLock);
    m_noticeText.swap(text);
}

CStartupSettings& TheStartupSettings() {
    static CStartupSettings settings;
    return settings;
}

std::string GetVersionText() {
    char text[48];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", kVersion[0], kVersion[1], kVersion[2],
                  kVersion[3]);
    return text;
}

std::vector<int> BuildStartupSettings(
    CStartupSettings& settings, const StringTable& table, std::string_view programDirectory,
    const std::function<void(CStartupSettings&)>& startNoticeWorker) {
    std::vector<int> failed;
    const auto entry = [&table](int id) -> std::string_view {
        const auto found = table.find(id);
        return found == table.end() ? std::string_view() : std::string_view(found->second);
    };
    const std::string directory(programDirectory);

    std::string dictionaryName;
    Decipher(entry(StringId::DictionaryFileName), StringId::DictionaryFileName, dictionaryName,
             failed);
    settings.goImagePath = directory + "/go.gif";
    settings.dictionaryPath = directory + "/" + FileNameFromAnsi(dictionaryName);

    Decipher(SplashTitleText, kSplashTitleId, settings.splashTitle, failed);
    Decipher(entry(StringId::RowTemplate), StringId::RowTemplate, settings.rowTemplate, failed);
    Decipher(entry(StringId::CellStart), StringId::CellStart, settings.cellStartHtml, failed);
    Decipher(entry(StringId::AboutText), StringId::AboutText, settings.aboutText, failed);
    Decipher(entry(StringId::OnlinePageUrl), StringId::OnlinePageUrl, settings.onlinePageUrl,
             failed);
    mbcs::ReplaceAll(settings.onlinePageUrl, "$ver", GetVersionText());
    Decipher(entry(StringId::SplashNotice), StringId::SplashNotice, settings.splashNotice, failed);
    Decipher(entry(StringId::Title), StringId::Title, settings.titleText, failed);
    Decipher(entry(StringId::LogoUrl), StringId::LogoUrl, settings.logoUrl, failed);
    if (startNoticeWorker) startNoticeWorker(settings);
    return failed;
}
