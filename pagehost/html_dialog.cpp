#include "pagehost/html_dialog.h"

#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <QUuid>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <set>

#include "pagehost/page_navigation.h"
#include "pagehost/program_scheme.h"
#include "platform/ansi_text.h"

// The web page of an HTML dialog: it recognises the bridge's prompts by their marker and hands
// the events they carry to the dialog; every other prompt is the page's own. A page of the
// program's own (one with a page address) stays at that address.
class CHtmlBridgePage : public QWebEnginePage {
public:
    CHtmlBridgePage(QString marker, std::function<HtmlEventResult(CHtmlEvent)> dispatch,
                    QObject* parent)
        : QWebEnginePage(parent), m_marker(std::move(marker)), m_dispatch(std::move(dispatch)) {}

    const QString& Marker() const { return m_marker; }

    // Loads the program's page at address, which it then keeps.
    void LoadProgramPage(const QUrl& address) {
        m_pageAddress = address;
        load(address);
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        if (m_pageAddress.isEmpty()) {
            return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
        }
        return AcceptProgramPageNavigation(m_pageAddress, url, type, isMainFrame);
    }

    bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& payload,
                          QString* result) override {
        if (message != m_marker)
            return QWebEnginePage::javaScriptPrompt(origin, message, payload, result);
        const HtmlEventResult answer = m_dispatch(ParseEvent(payload));
        *result =
            answer == HtmlEventResult::cancel ? QStringLiteral("cancel") : QStringLiteral("allow");
        return true;
    }

private:
    static CHtmlEvent ParseEvent(const QString& payload) {
        const QJsonObject object = QJsonDocument::fromJson(payload.toUtf8()).object();
        CHtmlEvent event;
        event.name = ToAnsi(object.value("event").toString());
        event.source.id = ToAnsi(object.value("id").toString());
        event.source.tagName = ToAnsi(object.value("tag").toString());
        event.source.isTextEdit = object.value("textEdit").toBool();
        event.keyCode = object.value("keyCode").toInt();
        event.selectionHtml = ToAnsi(object.value("selection").toString());
        const QJsonObject values = object.value("values").toObject();
        for (auto it = values.begin(); it != values.end(); ++it) {
            event.values[ToAnsi(it.key())] = ToAnsi(it.value().toString());
        }
        return event;
    }

    QString m_marker;
    std::function<HtmlEventResult(CHtmlEvent)> m_dispatch;
    QUrl m_pageAddress;
};

namespace {

// The bridge script with its marker and the names of the events it reports.
QString BridgeScript(const QString& marker, const CHtmlEventMap& map) {
    QFile file(QStringLiteral(":/pagehost/html_bridge.js"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    std::set<std::string> seen;
    QJsonArray names;
    for (const CHtmlEventMapEntry& entry : map) {
        if (seen.insert(entry.event).second) names.append(QString::fromStdString(entry.event));
    }
    return QString::fromUtf8(file.readAll())
        .replace(QStringLiteral("@MARKER@"), marker)
        .replace(QStringLiteral("@EVENTS@"),
                 QString::fromUtf8(QJsonDocument(names).toJson(QJsonDocument::Compact)));
}

// A JavaScript call of function with the given code page 936 texts as its string arguments.
QString ScriptCall(const char* function, std::initializer_list<std::string_view> arguments) {
    QJsonArray array;
    for (std::string_view argument : arguments) array.append(FromAnsi(argument));
    return QStringLiteral("(%1).apply(null, %2);")
        .arg(QLatin1String(function),
             QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact)));
}

void ApplyDownloadControl(QWebEngineSettings* settings, unsigned flags) {
    settings->setAttribute(QWebEngineSettings::AutoLoadImages, flags & DownloadControl::Images);
    settings->setAttribute(
        QWebEngineSettings::PlaybackRequiresUserGesture,
        !(flags & (DownloadControl::Videos | DownloadControl::BackgroundSounds)));
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled,
                           !(flags & DownloadControl::NoScripts));
}

}  // namespace

CHtmlDialog::CHtmlDialog(int htmlResourceId) : m_htmlResourceId(htmlResourceId) {}

CHtmlDialog::~CHtmlDialog() = default;

bool CHtmlDialog::Create(QWidget* parent) {
    if (parent != nullptr) setParent(parent, Qt::Widget);
    return OnInitDialog();
}

bool CHtmlDialog::OnInitDialog() {
    m_pBrowser = new QWebEngineView(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pBrowser);

    m_pBridge = new CHtmlBridgePage(
        QUuid::createUuid().toString(QUuid::WithoutBraces),
        [this](CHtmlEvent event) { return DispatchEvent(std::move(event)); }, m_pBrowser);
    QWebEngineScript bridge;
    bridge.setName(QStringLiteral("html-dialog-bridge"));
    bridge.setSourceCode(BridgeScript(m_pBridge->Marker(), m_eventMap));
    bridge.setInjectionPoint(QWebEngineScript::DocumentCreation);
    // A world of its own: the page's scripts share the elements with it, but cannot see its
    // marker, replace the functions it calls or reach its prompts.
    bridge.setWorldId(QWebEngineScript::ApplicationWorld);
    bridge.setRunsOnSubFrames(false);
    m_pBridge->scripts().insert(bridge);

    // The browser's defaults load images, videos and sounds and run scripts.
    constexpr unsigned kDefaultDownloadControl =
        DownloadControl::Images | DownloadControl::Videos | DownloadControl::BackgroundSounds;
    const std::optional<int> downloadControl = OnAmbientProperty(kDispidAmbientDlControl);
    QWebEngineSettings* settings = m_pBridge->settings();
    ApplyDownloadControl(settings, downloadControl ? static_cast<unsigned>(*downloadControl)
                                                   : kDefaultDownloadControl);
    // The pages are written for a browser whose default face was the Song typeface ("宋体").
    const QString song = QFontInfo(QFont(QStringLiteral("宋体"))).family();
    settings->setFontFamily(QWebEngineSettings::StandardFont, song);
    settings->setFontFamily(QWebEngineSettings::SerifFont, song);
    // No page reads local files: the program's own come from its own origin.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    m_pBrowser->setPage(m_pBridge);
    connect(m_pBridge, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (ok) OnDocumentComplete();
    });

    // Resource 0 is no page: the dialog shows nothing until it navigates somewhere.
    if (m_htmlResourceId == 0) return true;
    ServeProgramScheme(m_pBridge->profile());
    m_pBridge->LoadProgramPage(ProgramPageUrl(m_htmlResourceId));
    return true;
}

void CHtmlDialog::Navigate(std::string_view address) {
    if (m_pBridge != nullptr) m_pBridge->load(QUrl(FromAnsi(address)));
}

std::optional<int> CHtmlDialog::OnAmbientProperty(int) const {
    return std::nullopt;
}

void CHtmlDialog::DoDataExchange(CDataExchange&) {}

void CHtmlDialog::DDX_DHtml_ElementValue(CDataExchange& dx, std::string_view id,
                                         std::string& value) {
    if (dx.m_bSaveAndValidate) {
        const auto found = m_reportedValues.find(std::string(id));
        if (found != m_reportedValues.end()) value = found->second;
    } else {
        RunScript(
            ScriptCall("function (id, value) {"
                       "  const element = document.getElementById(id);"
                       "  if (element) element.value = value; }",
                       {id, value}));
    }
}

bool CHtmlDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx{saveAndValidate};
    DoDataExchange(dx);
    return true;
}

void CHtmlDialog::SetElementHtml(std::string_view id, std::string_view html) {
    RunScript(
        ScriptCall("function (id, html) {"
                   "  const element = document.getElementById(id);"
                   "  if (element) element.innerHTML = html; }",
                   {id, html}));
}

void CHtmlDialog::SetElementAttribute(std::string_view id, std::string_view name,
                                      std::string_view value) {
    RunScript(
        ScriptCall("function (id, name, value) {"
                   "  const element = document.getElementById(id);"
                   "  if (element) element.setAttribute(name, value); }",
                   {id, name, value}));
}

HtmlEventResult CHtmlDialog::DispatchEvent(CHtmlEvent event) {
    m_reportedValues = event.values;
    m_pCurrentEvent = &event;
    const HtmlEventResult result = RouteHtmlEvent(m_eventMap, event);
    m_pCurrentEvent = nullptr;
    return result;
}

void CHtmlDialog::RunScript(const QString& script) {
    if (m_pBridge != nullptr) {
        m_pBridge->runJavaScript(script, QWebEngineScript::ApplicationWorld);
    }
}
