// CHtmlDialog: a dialog that shows one HTML page of the program's resources (or, with resource 0,
// whatever web page it navigates to) in a web view and lets C++ handle the page's events through
// an event map. The page is stored in code page 936 and served from the program's own origin (see
// program_scheme.h), where it names the program directory's pictures by PagePath; it cannot read
// local files and it stays at its address: web links the user clicks open in the desktop's
// browser. A dialog of resource 0 shows pages from the network in a profile of its own, which
// cannot reach the program's origin, and goes to http and https addresses only. No page hands an
// address of another scheme to the desktop.
//
// The event bridge and the element operations run in a script world of their own, out of reach
// of the page's scripts, and reach only the program's own elements (html_bridge.js): those with
// an id that the page holds before its first script, and those the element operations put in.
#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "pagehost/html_event.h"

class QWebEngineView;
class CHtmlBridgePage;

// An element with this attribute holds HTML from the network, which the program put in: its
// events are reported as the element's own, none of them as an event of an element inside, and
// nothing inside is one of the program's own elements.
inline constexpr char kNetworkHtmlAttribute[] = "data-network-html";

// The ambient property through which a hosted browser asks what it may download and run.
constexpr int kDispidAmbientDlControl = -5512;

// Download-control bits of that property.
namespace DownloadControl {
constexpr unsigned Images = 0x10;
constexpr unsigned Videos = 0x20;
constexpr unsigned BackgroundSounds = 0x40;
constexpr unsigned NoScripts = 0x80;
}  // namespace DownloadControl

// The direction of a data exchange between the page's elements and the dialog's members.
struct CDataExchange {
    bool m_bSaveAndValidate;  // true: element to member; false: member to element
};

class CHtmlDialog : public QDialog {
    Q_OBJECT
public:
    explicit CHtmlDialog(int htmlResourceId);
    ~CHtmlDialog() override;

    // Makes the dialog a child of parent (a top-level dialog with none), then initialises it.
    bool Create(QWidget* parent);

    QWebEngineView* GetBrowser() const { return m_pBrowser; }

    // The event being routed while a handler runs; null otherwise.
    const CHtmlEvent* GetEvent() const { return m_pCurrentEvent; }

    const CHtmlEventMap& GetEventMap() const { return m_eventMap; }

    // Element operations on the program's own elements: run in the page in the order they were
    // asked for, after the event that is being handled; an element that does not exist is left
    // alone. Texts are code page 936.
    void SetElementHtml(std::string_view id, std::string_view html);
    void SetElementAttribute(std::string_view id, std::string_view name, std::string_view value);
    // Calls done with the value that element id holds now, once the page has answered; not at
    // all when the element does not exist, holds no value, or the page goes away first.
    void ReadElementValue(std::string_view id, std::function<void(std::string value)> done);

    // Loads the code page 936 web address in the browser, in place of the current document.
    void Navigate(std::string_view address);

    // Exchanges data between the page's elements and the members that DoDataExchange binds.
    // Reading takes the values the page reported with its latest event.
    bool UpdateData(bool saveAndValidate = true);

protected:
    // Creates the web view, applies the page's download control and loads the HTML resource.
    virtual bool OnInitDialog();
    // Each time a document has finished loading.
    virtual void OnDocumentComplete() {}
    // Answers the browser's ambient properties; nullopt leaves the browser's default.
    virtual std::optional<int> OnAmbientProperty(int dispid) const;
    virtual void DoDataExchange(CDataExchange& dx);
    // Binds the value of element id to value.
    void DDX_DHtml_ElementValue(CDataExchange& dx, std::string_view id, std::string& value);

    // Must be set before Create: the bridge listens for the events the map names.
    void SetEventMap(CHtmlEventMap map) { m_eventMap = std::move(map); }

    // Shows html (UTF-16), which the program made, in place of the current document, on an origin
    // of its own that reaches neither files nor the network.
    void ShowOwnHtml(const QString& html);

private:
    HtmlEventResult DispatchEvent(CHtmlEvent event);
    void RunScript(const QString& script);

    int m_htmlResourceId;
    CHtmlEventMap m_eventMap;
    QWebEngineView* m_pBrowser = nullptr;
    CHtmlBridgePage* m_pBridge = nullptr;
    const CHtmlEvent* m_pCurrentEvent = nullptr;
    std::map<std::string, std::string> m_reportedValues;
};
