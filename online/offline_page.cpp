#include "online/offline_page.h"

#include <QFile>
#include <QWebEngineLoadingInfo>

#include "pagehost/page_navigation.h"

namespace {

// The network errors of the web engine that the page names; the numbers are the engine's.
enum NetError {
    kAborted = -3,
    kTimedOut = -7,
    kConnectionClosed = -100,
    kConnectionReset = -101,
    kConnectionRefused = -102,
    kNameNotResolved = -105,
    kInternetDisconnected = -106,
    kAddressUnreachable = -109,
    kConnectionTimedOut = -118,
    kNameResolutionFailed = -137,
    kEmptyResponse = -324,
    kContentLengthMismatch = -354,
    kIncompleteChunkedEncoding = -355,
};

}  // namespace

std::optional<QString> UnreachableReason(const QWebEngineLoadingInfo& info, const QUrl& startedAt) {
    // The tab goes to web addresses only (page_navigation.h), so a redirect elsewhere stops.
    if (info.status() == QWebEngineLoadingInfo::LoadStoppedStatus && IsWebAddress(startedAt) &&
        !IsWebAddress(info.url())) {
        return QStringLiteral("服务器把页面转到了一个不是网页的地址。");
    }
    if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus) return std::nullopt;
    if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain) {
        return QStringLiteral("服务器答复了错误（HTTP %1）。").arg(info.errorCode());
    }
    if (info.errorDomain() == QWebEngineLoadingInfo::CertificateErrorDomain) {
        return QStringLiteral("服务器的安全证书无效。");
    }
    switch (info.errorCode()) {
        case kAborted:
            return std::nullopt;
        case kNameNotResolved:
        case kNameResolutionFailed:
            return QStringLiteral("找不到服务器：它的名字无法解析。");
        case kConnectionRefused:
            return QStringLiteral("服务器拒绝了连接。");
        case kConnectionReset:
        case kConnectionClosed:
        case kEmptyResponse:
        case kContentLengthMismatch:
        case kIncompleteChunkedEncoding:
            return QStringLiteral("连接被中断，服务器没有发回页面。");
        case kTimedOut:
        case kConnectionTimedOut:
            return QStringLiteral("连接超时，服务器没有应答。");
        case kInternetDisconnected:
        case kAddressUnreachable:
            return QStringLiteral("本机无法连接到服务器所在的网络。");
        default:
            return QStringLiteral("网络错误（代码 %1）。").arg(info.errorCode());
    }
}

QString OfflinePageHtml(const QString& reason, const QUrl& retryAddress) {
    QFile resource(QStringLiteral(":/online/offline_page.html"));
    const QString page =
        resource.open(QIODevice::ReadOnly) ? QString::fromUtf8(resource.readAll()) : QString();
    return QString(page)
        .replace(QStringLiteral("@REASON@"), reason.toHtmlEscaped())
        .replace(QStringLiteral("@ADDRESS@"),
                 QString::fromLatin1(retryAddress.toEncoded()).toHtmlEscaped());
}
