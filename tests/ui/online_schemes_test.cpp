// The online tab goes to http and https addresses only: links the user clicks, a script's
// navigation and a redirect to any other scheme (another program's, a file, the program's own
// origin) go nowhere and reach no program of the desktop.
#include <gtest/gtest.h>

#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <memory>
#include <string>
#include <vector>

#include "browser_recorder.h"
#include "loopback_server.h"
#include "online/dlg_online.h"
#include "page_script.h"
#include "pagehost/program_scheme.h"
#include "platform/ansi_text.h"
#include "settings/startup_settings.h"
#include "ui_wait.h"

namespace {

// The schemes the links below name, each with a recorder that stands in for its program.
const char* const kForeignSchemes[] = {"ssh", "smb", "mailto", "file", "gdict", "lumatexdesk"};

class OnlineSchemesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* scheme : kForeignSchemes) {
            m_recorders.push_back(std::make_unique<BrowserRecorder>(QString::fromLatin1(scheme)));
        }
        m_host.resize(300, 400);
    }

    // Shows the online page at address and waits until it has loaded.
    void Open(const QString& address) {
        TheStartupSettings().onlinePageUrl = ToAnsi(address);
        m_page.Create(&m_host);
        m_page.resize(m_host.size());
        QSignalSpy finished(m_page.GetBrowser()->page(), &QWebEnginePage::loadFinished);
        m_host.show();
        ASSERT_TRUE(WaitFor(
            [&] { return finished.count() > 0 && m_page.GetBrowser()->focusProxy() != nullptr; }));
    }

    QString Text(const QString& script) {
        return EvaluateInPage(m_page.GetBrowser()->page(), script).toString();
    }

    // Every address that went to a program of another scheme.
    std::vector<std::string> Handed() const {
        std::vector<std::string> handed;
        for (const auto& recorder : m_recorders) {
            for (const QUrl& url : recorder->opened) handed.push_back(url.toString().toStdString());
        }
        return handed;
    }

    LoopbackServer m_server;
    const BrowserRecorder m_browser;
    std::vector<std::unique_ptr<BrowserRecorder>> m_recorders;
    QDialog m_host;
    CDlgOnline m_page;
};

TEST_F(OnlineSchemesTest, LinksAndScriptsToOtherSchemesGoNowhere) {
    const char* const links[] = {"ssh://attacker@127.0.0.1/",  "smb://127.0.0.1/share/evil.desktop",
                                 "mailto:someone@example.org", "file:///etc/hostname",
                                 "gdict://app/page/103",       "lumatexdesk:open?item=1"};
    QString page = QStringLiteral("<html><body style='margin:0'>");
    int top = 0;
    for (const char* link : links) {
        page += QStringLiteral(
                    "<a href='%1' style='position:absolute;left:0;top:%2px;width:200px;"
                    "height:30px;display:block'>%1</a>")
                    .arg(QLatin1String(link))
                    .arg(top);
        top += 40;
    }
    page += QStringLiteral(
                "<a id=article href='%1' style='position:absolute;left:0;top:%2px;"
                "width:200px;height:30px;display:block'>article</a></body></html>")
                .arg(m_server.Address("/article"))
                .arg(top);
    m_server.Serve("/online", page.toUtf8(), "text/html");
    m_server.Serve("/article", "the article", "text/html");
    Open(m_server.Address("/online"));
    // The page's own script sends it to another scheme.
    EvaluateInPage(m_page.GetBrowser()->page(), "location.href = 'ssh://attacker@127.0.0.1/'; 0");

    for (int link = 0; link < static_cast<int>(std::size(links)); ++link) {
        QTest::mouseClick(m_page.GetBrowser()->focusProxy(), Qt::LeftButton, {},
                          QPoint(100, 15 + 40 * link));
    }
    QTest::qWait(500);
    EXPECT_EQ(Handed(), std::vector<std::string>());
    EXPECT_EQ(m_page.GetBrowser()->url(), QUrl(m_server.Address("/online")));

    // A web link navigates in the tab, as before.
    ASSERT_TRUE(ClickInPage(m_page.GetBrowser(), "#article"));
    ASSERT_TRUE(WaitFor([&] { return Text("document.body.innerText") == "the article"; }));
    EXPECT_TRUE(m_browser.opened.empty());
}

TEST_F(OnlineSchemesTest, RedirectsToOtherSchemesAndIntoTheProgramsOriginAreRefused) {
    // The dictionary page serves the program's origin to its profile, as in the program.
    ServeProgramScheme(QWebEngineProfile::defaultProfile());
    for (const char* target : {"gdict://app/page/103", "file:///etc/hostname", "ssh://h/"}) {
        SCOPED_TRACE(target);
        m_server.ServeRedirect("/online", target);
        TheStartupSettings().onlinePageUrl = ToAnsi(m_server.Address("/online"));
        CDlgOnline page;
        page.Create(&m_host);
        QWebEnginePage* web = page.GetBrowser()->page();
        // The tab's pages have a profile of their own, which serves nothing of the program's
        // origin.
        EXPECT_NE(web->profile(), QWebEngineProfile::defaultProfile());
        EXPECT_EQ(web->profile()->urlSchemeHandler("gdict"), nullptr);
        // The tab shows its own page, with a retry, in place of where the redirect went.
        ASSERT_TRUE(WaitFor([&] {
            return EvaluateInPage(web, "document.getElementById('retry') !== null").toBool();
        }));
        EXPECT_EQ(web->url().scheme(), "data");
        EXPECT_TRUE(EvaluateInPage(web, "document.getElementById('TxtBoxFind') === null").toBool());
    }
    EXPECT_EQ(Handed(), std::vector<std::string>());
}

}  // namespace
