// The online tab's own page for when the publisher's page cannot be reached: in Chinese, one
// line of why, and a retry link that navigates to the online page again.
#pragma once

#include <QString>
#include <QUrl>
#include <optional>

class QWebEngineLoadingInfo;

// The line of why, when info reports a navigation that failed in a way that the own page stands
// in for: the name was not found, the connection was refused, reset or timed out, the answer was
// an HTTP error, any other failure of the network, or a navigation that started at the web
// address startedAt was sent on (by a redirect) to an address that is not a web address, which
// the tab does not go to. Nullopt for a navigation that started, succeeded or was stopped
// otherwise (by the user, by the next navigation, or as one to another scheme).
std::optional<QString> UnreachableReason(const QWebEngineLoadingInfo& info, const QUrl& startedAt);

// The page, made from its resource: reason as its line of why, and a retry link to retryAddress.
// It loads nothing and runs no script; only the link leaves it.
QString OfflinePageHtml(const QString& reason, const QUrl& retryAddress);
