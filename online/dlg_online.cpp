#include "online/dlg_online.h"

#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "online/new_window_opener.h"
#include "online/offline_page.h"
#include "platform/ansi_text.h"
#include "settings/startup_settings.h"

CDlgOnline::CDlgOnline() : CHtmlDialog(0) {}

bool CDlgOnline::OnInitDialog() {
    CHtmlDialog::OnInitDialog();
    // Queued: the own page replaces the failed one once the engine has finished with it.
    connect(GetBrowser()->page(), &QWebEnginePage::loadingChanged, this,
            &CDlgOnline::OnLoadingChanged, Qt::QueuedConnection);
    OpenNewWindowsInBrowser(*GetBrowser()->page(), this);
    Navigate(TheStartupSettings().onlinePageUrl);
    return true;
}

void CDlgOnline::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) m_loadStartedAt = info.url();
    const std::optional<QString> reason = UnreachableReason(info, m_loadStartedAt);
    if (!reason) return;
    ShowOwnHtml(OfflinePageHtml(*reason, QUrl(FromAnsi(TheStartupSettings().onlinePageUrl))));
}
