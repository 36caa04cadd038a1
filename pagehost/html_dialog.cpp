#include "pagehost/html_dialog.h"

#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>
#include <QUuid>
#include <QVBoxLayout>
#include <QVariant>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <set>

#include "pagehost/html_dialog_page.h"
#include "pagehost/page_navigation.h"
#include "pagehost/program_scheme.h"
#include "platform/ansi_text.h"

namespace {

// The name under which the bridge's world holds the element operations.
constexpr char kBridgeOperations[] = "gdictElements";

// The bridge script with its marker and the names of the events it reports; a program page also
// reports every click, so that the web links the user clicks can open.
QString BridgeScript(const QString& marker, const CHtmlEventMap& map, bool programPage) {
    QFile file(QStringLiteral(":/pagehost/html_bridge.js"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    std::set<std::string> seen;
    QJsonArray names;
    const auto listen = [&](const std::string& name) {
        if (seen.insert(name).second) names.append(QString::fromStdString(name));
    };
    if (programPage) listen("click");
    for (const CHtmlEventMapEntry& entry : map) listen(entry.event);
    return QString::fromUtf8(file.readAll())
        .replace(QStringLiteral("@MARKER@"), marker)
        .replace(QStringLiteral("@EVENTS@"),
                 QString::fromUtf8(QJsonDocument(names).toJson(QJsonDocument::Compact)))
        .replace(QStringLiteral("@NOTICE_ATTRIBUTE@"), QLatin1String(kNetworkHtmlAttribute))
        .replace(QStringLiteral("@API@"), QLatin1String(kBridgeOperations));
}

// A call of the bridge's element operation with the given code page 936 texts as its arguments;
// nothing when the page has no bridge.
QString BridgeCall(const char* operation, std::initializer_list<std::string_view> arguments) {
    QJsonArray array;
    for (std::string_view argument : arguments) array.append(FromAnsi(argument));
    return QStringLiteral("window.%1 ? %1.%2.apply(null, %3) : null;")
        .arg(QLatin1String(kBridgeOperations), QLatin1String(operation),
             QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact)));
}

// A profile for pages from the network, in memory only as the default profile is, and with the
// default profile's languages; it serves nothing of the program's origin.
QWebEngineProfile* NewWebProfile() {
    auto* profile = new QWebEngineProfile();
    profile->setHttpAcceptLanguage(QWebEngineProfile::defaultProfile()->httpAcceptLanguage());
    return profile;
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

    // The program's pages have the default profile, which serves the program's origin; pages from
    // the network have one of their own, which the page owns so that it goes after the page.
    const bool programPage = m_htmlResourceId != 0;
    QWebEngineProfile* profile =
        programPage ? QWebEngineProfile::defaultProfile() : NewWebProfile();
    m_pBridge = new CHtmlBridgePage(
        QUuid::createUuid().toString(QUuid::WithoutBraces),
        [this](CHtmlEvent event) { return DispatchEvent(std::move(event)); }, profile, m_pBrowser);
    if (!programPage) profile->setParent(m_pBridge);
    QWebEngineScript bridge;
    bridge.setName(QStringLiteral("html-dialog-bridge"));
    bridge.setSourceCode(BridgeScript(m_pBridge->Marker(), m_eventMap, programPage));
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
    // No address of a scheme the engine does not know goes to the desktop, clicked or not.
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    m_pBrowser->setPage(m_pBridge);
    connect(m_pBridge, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (ok) OnDocumentComplete();
    });

    // Resource 0 is no page: the dialog shows nothing until it navigates somewhere.
    if (!programPage) return true;
    ServeProgramScheme(profile);
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
        RunScript(BridgeCall("setValue", {id, value}));
    }
}

bool CHtmlDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx{saveAndValidate};
    DoDataExchange(dx);
    return true;
}

void CHtmlDialog::SetElementHtml(std::string_view id, std::string_view html) {
    RunScript(BridgeCall("setHtml", {id, html}));
}

void CHtmlDialog::SetElementAttribute(std::string_view id, std::string_view name,
                                      std::string_view value) {
    RunScript(BridgeCall("setAttribute", {id, name, value}));
}

void CHtmlDialog::ReadElementValue(std::string_view id,
                                   std::function<void(std::string value)> done) {
    if (m_pBridge == nullptr) return;
    m_pBridge->runJavaScript(BridgeCall("value", {id}), QWebEngineScript::ApplicationWorld,
                             [done = std::move(done)](const QVariant& value) {
                                 if (value.typeId() == QMetaType::QString) {
                                     done(ToAnsi(value.toString()));
                                 }
                             });
}

void CHtmlDialog::ShowOwnHtml(const QString& html) {
    if (m_pBridge != nullptr) m_pBridge->ShowOwnHtml(html);
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
