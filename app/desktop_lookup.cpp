#include "app/desktop_lookup.h"

#include <QBoxLayout>
#include <QCursor>
#include <QGuiApplication>
#include <QTimer>

#include "app/close_to_tray.h"
#include "app/lookup_switch_box.h"
#include "app/main_dialog.h"
#include "app/tray_menu.h"
#include "mywords/my_words_page.h"
#include "mywords/user_lists.h"
#include "platform/ansi_text.h"

namespace {

constexpr int kShowAgain = 1;
constexpr int kEnd = 0;

}  // namespace

CDesktopLookup::CDesktopLookup(CMainDialog& window, QSettings& settings, CPopupTimes times)
    : m_window(window),
      m_settings(settings),
      m_stars(*window.UserLists()),
      m_times(times),
      m_switches(settings, LookupAvailability(QGuiApplication::platformName(),
                                              QGuiApplication::clipboard()->supportsSelection())),
      m_watcher(QGuiApplication::clipboard(), [this](const std::string& query) { LookUp(query); }),
      m_switchBox(std::make_unique<CLookupSwitchBox>(m_switches)) {
    // After the history's switch, before the strip's closing stretch.
    window.MyWordsPage()->SwitchStrip()->insertWidget(1, m_switchBox.get());
    window.MyWordsPage()->SwitchNotes()->addWidget(&m_switchBox->Reason());
    connect(window.UserLists(), &CUserLists::wordBookChanged, this, [this] {
        if (m_popup) m_popup->RefreshStars();
    });
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
        CUserLists& lists = *m_window.UserLists();
        m_popup = std::make_unique<CLookupPopup>(
            &m_window, m_window.Store(), [&lists] { return lists.OwnTermStore(); }, &m_stars,
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
