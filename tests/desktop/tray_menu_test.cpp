// The tray icon and its menu on a real X server whose tray is trayer's: the icon shows, its
// menu holds the organiser, the two switches and the end, a switch changed there is kept, and
// a click on the icon asks for the organiser; all while the organiser runs its modal loop.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QStringList>

#include "app/lookup_switches.h"
#include "app/main_dialog.h"
#include "app/tray_menu.h"
#include "tests/support/temp_dir.h"
#include "ui_wait.h"
#include "x_desktop.h"

namespace {

TEST(TrayMenuTest, TheIconShowsItsMenuAndTheSwitches) {
    QProcess trayer;
    trayer.setStandardOutputFile(QProcess::nullDevice());
    trayer.setStandardErrorFile(QProcess::nullDevice());
    trayer.start(QStringLiteral("trayer"),
                 {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                  QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("request"),
                  QStringLiteral("--height"), QStringLiteral("28")});
    ASSERT_TRUE(trayer.waitForStarted()) << "trayer could not be started";
    ASSERT_TRUE(WaitFor(&CTrayMenu::Available, 10000)) << "no tray";

    const TempDir dir;
    QSettings settings(QString::fromStdString((dir / "settings.ini").string()),
                       QSettings::IniFormat);
    CLookupSwitches switches(settings, LookupAvailability(QStringLiteral("xcb"), true));
    // The organiser in the modal loop that is the program's life, which blocks the program's
    // other windows.
    QDialog organiser;
    organiser.setWindowModality(CMainDialog::kModality);
    organiser.setGeometry(0, 600, 120, 100);
    organiser.show();
    CTrayMenu tray(switches);
    QSignalSpy showDictionary(&tray, &CTrayMenu::ShowDictionary);
    tray.Show();
    // Shown once the tray has taken the icon's window in, away from the screen's corner.
    ASSERT_TRUE(WaitFor([&] { return tray.Icon().geometry().topLeft() != QPoint(0, 0); }, 10000));

    QStringList entries;
    for (const QAction* action : tray.Menu().actions()) entries << action->text();
    EXPECT_EQ(entries,
              (QStringList{QStringLiteral("显示词典"), QString(), QStringLiteral("复制取词"),
                           QStringLiteral("划词取词"), QString(), QStringLiteral("退出")}));
    EXPECT_TRUE(tray.CopyAction().isChecked());
    EXPECT_FALSE(tray.SelectionAction().isChecked());

    // The menu of a right click on the icon; a switch clicked there is kept.
    const QRect icon = tray.Icon().geometry();
    MovePointer(icon.center().x(), icon.center().y());
    ClickButton(3);
    ASSERT_TRUE(WaitFor([&] { return tray.Menu().isVisible(); }));
    WaitFor([] { return false; }, 300);
    const QRect menu = tray.Menu().geometry();
    SaveScreenshot(menu.united(icon).adjusted(-240, 0, 0, 40).intersected(QRect(0, 0, 1024, 768)),
                   QStringLiteral("tray_menu.png"));
    const QPoint selection =
        tray.Menu().mapToGlobal(tray.Menu().actionGeometry(&tray.SelectionAction()).center());
    MovePointer(selection.x(), selection.y());
    ClickButton(1);
    ASSERT_TRUE(WaitFor([&] { return switches.Selection(); }));
    EXPECT_TRUE(tray.SelectionAction().isChecked());
    EXPECT_TRUE(settings.value(CLookupSwitches::kSelectionKey).toBool());
    EXPECT_FALSE(tray.Menu().isVisible());

    // Switched elsewhere (on the about tab), the menu follows.
    switches.SetCopy(false);
    EXPECT_FALSE(tray.CopyAction().isChecked());

    MovePointer(icon.center().x(), icon.center().y());
    ClickButton(1);
    EXPECT_TRUE(WaitFor([&] { return showDictionary.count() == 1; }));

    trayer.kill();
    trayer.waitForFinished();
}

}  // namespace
