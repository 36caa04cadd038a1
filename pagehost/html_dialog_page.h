// The web page of an HTML dialog (html_dialog.h). It recognises the bridge's prompts by their
// marker and hands the events they carry to the dialog; every other prompt is the page's own. A
// page of the program's own (one loaded by LoadProgramPage) stays at its address, and opens in
// the desktop's browser only a web link that the user has just clicked; a page from the network
// goes to web addresses only (page_navigation.h).
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QUrl>
#include <QWebEnginePage>
#include <functional>

#include "pagehost/html_event.h"

class QJsonObject;

class CHtmlBridgePage : public QWebEnginePage {
public:
    // How long after the user's click on a web link its navigation may follow.
    static constexpr qint64 kClickedLinkMs = 5000;

    // A page of profile, which must outlive it, owned by parent.
    CHtmlBridgePage(QString marker, std::function<HtmlEventResult(CHtmlEvent)> dispatch,
                    QWebEngineProfile* profile, QObject* parent);

    const QString& Marker() const { return m_marker; }

    // Loads the program's page at address, which it then keeps.
    void LoadProgramPage(const QUrl& address);

    // Shows html, which the program made, in place of the current document, on an origin of its
    // own that reaches neither files nor the network.
    void ShowOwnHtml(const QString& html);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& payload,
                          QString* result) override;

private:
    static CHtmlEvent ParseEvent(const QJsonObject& object);
    // Whether url is the web link the user clicked last, clicked no longer than kClickedLinkMs
    // ago and not yet opened; it then counts as opened.
    bool TakeClickedLink(const QUrl& url);

    QString m_marker;
    std::function<HtmlEventResult(CHtmlEvent)> m_dispatch;
    QUrl m_pageAddress;
    QUrl m_clickedLink;
    QElapsedTimer m_clickTime;
    bool m_ownHtmlPending = false;
};
