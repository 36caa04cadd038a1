// The online tab's page: one navigation when it is created, Enter and Escape leave it alone, and
// a page of its own, with a retry, when the publisher's page cannot be reached.
#include <gtest/gtest.h>

#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "loopback_server.h"
#include "online/dlg_online.h"
#include "page_script.h"
#include "platform/ansi_text.h"
#include "settings/startup_settings.h"
#include "ui_wait.h"

namespace {

TEST(OnlinePageTest, NavigatesOnceToTheOnlinePageAndIgnoresEnterAndEscape) {
    LoopbackServer server;
    server.Serve("/online", "<html><body>online</body></html>", "text/html");
    TheStartupSettings().onlinePageUrl = ToAnsi(server.Address("/online"));
    QDialog host;
    CDlgOnline page;
    page.Create(&host);
    host.show();
    QSignalSpy loads(page.GetBrowser()->page(), &QWebEnginePage::loadStarted);
    QSignalSpy finished(page.GetBrowser()->page(), &QWebEnginePage::loadFinished);
    ASSERT_TRUE(WaitFor([&] { return finished.count() > 0; }, 20000));
    EXPECT_EQ(page.GetBrowser()->url(), QUrl(server.Address("/online")));

    QTest::keyClick(&page, Qt::Key_Escape);
    QTest::keyClick(&page, Qt::Key_Return);
    page.hide();
    page.show();
    QTest::qWait(300);
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(loads.count(), 1);
}

class UnreachableOnlinePageTest : public ::testing::Test {
protected:
    // Creates the page for address and waits until it shows its own page.
    void Open(const QString& address) {
        TheStartupSettings().onlinePageUrl = ToAnsi(address);
        m_page.Create(&m_host);
        m_host.resize(270, 380);
        m_host.show();
        ASSERT_TRUE(WaitFor([&] { return Eval("document.getElementById('retry') !== null"); }))
            << "no page of its own for " << address.toStdString();
    }
    bool Eval(const QString& script) {
        return EvaluateInPage(m_page.GetBrowser()->page(), script).toBool();
    }
    std::string Text(const QString& script) {
        return EvaluateInPage(m_page.GetBrowser()->page(), script).toString().toStdString();
    }

    QDialog m_host;
    CDlgOnline m_page;
};

TEST_F(UnreachableOnlinePageTest, RefusedConnectionShowsWhyAndRetryReachesTheServerOnceItAnswers) {
    const QString address = LoopbackServer::DeadAddress("/online?ver=1.0.0.5");
    Open(address);
    EXPECT_EQ(Text("document.querySelector('.message b').textContent"),
              "暂时无法打开出版商的在线页面。");
    EXPECT_EQ(Text("document.getElementById('reason').textContent"), "服务器拒绝了连接。");
    EXPECT_EQ(Text("document.getElementById('retry').textContent"), "重试");
    EXPECT_EQ(Text("document.getElementById('retry').href"), address.toStdString());
    // The page is of no file's origin and may fetch nothing, from the network or from files.
    EXPECT_EQ(Text("location.protocol"), "data:");
    LoopbackServer server(QUrl(address).port());
    server.Serve("/online", "the publisher's page");
    Eval(QStringLiteral("fetch('%1').catch(() => 0);"
                        "fetch('file:///etc/hostname').then(() => window.fileRead = true, () => 0);"
                        "document.body.appendChild(new Image()).src = '%1';")
             .arg(server.Address("/probe")));
    QTest::qWait(200);
    EXPECT_TRUE(server.requests.empty());
    EXPECT_FALSE(Eval("window.fileRead === true"));

    // Only the user's retry navigates.
    ASSERT_TRUE(ClickInPage(m_page.GetBrowser(), "#retry"));
    ASSERT_TRUE(WaitFor([&] { return Text("document.body.innerText") == "the publisher's page"; }));
    EXPECT_EQ(m_page.GetBrowser()->url(), QUrl(address));
    ASSERT_FALSE(server.requests.empty());
    EXPECT_TRUE(server.requests[0].startsWith("GET /online?ver=1.0.0.5 "));
}

TEST_F(UnreachableOnlinePageTest, HttpErrorStatusShowsWhy) {
    LoopbackServer server;
    Open(server.Address("/missing"));
    EXPECT_EQ(Text("document.getElementById('reason').textContent"),
              "服务器答复了错误（HTTP 404）。");
}

TEST_F(UnreachableOnlinePageTest, ConnectionBrokenOffShowsWhy) {
    LoopbackServer server;
    server.ServeBroken("/online", "<html><body>half a pa", 4000);
    Open(server.Address("/online"));
    EXPECT_EQ(Text("document.getElementById('reason').textContent"),
              "连接被中断，服务器没有发回页面。");
}

}  // namespace
