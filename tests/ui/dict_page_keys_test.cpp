// The dictionary page's keyboard filter and context-menu rule.
#include <gmock/gmock.h>

#include <QGuiApplication>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>
#include <QWebEngineView>

#include "page_test_support.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsSupersetOf;

class PageKeysTest : public DictPageTest {
protected:
    void SetUp() override {
        DictPageTest::SetUp();
        FocusSearchBox();
    }
    DebugCapture m_debug;
};

TEST_F(PageKeysTest, FunctionKeysAndEscapeAreSwallowed) {
    const std::pair<Qt::Key, const char*> keys[] = {{Qt::Key_Escape, "0x1B"},
                                                    {Qt::Key_F1, "0x70"},
                                                    {Qt::Key_F5, "0x74"},
                                                    {Qt::Key_F12, "0x7B"},
                                                    {Qt::Key_Help, "0x2F"}};
    for (const auto& [key, code] : keys) {
        m_debug.Clear();
        PressKey(key);
        const std::string pressed = std::string("Key pressed pMsg->wParam=") + code + "\r\n";
        EXPECT_THAT(m_debug.Lines(), ElementsAre(pressed, "Function key ignored\r\n", pressed,
                                                 "Function key ignored\r\n"))
            << code;
    }
    EXPECT_TRUE(m_host.isVisible());
    EXPECT_TRUE(Page().isVisible()) << "Escape reached the page's cancel action";
}

TEST_F(PageKeysTest, BrowserShortcutsAreSwallowed) {
    const std::tuple<Qt::Key, Qt::KeyboardModifier, const char*, const char*> shortcuts[] = {
        {Qt::Key_N, Qt::ControlModifier, "0x4E", "Ctrl-N ignored\r\n"},
        {Qt::Key_P, Qt::ControlModifier, "0x50", "Ctrl-P ignored\r\n"},
        {Qt::Key_D, Qt::ControlModifier, "0x44", "Ctrl-D ignored\r\n"},
        {Qt::Key_Left, Qt::AltModifier, "0x25", "Atl-Left ignored\r\n"},
        {Qt::Key_Right, Qt::AltModifier, "0x27", "Atl-Right ignored\r\n"}};
    for (const auto& [key, modifier, code, ignored] : shortcuts) {
        m_debug.Clear();
        PressKey(key, modifier);
        const std::string pressed = std::string("Key pressed pMsg->wParam=") + code + "\r\n";
        EXPECT_THAT(m_debug.Lines(), IsSupersetOf({pressed, std::string(ignored)})) << code;
    }
    // Without the modifier the same letters are typed.
    PressKey(Qt::Key_N);
    PressKey(Qt::Key_D);
    EXPECT_TRUE(WaitFor(
        [this] { return Eval("document.getElementById('TxtBoxFind').value").toString() == "nd"; }));
}

TEST_F(PageKeysTest, CopyAndPasteReachTheSearchBox) {
    TypeInSearchBox("yoke");
    PressKey(Qt::Key_A, Qt::ControlModifier);
    PressKey(Qt::Key_C, Qt::ControlModifier);
    PressKey(Qt::Key_End);
    PressKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(WaitFor([this] {
        return Eval("document.getElementById('TxtBoxFind').value").toString() == "yokeyoke";
    })) << Eval("document.getElementById('TxtBoxFind').value").toString().toStdString();
}

TEST_F(PageKeysTest, ContextMenuOnlyForTextBoxesAndSelections) {
    QWebEngineView* browser = Page().GetBrowser();
    browser->setContextMenuPolicy(Qt::CustomContextMenu);
    QSignalSpy menus(browser, &QWidget::customContextMenuRequested);
    Search("shirt");

    m_debug.Clear();
    Click("#TD_DICT_ITEM td.DictItem", Qt::RightButton);
    // Waited out, so that the next click does not make a double click with this one.
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100);
    EXPECT_EQ(menus.count(), 0) << "plain text showed a menu";
    EXPECT_THAT(m_debug.Lines(), ::testing::Contains("OnHtmlContextMenu <TD>\r\n"));

    Click("#TxtBoxFind", Qt::RightButton);
    EXPECT_TRUE(WaitFor([&] { return menus.count() == 1; })) << "the search box lost its menu";

    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100);
    m_debug.Clear();
    Eval("getSelection().selectAllChildren(document.querySelector('#TD_DICT_ITEM b'))");
    Click("#TD_DICT_ITEM b", Qt::RightButton);
    EXPECT_TRUE(WaitFor([&] { return menus.count() == 2; })) << "a selection lost its menu";
    EXPECT_TRUE(m_debug.Lines().empty()) << m_debug.Lines()[0];
}

}  // namespace
