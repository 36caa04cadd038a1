// New windows that the online page asks for: a link with target=_blank and a script's
// window.open, clicked by the user, open in the desktop's browser; windows no one asked for and
// addresses that are not web addresses open nothing; a desktop that cannot open one says so.
#include <gtest/gtest.h>

#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <string>
#include <vector>

#include "browser_recorder.h"
#include "loopback_server.h"
#include "online/dlg_online.h"
#include "online/new_window_opener.h"
#include "platform/message_box.h"
#include "settings/startup_settings.h"
#include "ui_wait.h"

namespace {

// Four blocks of 200 x 40 pixels, one under the other, each asking for a new window when it is
// clicked; and a script that asks for one by itself as the page loads.
QByteArray OnlinePage(const LoopbackServer& server) {
    const QString block =
        QStringLiteral("style='position:absolute;left:0;width:200px;height:40px;display:block;");
    return QStringLiteral(
               "<html><body style='margin:0'>"
               "<a href='%1' target='_blank' %4top:0'>article</a>"
               "<div onclick=\"window.open('%2')\" %4top:50px'>popup</div>"
               "<a href='file:///etc/hostname' target='_blank' %4top:100px'>file</a>"
               "<div onclick=\"window.open('javascript:void(0)')\" %4top:150px'>script</div>"
               "<script>window.open('%3');</script>"
               "</body></html>")
        .arg(server.Address(QStringLiteral("/article")), server.Address(QStringLiteral("/popup")),
             server.Address(QStringLiteral("/unasked")), block)
        .toUtf8();
}

class OnlineNewWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_server.Serve(QStringLiteral("/online"), OnlinePage(m_server), "text/html");
        SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
            m_boxes.push_back(request);
            return MessageBoxAnswer::Ok;
        });
        m_host.resize(300, 400);
    }
    void TearDown() override { SetMessageBoxAnswerer({}); }

    QString OnlineAddress() const { return m_server.Address(QStringLiteral("/online")); }

    // Waits until the page that view started to load has loaded and can be clicked.
    static void WaitUntilLoaded(QWebEngineView& view, QSignalSpy& finished) {
        ASSERT_TRUE(WaitFor([&] { return finished.count() > 0 && view.focusProxy() != nullptr; }));
    }

    static void ClickBlock(QWebEngineView& view, int index) {
        QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {}, QPoint(100, 20 + 50 * index));
    }

    LoopbackServer m_server;
    QDialog m_host;
    std::vector<MessageBoxRequest> m_boxes;
};

TEST_F(OnlineNewWindowTest, ClickedNewWindowsOpenInTheBrowserAndNothingElseDoes) {
    const BrowserRecorder browser;
    const BrowserRecorder files(QStringLiteral("file"));
    const BrowserRecorder scripts(QStringLiteral("javascript"));
    TheStartupSettings().onlinePageUrl = OnlineAddress().toStdString();
    CDlgOnline page;
    page.Create(&m_host);
    page.resize(m_host.size());
    QWebEngineView& view = *page.GetBrowser();
    QSignalSpy finished(view.page(), &QWebEnginePage::loadFinished);
    m_host.show();
    WaitUntilLoaded(view, finished);

    ClickBlock(view, 0);
    ASSERT_TRUE(WaitFor([&] { return browser.opened.size() == 1; }));
    ClickBlock(view, 1);
    ASSERT_TRUE(WaitFor([&] { return browser.opened.size() == 2; }));
    ClickBlock(view, 2);
    ClickBlock(view, 3);
    QTest::qWait(300);

    EXPECT_EQ(browser.opened, (std::vector<QUrl>{QUrl(m_server.Address("/article")),
                                                 QUrl(m_server.Address("/popup"))}));
    EXPECT_TRUE(files.opened.empty());
    EXPECT_TRUE(scripts.opened.empty());
    EXPECT_TRUE(m_boxes.empty());
    // The online page itself stays where it is.
    EXPECT_EQ(view.url(), QUrl(OnlineAddress()));
}

TEST_F(OnlineNewWindowTest, AnAddressTheDesktopCannotOpenIsReported) {
    QWebEngineView view(&m_host);
    view.resize(300, 400);
    std::vector<std::string> asked;
    OpenNewWindowsInBrowser(*view.page(), &m_host, [&](std::string_view address) {
        asked.emplace_back(address);
        return false;
    });
    QSignalSpy finished(view.page(), &QWebEnginePage::loadFinished);
    view.load(QUrl(OnlineAddress()));
    m_host.show();
    WaitUntilLoaded(view, finished);

    ClickBlock(view, 0);
    ASSERT_TRUE(WaitFor([&] { return !m_boxes.empty(); }));
    const QString article = m_server.Address(QStringLiteral("/article"));
    EXPECT_EQ(asked, std::vector<std::string>{article.toStdString()});
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_TRUE(m_boxes[0].text.contains(article)) << m_boxes[0].text.toStdString();
    EXPECT_EQ(m_boxes[0].type, MessageBoxType::IconWarning);
}

}  // namespace
