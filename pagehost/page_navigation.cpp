#include "pagehost/page_navigation.h"

#include "platform/debug_output.h"
#include "platform/shell_open.h"

bool AcceptProgramPageNavigation(const QUrl& pageAddress, const QUrl& url,
                                 QWebEnginePage::NavigationType type, bool isMainFrame) {
    if (isMainFrame && url == pageAddress && type != QWebEnginePage::NavigationTypeLinkClicked) {
        return true;
    }
    const QByteArray address = url.toEncoded();
    const bool webLink =
        url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
    if (isMainFrame && type == QWebEnginePage::NavigationTypeLinkClicked && webLink) {
        ShellOpen(address.toStdString());
    } else {
        DebugOutput("Navigation refused " + address.toStdString() + "\r\n");
    }
    return false;
}
