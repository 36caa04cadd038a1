// CTrayMenu: the program's icon in the desktop's tray, where the desktop has one, with its
// menu: 显示词典 (the organiser), the two look-up switches and 退出. A click on the icon shows
// the organiser too.
#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

class CLookupSwitches;
class QAction;

class CTrayMenu : public QObject {
    Q_OBJECT
public:
    // True when the desktop has a tray to show the icon in.
    static bool Available();

    // An icon and menu that show and change switches, which must outlive them. The icon is
    // not shown before Show.
    explicit CTrayMenu(CLookupSwitches& switches);
    ~CTrayMenu() override;

    void Show();

    QSystemTrayIcon& Icon() { return m_icon; }
    QMenu& Menu() { return m_menu; }
    QAction& CopyAction() const { return *m_copy; }
    QAction& SelectionAction() const { return *m_selection; }

signals:
    void ShowDictionary();
    void Quit();

private:
    // Puts the switches' states into the menu's check marks.
    void ShowSwitches();

    CLookupSwitches& m_switches;
    QMenu m_menu;
    QSystemTrayIcon m_icon;
    QAction* m_copy;
    QAction* m_selection;
};
