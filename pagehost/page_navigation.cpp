#include "pagehost/page_navigation.h"

#include "platform/debug_output.h"
#include "platform/shell_open.h"

namespace {

void Refuse(const QUrl& url) {
    DebugOutput("Navigation refused " + url.toEncoded().toStdString() + "\r\n");
}

}  // namespace

bool IsWebAddress(const QUrl& url) {
    return url.isValid() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

bool AcceptProgramPageNavigation(const QUrl& pageAddress, const QUrl& url,
                                 QWebEnginePage::NavigationType type, bool isMainFrame,
                                 bool clickedByUser) {
    if (isMainFrame && url == pageAddress && type != QWebEnginePage::NavigationTypeLinkClicked) {
        return true;
    }
    if (clickedByUser && IsWebAddress(url)) {
        ShellOpen(url.toEncoded().toStdString());
    } else {
        Refuse(url);
    }
    return false;
}

bool AcceptWebPageNavigation(const QUrl& url, bool isMainFrame) {
    if (IsWebAddress(url)) return true;
    const bool emptyDocument =
        url.scheme() == QLatin1String("about") &&
        (url.path() == QLatin1String("blank") || url.path() == QLatin1String("srcdoc"));
    if (!isMainFrame && emptyDocument) return true;
    Refuse(url);
    return false;
}
