// The online tab's page: one navigation when it is created, and Enter and Escape leave it alone.
#include <gtest/gtest.h>

#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "app/startup_settings.h"
#include "online/dlg_online.h"
#include "ui_wait.h"

namespace {

TEST(OnlinePageTest, NavigatesOnceToTheOnlinePageAndIgnoresEnterAndEscape) {
    TheStartupSettings().onlinePageUrl = "about:blank#online";
    QDialog host;
    CDlgOnline page;
    page.Create(&host);
    host.show();
    QSignalSpy loads(page.GetBrowser()->page(), &QWebEnginePage::loadStarted);
    QSignalSpy finished(page.GetBrowser()->page(), &QWebEnginePage::loadFinished);
    ASSERT_TRUE(WaitFor([&] { return finished.count() > 0; }, 20000));
    EXPECT_EQ(page.GetBrowser()->url(), QUrl("about:blank#online"));

    QTest::keyClick(&page, Qt::Key_Escape);
    QTest::keyClick(&page, Qt::Key_Return);
    page.hide();
    page.show();
    QTest::qWait(300);
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(loads.count(), 1);
}

}  // namespace
