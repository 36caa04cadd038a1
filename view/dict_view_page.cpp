#include "view/dict_view_page.h"

#include <QApplication>

#include "files/program_directory.h"
#include "pagehost/page_path.h"
#include "platform/debug_output.h"
#include "platform/main_window.h"
#include "settings/startup_settings.h"
#include "webfilter/html_sanitizer.h"

namespace {

constexpr int kEnterKeyCode = 13;
constexpr int kResultIdOk = 1;
constexpr int kResultIdCancel = 2;
// Images, videos and background sounds load; scripts run.
constexpr int kPageDownloadControl =
    DownloadControl::Images | DownloadControl::Videos | DownloadControl::BackgroundSounds;

}  // namespace

CDictViewPage::CDictViewPage(std::unique_ptr<CSpeechVoice> voice)
    : CHtmlDialog(kHtmlResourceId), m_pVoice(std::move(voice)) {
    SetEventMap(DictEventMap());
    // Keys bound for the page are filtered before anything else sees them.
    qApp->installEventFilter(this);
}

CDictViewPage::~CDictViewPage() = default;

std::string CDictViewPage::NoticeHtml() {
    // The notice comes from the network: only what the allow-list keeps reaches the page, in an
    // element that marks it as network HTML, so that nothing in it counts as the page's own.
    const std::string notice = SanitizeHtml(TheStartupSettings().GetNoticeText());
    if (notice.empty()) return {};
    return std::string("<span ") + kNetworkHtmlAttribute + ">" + notice + "</span>";
}

void CDictViewPage::OnDocumentComplete() {
    RefreshPageDecorations();
}

std::optional<int> CDictViewPage::OnAmbientProperty(int dispid) const {
    if (dispid == kDispidAmbientDlControl) return kPageDownloadControl;
    return CHtmlDialog::OnAmbientProperty(dispid);
}

void CDictViewPage::DoDataExchange(CDataExchange& dx) {
    CHtmlDialog::DoDataExchange(dx);
    DDX_DHtml_ElementValue(dx, "TxtBoxFind", m_strFind);
}

void CDictViewPage::OnOK() {
    UpdateData(true);
    QueryAndShow(m_strFind);
}

void CDictViewPage::OnCancel() {
    done(kResultIdCancel);
}

void CDictViewPage::RefreshPageDecorations() {
    const CStartupSettings& settings = TheStartupSettings();
    SetElementHtml("CAPTION_GO", "<Img id ='BUTTON_GO' style='cursor:hand' src='" +
                                     PagePath(settings.goImagePath) + "'>");
    SetElementAttribute("TDDIVPARENT", "background",
                        PagePath(GetProgramDirectory() + "/ViewBkgrd.bmp"));
    SetElementHtml("TD_DICT_ITEM", settings.cellStartHtml + NoticeHtml());
}

HtmlEventResult CDictViewPage::OnCloseClick(const CHtmlElement&) {
    if (QDialog* mainWindow = GetMainWindow()) mainWindow->done(kResultIdOk);
    return HtmlEventResult::allow;
}

HtmlEventResult CDictViewPage::OnFindKeyDown(const CHtmlElement&) {
    if (GetEvent() != nullptr && GetEvent()->keyCode == kEnterKeyCode) OnOK();
    return HtmlEventResult::allow;
}

HtmlEventResult CDictViewPage::OnHtmlContextMenu(const CHtmlElement& element) {
    // A selection keeps the browser's menu, so that it can be copied.
    if (GetEvent() != nullptr && !GetEvent()->selectionHtml.empty()) {
        return HtmlEventResult::allow;
    }
    if (!element.tagName.empty()) DebugOutput("OnHtmlContextMenu <" + element.tagName + ">\r\n");
    // Text boxes keep their menu too; everything else has none.
    return element.isTextEdit ? HtmlEventResult::allow : HtmlEventResult::cancel;
}
