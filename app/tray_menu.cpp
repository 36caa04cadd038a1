#include "app/tray_menu.h"

#include <QAction>
#include <QIcon>

#include "app/lookup_switches.h"

bool CTrayMenu::Available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

CTrayMenu::CTrayMenu(CLookupSwitches& switches) : m_switches(switches) {
    QIcon icon(QStringLiteral(":/icons/136.ico"));
    icon.addFile(QStringLiteral(":/icons/136.png"));
    m_icon.setIcon(icon);
    m_icon.setToolTip(QStringLiteral("服装词典"));

    m_menu.addAction(QStringLiteral("显示词典"), this, &CTrayMenu::ShowDictionary);
    m_menu.addSeparator();
    m_copy = m_menu.addAction(QStringLiteral("复制取词"));
    m_selection = m_menu.addAction(QStringLiteral("划词取词"));
    m_menu.addSeparator();
    m_menu.addAction(QStringLiteral("退出"), this, &CTrayMenu::Quit);
    m_copy->setCheckable(true);
    m_selection->setCheckable(true);
    // A switch the desktop does not allow is greyed, and its reason is its tip.
    const CLookupAvailability& availability = switches.Availability();
    m_copy->setEnabled(availability.copy);
    m_copy->setToolTip(availability.copyReason);
    m_selection->setEnabled(availability.selection);
    m_selection->setToolTip(availability.selectionReason);
    m_menu.setToolTipsVisible(true);
    ShowSwitches();

    connect(m_copy, &QAction::toggled, &m_switches, &CLookupSwitches::SetCopy);
    connect(m_selection, &QAction::toggled, &m_switches, &CLookupSwitches::SetSelection);
    connect(&m_switches, &CLookupSwitches::Changed, this, &CTrayMenu::ShowSwitches);
    m_icon.setContextMenu(&m_menu);
    connect(&m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    emit ShowDictionary();
            });
}

CTrayMenu::~CTrayMenu() = default;

void CTrayMenu::Show() {
    m_icon.show();
}

void CTrayMenu::ShowSwitches() {
    const QSignalBlocker copyBlocker(m_copy);
    const QSignalBlocker selectionBlocker(m_selection);
    m_copy->setChecked(m_switches.CopyWatched());
    m_selection->setChecked(m_switches.SelectionWatched());
}
