// CDlgOnline: the online tab's page, a browser that shows the publisher's online page. It
// navigates there once, when it is created, and never again by itself; when a navigation fails,
// it shows a page of its own with a retry link in place of the engine's error page. Its pages go
// to http and https addresses only, in a profile that cannot reach the program's origin (see
// html_dialog.h); what they ask to open in a new window opens in the desktop's browser. Enter and
// Escape leave it alone.
#pragma once

#include <QUrl>

#include "pagehost/html_dialog.h"

class QWebEngineLoadingInfo;

class CDlgOnline : public CHtmlDialog {
    Q_OBJECT
public:
    // The frame the page is meant for; the view shows the page itself.
    static constexpr const char* kTargetFrame = "Tavlex1.0";

    CDlgOnline();

    // Enter and Escape reach these; the page stays.
    void accept() override {}
    void reject() override {}

protected:
    bool OnInitDialog() override;

private:
    void OnLoadingChanged(const QWebEngineLoadingInfo& info);

    // Where the latest navigation started.
    QUrl m_loadStartedAt;
};
