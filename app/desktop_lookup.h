// CDesktopLookup: look up from anywhere, wired into the program: the two switches (kept in the
// settings), the watcher of what other programs copy and select, the popup that answers, the
// tray icon where the desktop has a tray, and the switches in the strip of the "我的" tab. The
// popup searches the user's own terms and keeps its stars in the word book. With a tray,
// closing the organiser can keep the program running there (asked once).
#pragma once

#include <QEventLoop>
#include <QObject>
#include <memory>
#include <string>

#include "app/clipboard_lookup.h"
#include "app/lookup_popup.h"
#include "app/lookup_switches.h"
#include "app/word_book_stars.h"

class CLookupSwitchBox;
class CMainDialog;
class CTrayMenu;
class QSettings;

class CDesktopLookup : public QObject {
    Q_OBJECT
public:
    // Looks copies up in window's dictionary and in the own terms of its lists, with the stars
    // of its word book. window (created: CMainDialog::Create) and settings must outlive the
    // object. Call before the window's modal loop starts.
    CDesktopLookup(CMainDialog& window, QSettings& settings, CPopupTimes times = {});
    ~CDesktopLookup() override;

    // After the window's modal loop ended with CMainDialog::kHiddenResult: runs the program in
    // the tray until the organiser is asked for again (true: run its modal loop again, it
    // comes forward) or the program is to end (false).
    bool WaitWhileHidden();

    // Brings the organiser forward, out of the tray when it is there.
    void ShowOrganiser();
    // Looks query (code page 936) up next to the pointer, as a copy of it does.
    void LookUp(const std::string& query);

    CLookupSwitches& Switches() { return m_switches; }
    CClipboardLookup& Watcher() { return m_watcher; }
    // Null before the first look-up that the dictionary answered.
    CLookupPopup* Popup() const { return m_popup.get(); }
    // Null where the desktop has no tray.
    CTrayMenu* Tray() const { return m_tray.get(); }
    CLookupSwitchBox& SwitchBox() const { return *m_switchBox; }

private:
    void Watch();
    void Quit();

    CMainDialog& m_window;
    QSettings& m_settings;
    CWordBookStars m_stars;
    CPopupTimes m_times;
    CLookupSwitches m_switches;
    CClipboardLookup m_watcher;
    std::unique_ptr<CLookupPopup> m_popup;
    std::unique_ptr<CTrayMenu> m_tray;
    // In the window's tab, taken out of it before the switches go.
    std::unique_ptr<CLookupSwitchBox> m_switchBox;
    QEventLoop m_hidden;
};
