// CDictViewPage: the dictionary tab's HTML page. It holds the search box, the GO image and the
// results cell; it searches the dictionary store, writes the results as HTML, reads entries
// aloud, and keeps the keys and context menus of the browser that the program does not want.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "dictionary/result_list.h"
#include "platform/html_dialog.h"
#include "platform/speech_voice.h"

class CDictStore;

class CDictViewPage : public CHtmlDialog {
    Q_OBJECT
public:
    static constexpr int kHtmlResourceId = 103;

    // The voice defaults to the desktop's; none gives a page that does not speak.
    explicit CDictViewPage(std::unique_ptr<CSpeechVoice> voice = CSpeechVoice::CreateDefault());
    ~CDictViewPage() override;

    // Set by the main window right after creating the page, before any search.
    CDictStore* m_pDictionary = nullptr;

    // Puts the GO image, the background and the start text with the notice into the page.
    void RefreshPageDecorations();

    // Searches the dictionary for text, as typed, and shows the results (or offers the
    // publisher's web dictionary when there are none).
    void QueryAndShow(std::string text);
    // Writes the last results, the notice when it follows every result, and the footer line
    // into the results cell.
    void WriteResultCell();

    // The page's OK action (a search with the text box's value) and its cancel action.
    void OnOK();
    void OnCancel();

    // Handlers of the event map.
    HtmlEventResult OnCloseClick(const CHtmlElement& element);
    HtmlEventResult OnFindKeyDown(const CHtmlElement& element);
    HtmlEventResult OnHtmlContextMenu(const CHtmlElement& element);
    HtmlEventResult OnSpeakerClick(const CHtmlElement& element);

    // The keyboard filter: true swallows the event before the page, the browser or any window
    // above them sees it.
    bool PreTranslateMessage(QEvent* event);

    const CResultList& GetResults() const { return m_results; }
    const std::string& GetResultHtml() const { return m_strHtml; }

protected:
    void OnDocumentComplete() override;
    std::optional<int> OnAmbientProperty(int dispid) const override;
    void DoDataExchange(CDataExchange& dx) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CHtmlEventMap DictEventMap();
    // The server's notice as the page may show it.
    static std::string NoticeHtml();

    CResultList m_results;
    std::string m_strHtml;
    std::string m_strFind;
    std::unique_ptr<CSpeechVoice> m_pVoice;
};
