#include "pagehost/html_dialog_page.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "pagehost/page_navigation.h"
#include "platform/ansi_text.h"

CHtmlBridgePage::CHtmlBridgePage(QString marker,
                                 std::function<HtmlEventResult(CHtmlEvent)> dispatch,
                                 QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent),
      m_marker(std::move(marker)),
      m_dispatch(std::move(dispatch)) {}

void CHtmlBridgePage::LoadProgramPage(const QUrl& address) {
    m_pageAddress = address;
    load(address);
}

void CHtmlBridgePage::ShowOwnHtml(const QString& html) {
    m_ownHtmlPending = true;
    setHtml(html);
}

bool CHtmlBridgePage::acceptNavigationRequest(const QUrl& url, NavigationType type,
                                              bool isMainFrame) {
    if (!m_pageAddress.isEmpty()) {
        const bool clicked =
            type == NavigationTypeLinkClicked && isMainFrame && TakeClickedLink(url);
        return AcceptProgramPageNavigation(m_pageAddress, url, type, isMainFrame, clicked);
    }
    // The program's own page for a failed navigation comes as a data address.
    if (m_ownHtmlPending && isMainFrame && url.scheme() == QLatin1String("data")) {
        m_ownHtmlPending = false;
        return true;
    }
    return AcceptWebPageNavigation(url, isMainFrame);
}

bool CHtmlBridgePage::javaScriptPrompt(const QUrl& origin, const QString& message,
                                       const QString& payload, QString* result) {
    if (message != m_marker) {
        return QWebEnginePage::javaScriptPrompt(origin, message, payload, result);
    }
    const QJsonObject object = QJsonDocument::fromJson(payload.toUtf8()).object();
    const HtmlEventResult answer = m_dispatch(ParseEvent(object));
    const QString link = object.value("link").toString();
    if (answer == HtmlEventResult::allow && !link.isEmpty()) {
        m_clickedLink = QUrl(link);
        m_clickTime.start();
    }
    *result =
        answer == HtmlEventResult::cancel ? QStringLiteral("cancel") : QStringLiteral("allow");
    return true;
}

CHtmlEvent CHtmlBridgePage::ParseEvent(const QJsonObject& object) {
    CHtmlEvent event;
    event.name = ToAnsi(object.value("event").toString());
    event.source.id = ToAnsi(object.value("id").toString());
    event.source.tagName = ToAnsi(object.value("tag").toString());
    event.source.isTextEdit = object.value("textEdit").toBool();
    event.keyCode = object.value("keyCode").toInt();
    event.selectionHtml = ToAnsi(object.value("selection").toString());
    const QJsonObject values = object.value("values").toObject();
    for (auto it = values.begin(); it != values.end(); ++it) {
        event.values[ToAnsi(it.key())] = ToAnsi(it.value().toString());
    }
    return event;
}

bool CHtmlBridgePage::TakeClickedLink(const QUrl& url) {
    if (m_clickedLink.isEmpty() || !m_clickTime.isValid() ||
        m_clickTime.elapsed() > kClickedLinkMs || m_clickedLink != url) {
        return false;
    }
    m_clickedLink.clear();
    return true;
}
