// What the network puts in the real dictionary page cannot stand in for the page's own parts:
// the publisher's page script comes over HTTPS from the publisher's host only, and whatever a
// script in the page does it cannot change what the user's search searches, close the program or
// open anything in the desktop's browser; a notice from a server on 127.0.0.1 takes none of the
// page's ids and covers nothing, and a notice made to blow up builds no more elements than the
// filter wrote.
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "browser_recorder.h"
#include "loopback_server.h"
#include "online/notice_worker.h"
#include "page_test_support.h"
#include "pagehost/program_scheme.h"
#include "platform/ansi_text.h"
#include "settings/notice_state.h"
#include "settings/startup_settings.h"
#include "temp_dir.h"
#include "webfilter/html_sanitizer_tree.h"

namespace {

// A one-pixel GIF.
const QByteArray kPixel =
    QByteArray::fromBase64("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7");

class NetworkContentTest : public DictPageTest {
protected:
    // The notice the worker fetches from the server, then a page that shows it.
    void ShowNotice(const QString& notice) {
        m_server.Serve("/notice.aspx", QByteArray::fromStdString(ToAnsi(notice)));
        RunNoticePass(TheStartupSettings(), m_server.Address("/notice.aspx").toStdString(),
                      (m_folder / kResponseFileName).string());
        CreatePage(
            std::make_unique<CSpeechVoice>(std::make_unique<RecordingSpeechEngine>(&m_said)));
        ASSERT_TRUE(WaitFor([this] {
            return Eval("document.querySelector('#TD_DICT_ITEM [data-network-html]') !== null")
                .toBool();
        })) << "the notice did not arrive";
    }

    // The first result's English text; empty for none.
    std::string FirstResult() {
        return Page().GetResults().empty() ? std::string()
                                           : std::string(Page().GetResults()[0]->english);
    }

    void ExpectNotClosed(const QSignalSpy& closed) {
        EXPECT_EQ(closed.count(), 0) << "the program was closed";
        EXPECT_EQ(m_page->GetBrowser()->page()->url(),
                  ProgramPageUrl(CDictViewPage::kHtmlResourceId));
    }

    TempDir m_folder;
    LoopbackServer m_server;
};

TEST_F(NetworkContentTest, PageScriptComesOverHttpsFromThePublishersHostOnly) {
    m_server.Serve("/dictscript.aspx", "window.ranOverHttp = true;", "text/javascript");
    Eval(QStringLiteral("window.refused = [];"
                        "document.addEventListener('securitypolicyviolation',"
                        "                          e => refused.push(e.blockedURI));"
                        "for (const address of [%1, %2]) {"
                        "  const script = document.createElement('script');"
                        "  script.src = address;"
                        "  script.onerror = () => { window.tried = (window.tried || 0) + 1; };"
                        "  document.body.appendChild(script);"
                        "} 0")
             .arg(JsString(m_server.Address("/dictscript.aspx")),
                  JsString(QStringLiteral("https://" GDICT_PUBLISHER_HOST
                                          "/kbase/dictscript.aspx?ver=$ver&timer=21"))));
    // Both fail: the one over HTTP refused by the page's policy, the publisher's host unreachable.
    ASSERT_TRUE(WaitFor([this] { return Eval("window.tried === 2").toBool(); }, 20000));
    EXPECT_EQ(Eval("refused.join(' ')").toString(), m_server.Address("/dictscript.aspx"));
    EXPECT_FALSE(Eval("window.ranOverHttp === true").toBool());
    EXPECT_TRUE(m_server.requests.empty()) << "a script over plain HTTP was asked for";
}

TEST_F(NetworkContentTest, PageScriptCannotRerouteTheUsersEventsOrOpenAnything) {
    const BrowserRecorder browser;
    const BrowserRecorder shell(QStringLiteral("ssh"));
    QSignalSpy closed(&m_host, &QDialog::finished);
    // What a script written on the way did: listeners that, before the bridge read them, rewrote
    // the box's text at Enter and the id of the element clicked; a box of the search box's id
    // before the real one, whose own id it took away; a transparent cover with the close
    // button's id; and addresses opened without a click of the user's.
    Eval(QStringLiteral(
             "const box = document.getElementById('TxtBoxFind');"
             "const rewrite = event => {"
             "  if (event.keyCode === 13) box.value = 'zzqqxx';"
             "  if (event.type === 'click') event.target.id = 'BUTTON_CLOSE';"
             "};"
             "for (const target of [window, document, box]) {"
             "  for (const type of ['keydown', 'click']) target.addEventListener(type, rewrite, "
             "true);"
             "}"
             "box.insertAdjacentHTML('beforebegin',"
             "                       '<input type=hidden id=TxtBoxFind value=zzqqxx>');"
             "box.id = 'RealBox';"
             "document.body.insertAdjacentHTML('beforeend',"
             "  '<div id=BUTTON_CLOSE title=cover style=\"position:fixed;left:0;top:90px;right:0;"
             "bottom:0;opacity:0.01;background:#fff\"></div>'"
             "  + '<a id=shell href=\"ssh://attacker@127.0.0.1/\" style=\"position:fixed;"
             "left:150px;top:60px\">ssh</a><a id=away href=%1></a>');"
             "setTimeout(() => {"
             "  document.getElementById('away').click();"
             "  location.href = %2;"
             "  window.open(%3);"
             "}, 400); 0")
             .arg(JsString(m_server.Address("/clicked")), JsString(m_server.Address("/away")),
                  JsString(m_server.Address("/popup"))));
    WaitFor([] { return false; }, 800);

    // The user types "shirt": the organiser's search key searches it, and so does Enter.
    Click("#RealBox");
    QTest::keyClicks(m_page->GetBrowser()->focusProxy(), "shirt");
    ASSERT_TRUE(WaitFor(
        [this] { return Eval("document.querySelector('input[type=text]').value") == "shirt"; }));
    Page().RunSearch();
    ASSERT_TRUE(WaitFor([this] { return !Page().GetResults().empty() || !m_boxes.empty(); }));
    EXPECT_EQ(FirstResult(), "shirt");
    Page().QueryAndShow("yoke");
    PressKey(Qt::Key_Return);
    ASSERT_TRUE(WaitFor([this] { return FirstResult() != "yoke" || !m_boxes.empty(); }));
    EXPECT_EQ(FirstResult(), "shirt");
    // A click on the cover closes nothing; the user's click on a link of another scheme opens
    // nothing either.
    Click("[title=cover]");
    Click("#shell");
    WaitFor([] { return false; }, 500);

    EXPECT_TRUE(m_boxes.empty()) << m_boxes[0].text.toStdString();
    EXPECT_TRUE(browser.opened.empty()) << browser.opened[0].toString().toStdString();
    EXPECT_TRUE(shell.opened.empty());
    ExpectNotClosed(closed);
}

TEST_F(NetworkContentTest, NoticeCannotTakeThePagesIdsOrCoverThePage) {
    m_server.Serve("/picture.gif", kPixel);
    const QString picture = m_server.Address("/picture.gif");
    ShowNotice(
        QStringLiteral("LUMA_AD LUMA_POWERAD "
                       "<input type=button id=TxtBoxFind value=zzqqxx style=\"display:none\">"
                       "<div id=BUTTON_CLOSE style=\"position:fixed;left:0;top:0;width:100%;"
                       "height:100%;z-index:9;opacity:0.01\">cover</div>"
                       "<img id=BUTTON_GO src=\"%1\" width=20 height=20>"
                       "<img id=IMGSP_0 class=x src=\"%1\" width=20 height=20>")
            .arg(picture));
    QSignalSpy closed(&m_host, &QDialog::finished);
    EXPECT_EQ(
        Eval("document.querySelectorAll('[data-network-html] :is([id], [class])').length").toInt(),
        0);
    EXPECT_EQ(Eval("getComputedStyle(document.querySelector('[data-network-html] div')).position")
                  .toString(),
              "static");

    // The user's search searches what the user typed, and the notice after the results is as
    // dead as the one before them: its covers and its GO and speaker pictures do nothing.
    Search("shirt");
    EXPECT_EQ(FirstResult(), "shirt");
    for (const char* part : {"div", "img:first-of-type", "img:last-of-type"}) {
        Click(QStringLiteral("#TD_DICT_ITEM table ~ [data-network-html] %1").arg(part));
    }
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(FirstResult(), "shirt");
    EXPECT_TRUE(m_said.empty()) << m_said[0].toStdString();
    EXPECT_TRUE(m_boxes.empty()) << m_boxes[0].text.toStdString();
    ExpectNotClosed(closed);
}

TEST_F(NetworkContentTest, NoticeMadeToBlowUpBuildsNoMoreElementsThanTheFilterWrote) {
    // 1,200 bold elements left open before 1,200 list items: the browser would open every bold
    // element again in every item, 1.4 million elements.
    QString notice = QStringLiteral("LUMA_AD<ul><li>");
    for (int n = 1; n <= 1200; ++n) notice += QStringLiteral("<b title=%1>").arg(n);
    for (int n = 1; n <= 1200; ++n) notice += QStringLiteral("<li>x");
    ShowNotice(notice);
    const int elements =
        Eval("document.querySelectorAll('#TD_DICT_ITEM [data-network-html] *').length").toInt();
    EXPECT_EQ(elements, static_cast<int>(htmlsanitizer::kMaxElements));
}

}  // namespace
