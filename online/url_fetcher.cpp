#include "online/url_fetcher.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <memory>
#include <optional>
#include <string>

#include "files/private_file.h"
#include "platform/ansi_text.h"
#include "platform/debug_output.h"

namespace {

// Errors of the connection itself (as opposed to an HTTP answer such as 404, whose body is
// stored like any other): network and proxy failures, and protocol failures.
bool IsTransportError(QNetworkReply::NetworkError error) {
    const int code = static_cast<int>(error);
    return (code >= 1 && code <= 199) || (code >= 301 && code <= 399);
}

QNetworkRequest FreshRequest(const std::string& address) {
    QNetworkRequest request(QUrl(FromAnsi(address)));
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QString::fromLatin1(CUrlFetcher::kUserAgent));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader("Pragma", "no-cache");
    request.setRawHeader("Cache-Control", "no-cache");
    request.setTransferTimeout(CUrlFetcher::kStallTimeoutMs);
    return request;
}

}  // namespace

int CUrlFetcher::Download(std::string address, std::string filePath, int download) {
    if (download == 0) return 1;
    QNetworkAccessManager internet;
    FetchToFile(internet, address, filePath);
    return 1;
}

int CUrlFetcher::FetchToFile(QNetworkAccessManager& internet, const std::string& address,
                             const std::string& filePath) {
    const std::unique_ptr<QNetworkReply> reply(internet.get(FreshRequest(address)));
    // The reply keeps at most a few reads' worth of the body; the rest waits in the network.
    reply->setReadBufferSize(4 * kReadSize);
    const bool limited = maxBodyBytes > 0;

    QEventLoop loop;
    std::optional<CPrivateFile> file;
    std::string held;  // a limited body, until it has ended
    bool answered = false;
    bool fileFailed = false;
    bool tooLarge = false;
    std::int64_t total = 0;

    const auto refuse = [&] {
        tooLarge = true;
        reply->abort();
    };
    // The file is created (or emptied) when it is first written to, not before.
    const auto openFile = [&] {
        if (file || fileFailed) return !fileFailed;
        file = CPrivateFile::Create(filePath);
        fileFailed = !file.has_value();
        if (fileFailed) reply->abort();
        return !fileFailed;
    };
    // The address has answered: an unlimited body goes to the file from now on; a limited one
    // that announces more than the limit goes nowhere.
    const auto answer = [&] {
        if (answered) return !fileFailed && !tooLarge;
        answered = true;
        if (!limited) return openFile();
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maxBodyBytes) refuse();
        return !tooLarge;
    };
    const auto drain = [&] {
        char buffer[kReadSize];
        while (!tooLarge && reply->bytesAvailable() > 0) {
            const qint64 count = reply->read(buffer, kReadSize);
            if (count <= 0) break;
            total += count;
            if (!limited) {
                file->Write(buffer, static_cast<std::size_t>(count));
            } else if (total > maxBodyBytes) {
                refuse();
            } else {
                held.append(buffer, static_cast<std::size_t>(count));
            }
        }
    };
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, [&] { answer(); });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        if (answer()) drain();
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) loop.exec();

    if (fileFailed) return kFileNotCreated;
    const bool broken = IsTransportError(reply->error());
    if (!answered && broken) return kNotOpened;
    if (answer()) drain();
    if (tooLarge) {
        DebugOutput("Download refused: the answer of " + address + " is larger than " +
                    std::to_string(maxBodyBytes) + " bytes\r\n");
        return kTooLarge;
    }
    if (!openFile()) return kFileNotCreated;
    if (limited) file->Write(held.data(), held.size());
    // A body that could not be written whole is as incomplete as one that broke off.
    if (!file->Close() || broken) return kReadFailed;
    bytesReceived = static_cast<std::int32_t>(total);
    return kComplete;
}
