// Qt and the web engine speak Simplified Chinese once the program's locale is installed: the
// standard buttons, the engine's own pages, the language pages are told and the one requests ask
// for.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QWebEnginePage>

#include "loopback_server.h"
#include "page_script.h"
#include "platform/chinese_locale.h"
#include "ui_wait.h"

namespace {

class ChineseLocaleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InstallChineseLocale(); }

    // Loads address and waits until the page has finished, well or not.
    static void Load(QWebEnginePage& page, const QString& address) {
        QSignalSpy finished(&page, &QWebEnginePage::loadFinished);
        page.load(QUrl(address));
        ASSERT_TRUE(WaitFor([&] { return finished.count() > 0; }));
    }
    static QString Eval(QWebEnginePage& page, const QString& script) {
        return EvaluateInPage(&page, script).toString();
    }
};

TEST_F(ChineseLocaleTest, StandardButtonsReadChinese) {
    QMessageBox box(QMessageBox::Question, "", "",
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QString("是(&Y)"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QString("否(&N)"));
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QString("确定"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QString("取消"));
}

TEST_F(ChineseLocaleTest, WebPagesAreToldAndAskForChinese) {
    LoopbackServer server;
    server.Serve("/page", "<html><body>page</body></html>");
    QWebEnginePage page;
    Load(page, server.Address("/page"));
    EXPECT_EQ(Eval(page, "navigator.language"), "zh-CN");
    ASSERT_FALSE(server.requests.empty());
    EXPECT_TRUE(server.requests[0].contains("\r\nAccept-Language: zh-CN,zh"))
        << server.requests[0].toStdString();

    // The engine's own page for an address that refuses the connection.
    Load(page, LoopbackServer::DeadAddress("/page"));
    EXPECT_EQ(Eval(page, "String(/[\\u4e00-\\u9fff]/.test(document.body.innerText))"), "true")
        << Eval(page, "document.body.innerText").toStdString();
}

}  // namespace
