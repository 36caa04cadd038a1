#include "online/dlg_online.h"

#include "app/startup_settings.h"

CDlgOnline::CDlgOnline() : CHtmlDialog(0) {}

bool CDlgOnline::OnInitDialog() {
    CHtmlDialog::OnInitDialog();
    Navigate(TheStartupSettings().onlinePageUrl);
    return true;
}
