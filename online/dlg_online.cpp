#include "online/dlg_online.h"

#include <QWebEngineView>

#include "app/startup_settings.h"
#include "online/new_window_opener.h"

CDlgOnline::CDlgOnline() : CHtmlDialog(0) {}

bool CDlgOnline::OnInitDialog() {
    CHtmlDialog::OnInitDialog();
    OpenNewWindowsInBrowser(*GetBrowser()->page(), this);
    Navigate(TheStartupSettings().onlinePageUrl);
    return true;
}
