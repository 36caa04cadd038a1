#include "app/desktop_lookup.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTimer>

#include "app/close_to_tray.h"
#include "app/lookup_switch_box.h"
#include "app/main_dialog.h"
#include "app/tray_menu.h"
#include "platform/ansi_text.h"

namespace {

constexpr int kShowAgain = 1;
constexpr int kEnd = 0;

}  // namespace

CDesktopLookup::CDesktopLookup(CMainDialog& window, QSettings& settings, const CDictStore* ownTerms,
                               CEntryStars* stars, CPopupTimes times)
    : m_window(window),
      m_settings(settings),
      m_ownTerms(ownTerms),
      m_stars(stars),
      m_times(times),
      m_switches(settings, LookupAvailability(QGuiApplication::platformName(),
                                              QGuiApplication::clipboard()->supportsSelection())),
      m_watcher(QGuiApplication::clipboard(), [this](const std::string& query) { LookUp(query); }),
      m_switchBox(new CLookupSwitchBox(m_switches, &window.AboutPage())) {
    m_switchBox->setGeometry(window.AboutPage().MapDialogRect(
        QRect(kSwitchBoxLeft, kSwitchBoxTop, kSwitchBoxWidth, kSwitchBoxHeight)));
    connect(&m_switches, &CLookupSwitches::Changed, this, &CDesktopLookup::Watch);
    Watch();

    if (CTrayMenu::Available()) {
        m_tray = std::make_unique<CTrayMenu>(m_switches);
        connect(m_tray.get(), &CTrayMenu::ShowDictionary, this, &CDesktopLookup::ShowOrganiser);
        connect(m_tray.get(), &CTrayMenu::Quit, this, &CDesktopLookup::Quit);
        m_tray->Show();
        m_window.SetCloseHook([this] { return KeepRunningInTray(m_settings, &m_window); });
    }
}

CDesktopLookup::~CDesktopLookup() {
    m_window.SetCloseHook(nullptr);
}

void CDesktopLookup::Watch() {
    m_watcher.SetWatching(m_switches.CopyWatched(), m_switches.SelectionWatched());
    if (m_popup && !m_switches.CopyWatched() && !m_switches.SelectionWatched()) {
        m_popup->Dismiss();
    }
}

void CDesktopLookup::LookUp(const std::string& query) {
    if (!m_popup) {
        m_popup = std::make_unique<CLookupPopup>(&m_window, m_window.Store(), m_ownTerms, m_stars,
                                                 m_times);
        connect(m_popup.get(), &CLookupPopup::MoreRequested, this, [this](const QString& text) {
            m_window.ShowSearch(ToAnsi(text));
            ShowOrganiser();
        });
    }
    m_popup->ShowFor(query, QCursor::pos());
}

bool CDesktopLookup::WaitWhileHidden() {
    if (m_hidden.exec() != kShowAgain) return false;
    // The modal loop that follows shows the window; it comes forward once shown.
    QTimer::singleShot(0, &m_window, [this] { m_window.BringForward(); });
    return true;
}

void CDesktopLookup::ShowOrganiser() {
    if (m_hidden.isRunning()) {
        m_hidden.exit(kShowAgain);
    } else {
        m_window.BringForward();
    }
}

void CDesktopLookup::Quit() {
    m_window.SetCloseHook(nullptr);
    if (m_hidden.isRunning()) {
        m_hidden.exit(kEnd);
    } else {
        m_window.done(CMainDialog::kCancelResult);
    }
}
