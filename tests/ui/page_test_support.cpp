#include "page_test_support.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QTest>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <filesystem>

#include "dict_file_builder.h"
#include "files/program_directory.h"
#include "page_script.h"
#include "platform/ansi_text.h"
#include "platform/fonts.h"
#include "platform/main_window.h"
#include "platform/string_resources.h"
#include "settings/notice_state.h"
#include "settings/startup_settings.h"
#include "temp_dir.h"
#include "text/mbcs.h"

namespace {

std::vector<std::string>& CapturedLines() {
    static std::vector<std::string> lines;
    return lines;
}

QtMessageHandler g_previousHandler = nullptr;

void CaptureDebugLine(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (context.category != nullptr && std::string_view(context.category) == "garmentdict.debug") {
        CapturedLines().push_back(ToAnsi(text));
        return;
    }
    if (g_previousHandler != nullptr) g_previousHandler(type, context, text);
}

std::string Ansi(std::string_view utf8) {
    return mbcs::FromUtf8(utf8).value();
}

std::unique_ptr<CDictStore>& TestStore() {
    static std::unique_ptr<CDictStore> store;
    return store;
}

}  // namespace

QString JsString(const QString& text) {
    return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact))
        .mid(1)
        .chopped(1);
}

DebugCapture::DebugCapture() {
    CapturedLines().clear();
    QLoggingCategory::setFilterRules(QStringLiteral("garmentdict.debug.debug=true"));
    g_previousHandler = qInstallMessageHandler(CaptureDebugLine);
}

DebugCapture::~DebugCapture() {
    qInstallMessageHandler(g_previousHandler);
    QLoggingCategory::setFilterRules(QStringLiteral("garmentdict.debug.debug=false"));
}

const std::vector<std::string>& DebugCapture::Lines() const {
    return CapturedLines();
}

void DebugCapture::Clear() {
    CapturedLines().clear();
}

void DictPageTest::SetUpTestSuite() {
    if (TestStore()) return;
    InstallFontSubstitutions();
    BuildStartupSettings(TheStartupSettings(), LoadStringTable(), GetProgramDirectory());

    DictFileBuilder file;
    file.Count(157);
    file.Pair("shirt", Ansi("衬衫"))
        .Pair("T-shirt", Ansi("T恤衫"))
        .Pair("shirt collar", Ansi("衬衫领"))
        .Pair("sweatshirt", Ansi("卫衣"))
        .Pair("dress shirt", Ansi("正装衬衫"))
        .Pair("check-on-check", Ansi("格中格"))
        .Pair("yoke", Ansi("过肩"));
    for (int n = 1; n <= 150; ++n) {
        file.Pair("gusset " + std::to_string(n), Ansi("三角插片") + std::to_string(n));
    }
    const TempDir folder;
    file.WriteTo(folder / "test.dat");
    TestStore() = std::make_unique<CDictStore>();
    TestStore()->LoadFile((folder / "test.dat").string());
}

const CDictStore& DictPageTest::Store() {
    return *TestStore();
}

void DictPageTest::SetUp() {
    SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
        m_boxes.push_back(request);
        if (QGuiApplication::overrideCursor() != nullptr) m_boxUnderOverrideCursor = true;
        return m_answer;
    });
    auto* layout = new QVBoxLayout(&m_host);
    layout->setContentsMargins(0, 0, 0, 0);
    m_host.resize(300, 420);
    SetMainWindow(&m_host);
    CreatePage(std::make_unique<CSpeechVoice>(std::make_unique<RecordingSpeechEngine>(&m_said)));
}

void DictPageTest::TearDown() {
    SetMessageBoxAnswerer({});
    SetMainWindow(nullptr);
    showNoticeInPage.store(0);
    TheStartupSettings().SetNoticeText({});
}

void DictPageTest::CreatePage(std::unique_ptr<CSpeechVoice> voice) {
    m_page.reset();
    m_page = std::make_unique<CDictViewPage>(std::move(voice));
    m_page->Create(&m_host);
    m_page->m_pDictionary = TestStore().get();
    m_host.layout()->addWidget(m_page.get());
    m_host.show();
    ASSERT_TRUE(WaitFor([this] {
        return m_page->GetBrowser()->focusProxy() != nullptr &&
               Eval("document.getElementById('BUTTON_GO') !== null").toBool();
    })) << "the page did not load";
}

QVariant DictPageTest::Eval(const QString& script) {
    return EvaluateInPage(m_page->GetBrowser()->page(), script);
}

void DictPageTest::Settle() {
    Eval("0");
}

QString DictPageTest::CellHtml() {
    return Eval("document.getElementById('TD_DICT_ITEM').innerHTML").toString();
}

bool DictPageTest::CellIs(const QString& html) {
    return Eval(QStringLiteral("(function () {"
                               "  const parsed = document.createElement('td');"
                               "  parsed.innerHTML = %1;"
                               "  return parsed.innerHTML ==="
                               "         document.getElementById('TD_DICT_ITEM').innerHTML; })()")
                    .arg(JsString(html)))
        .toBool();
}

void DictPageTest::FocusSearchBox() {
    m_page->GetBrowser()->focusProxy()->setFocus();
    Eval("document.getElementById('TxtBoxFind').focus()");
}

void DictPageTest::TypeInSearchBox(const QString& text) {
    FocusSearchBox();
    QTest::keyClicks(m_page->GetBrowser()->focusProxy(), text);
}

void DictPageTest::PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(m_page->GetBrowser()->focusProxy(), key, modifiers);
}

void DictPageTest::Click(const QString& selector, Qt::MouseButton button) {
    ASSERT_TRUE(ClickInPage(m_page->GetBrowser(), selector, button))
        << "nothing to click at " << selector.toStdString();
}

void DictPageTest::SetSearchBoxValue(const QString& text) {
    FocusSearchBox();
    Eval(QStringLiteral("document.getElementById('TxtBoxFind').value = %1").arg(JsString(text)));
}

void DictPageTest::Search(const QString& text) {
    Eval("document.getElementById('TD_DICT_ITEM').innerHTML = '<i id=stale></i>'");
    const std::size_t boxes = m_boxes.size();
    SetSearchBoxValue(text);
    PressKey(Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] {
        return m_boxes.size() > boxes || Eval("document.getElementById('stale') === null").toBool();
    })) << "no search for "
        << text.toStdString();
    Settle();
}
