// What the organiser's keys ask of the dictionary page beyond reading aloud: the focus in the
// search box, the results moved by rows, and the search of the box's current text. Each is a
// script run in the page; before the page exists they do nothing. And the search that another
// part of the program (the "我的" tab, the look-up popup) asks for, as if typed.
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "view/dict_view_page.h"

void CDictViewPage::FocusSearchBox() {
    QWebEngineView* browser = GetBrowser();
    if (browser == nullptr) return;
    browser->setFocus(Qt::OtherFocusReason);
    browser->page()->runJavaScript(
        QStringLiteral("(function () {"
                       "  const box = document.getElementById('TxtBoxFind');"
                       "  if (box) { box.focus(); box.select(); }"
                       "})();"));
}

void CDictViewPage::ScrollResults(int rows) {
    QWebEngineView* browser = GetBrowser();
    if (browser == nullptr || rows == 0) return;
    // Positions are row tops less the first row's, so that every step moves by whole rows and the
    // rows keep the place the first one has at the start; a row counts as above or below the
    // view's position only when it is at least half a pixel away from it.
    browser->page()->runJavaScript(
        QStringLiteral("(function (rows) {"
                       "  const view = document.getElementById('DivDictView');"
                       "  if (!view) return;"
                       "  const tops = Array.from(view.querySelectorAll('#TD_DICT_ITEM tr'),"
                       "                          row => row.getBoundingClientRect().top);"
                       "  const steps = tops.map(top => top - tops[0]);"
                       "  const now = view.scrollTop;"
                       "  let target;"
                       "  if (rows > 0) {"
                       "    target = steps.filter(step => step > now + 0.5)[rows - 1];"
                       "    if (target === undefined) target = view.scrollHeight;"
                       "  } else {"
                       "    const above = steps.filter(step => step < now - 0.5);"
                       "    target = above[above.length + rows];"
                       "    if (target === undefined) target = 0;"
                       "  }"
                       "  view.scrollTop = target;"
                       "})(%1);")
            .arg(rows));
}

void CDictViewPage::RunSearch() {
    // The values the page reported with its latest event may be older than the box's text: a key
    // is reported before it changes the box. The box is the page's own, as the bridge recorded
    // it; nothing happens without one, or when the page went away before it answered.
    ReadElementValue("TxtBoxFind", [this](std::string text) {
        m_strFind = std::move(text);
        QueryAndShow(m_strFind);
    });
}

void CDictViewPage::SearchFor(std::string text) {
    // As if typed: the text goes into the box, then the page searches it.
    m_strFind = std::move(text);
    UpdateData(false);
    QueryAndShow(m_strFind);
}

