// What the dictionary page's tests share: a test dictionary, the page hosted in a plain dialog
// that plays the main window, a voice that records instead of speaking, a capture of the debug
// output, and ways to read the live page and to use it as a person would.
#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/dict_store.h"
#include "platform/message_box.h"
#include "platform/speech_voice.h"
#include "recording_speech_engine.h"
#include "ui_wait.h"
#include "view/dict_view_page.h"

// Every debug line written while it lives.
class DebugCapture {
public:
    DebugCapture();
    ~DebugCapture();
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;
    const std::vector<std::string>& Lines() const;
    void Clear();
};

// text as a JavaScript string literal.
QString JsString(const QString& text);

class DictPageTest : public ::testing::Test {
protected:
    // The test dictionary: a few shirt entries, "check-on-check", and gusset 1 to 150.
    static void SetUpTestSuite();
    static const CDictStore& Store();

    void SetUp() override;
    void TearDown() override;

    // A new page in the host dialog, loaded and decorated; the old one goes.
    void CreatePage(std::unique_ptr<CSpeechVoice> voice);
    CDictViewPage& Page() { return *m_page; }

    // The value of a script run in the page.
    QVariant Eval(const QString& script);
    // The HTML of the results cell; whether it is the given HTML once the page has parsed it.
    QString CellHtml();
    bool CellIs(const QString& html);

    // As a person does it: keys to the search box, a click on an element.
    void FocusSearchBox();
    void TypeInSearchBox(const QString& text);
    void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Click(const QString& selector, Qt::MouseButton button = Qt::LeftButton);
    // Types text, presses Enter and waits until the page has searched.
    void Search(const QString& text);
    void SetSearchBoxValue(const QString& text);
    // Waits until every page operation asked for so far has run.
    void Settle();

    // Message boxes answered with m_answer; the questions they asked; whether any of them was
    // asked while the application's cursor was overridden (the wait cursor).
    std::vector<MessageBoxRequest> m_boxes;
    int m_answer = MessageBoxAnswer::No;
    bool m_boxUnderOverrideCursor = false;
    // What the page's voice said, in order.
    std::vector<QString> m_said;

    QDialog m_host;
    std::unique_ptr<CDictViewPage> m_page;

private:
    int m_searches = 0;
};
