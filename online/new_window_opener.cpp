#include "online/new_window_opener.h"

#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWidget>
#include <utility>

#include "pagehost/page_navigation.h"
#include "platform/ansi_text.h"
#include "platform/message_box.h"

void OpenNewWindowsInBrowser(QWebEnginePage& page, QWidget* owner, DesktopOpener open) {
    QObject::connect(&page, &QWebEnginePage::newWindowRequested, &page,
                     [page = &page, owner = QPointer<QWidget>(owner),
                      open = std::move(open)](QWebEngineNewWindowRequest& request) {
                         const QUrl url = request.requestedUrl();
                         // Only web addresses leave the page: a page from the network must not
                         // make the desktop open local files or start other schemes' programs.
                         if (!request.isUserInitiated() || !IsWebAddress(url)) return;
                         const QString address = url.toString(QUrl::FullyEncoded);
                         if (open(ToAnsi(address))) return;
                         // Shown once the page has finished with the request, outside its call;
                         // not at all when the page has gone by then.
                         QTimer::singleShot(0, page, [owner, address] {
                             ShowMessageBox(
                                 owner, QStringLiteral("无法在浏览器中打开网页：\n%1").arg(address),
                                 MessageBoxType::IconWarning);
                         });
                     });
}
