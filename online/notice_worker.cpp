#include "online/notice_worker.h"

#include <QDir>
#include <QFile>
#include <QNetworkProxyFactory>
#include <QStandardPaths>
#include <atomic>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>

#include "crypto/cipher_method_set.h"
#include "crypto/text_cipher_key.h"
#include "files/file_name.h"
#include "files/private_file.h"
#include "online/url_fetcher.h"
#include "platform/debug_output.h"
#include "platform/message_box.h"
#include "platform/string_resources.h"
#include "settings/notice_state.h"
#include "settings/startup_settings.h"
#include "text/mbcs.h"

namespace {

constexpr const char* kNoticeAddressId = "112";

std::atomic<bool> g_workerRunning{false};

bool Contains(std::string_view text, std::string_view marker) {
    return mbcs::FindOnBoundary(text, marker) != std::string_view::npos;
}

// Stores text as the notice when it is one.
void Accept(CStartupSettings& settings, std::string text) {
    if (Contains(text, NoticeMarker::Ad)) settings.SetNoticeText(std::move(text));
}

}  // namespace

std::string ReadNoticeFile(const std::string& path) {
    // The size of the file itself, not of what a link there points to (which is not read).
    std::error_code error;
    const std::filesystem::path file = PathOfName(path);
    if (std::filesystem::symlink_status(file, error).type() ==
            std::filesystem::file_type::regular &&
        std::filesystem::file_size(file, error) > static_cast<std::uintmax_t>(kNoticeMaxBytes)) {
        DebugOutput("Cached notice not read: " + path + " is larger than " +
                    std::to_string(kNoticeMaxBytes) + " bytes\r\n");
        return {};
    }
    const std::optional<std::string> bytes = ReadPrivateFile(path);
    if (!bytes) return {};
    std::string text;
    text.reserve(bytes->size());
    for (std::size_t at = 0; at < bytes->size(); ++at) {
        const char c = (*bytes)[at];
        if (c == '\n') continue;
        if (c == '\r' && at + 1 < bytes->size() && (*bytes)[at + 1] == '\n') continue;
        text += c;
    }
    return text;
}

void RunNoticePass(CStartupSettings& settings, const std::string& requestAddress,
                   const std::string& responsePath) {
    Accept(settings, ReadNoticeFile(responsePath));
    CUrlFetcher fetcher;
    fetcher.maxBodyBytes = kNoticeMaxBytes;
    if (fetcher.Download(requestAddress, responsePath, 1) != 0) {
        Accept(settings, ReadNoticeFile(responsePath));
    }

    // The flag follows the notice it asks for, so a reader that sees it set finds the notice.
    const std::string notice = settings.GetNoticeText();
    if (Contains(notice, NoticeMarker::PowerAd)) showNoticeInPage.store(1);
    if (Contains(notice, NoticeMarker::Upgrade)) {
        ShowMessageBoxAndWait(QStringLiteral("请到Lumatex升级最新版本！"), MessageBoxType::Ok);
    }
}

unsigned NoticeWorker(CStartupSettings* settings, const std::string& responsePath) {
    std::string address;
    try {
        address = TheCipherMethodSet().TextCipher(CCipherMethodSet::kTea, TextCipherKey,
                                                  LoadStringResource(kNoticeAddressId));
    } catch (const std::runtime_error&) {
        return 0;  // no address, no request
    }
    RunNoticePass(*settings, address + "?Ver=" + GetVersionText(), responsePath);
    return 0;
}

void StartNoticeWorker(CStartupSettings& settings) {
    static std::atomic<bool> started{false};
    if (started.exchange(true)) return;

    // A per-user folder: in a shared one another user could plant a link at the fixed name.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(folder);
    std::string responsePath = QFile::encodeName(folder + "/" + kResponseFileName).toStdString();
    // Requests go through the desktop's proxy settings.
    QNetworkProxyFactory::setUseSystemConfiguration(true);

    LaunchNoticeWorker([&settings, responsePath = std::move(responsePath)] {
        NoticeWorker(&settings, responsePath);
    });
}

void LaunchNoticeWorker(std::function<void()> pass) {
    g_workerRunning.store(true);
    std::thread([pass = std::move(pass)] {
        // An exception would end the whole program from here: it ends the pass instead.
        try {
            pass();
        } catch (const std::exception& error) {
            DebugOutput(std::string("Notice worker stopped: ") + error.what() + "\r\n");
        } catch (...) {
            DebugOutput("Notice worker stopped\r\n");
        }
        g_workerRunning.store(false);
    }).detach();
}

bool NoticeWorkerRunning() {
    return g_workerRunning.load();
}
