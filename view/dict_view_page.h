// CDictViewPage: the dictionary tab's HTML page. It holds the search box, the GO image and the
// results cell; it searches the dictionary store, writes the results as HTML, reads entries
// aloud, and keeps the keys and context menus of the browser that the program does not want.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dictionary/result_list.h"
#include "dictionary/result_ranking.h"
#include "pagehost/html_dialog.h"
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

    // The most near matches offered when a search finds nothing.
    static constexpr std::size_t kMaxNearMatches = 8;

    // Searches the dictionary for text, as typed, and shows the results in the order of the
    // ranking (dictionary/result_ranking.h), after the conversions when text is a measurement.
    // When there are no results and text is no measurement, it offers the publisher's web
    // dictionary and then shows the headwords near the text, if any.
    void QueryAndShow(std::string text);
    // Writes the last results, the notice when it follows every result, and the footer line
    // into the results cell.
    void WriteResultCell();

    // The page's OK action (a search with the text box's value) and its cancel action.
    void OnOK();
    void OnCancel();

    // What the organiser's keys ask of the page; each does nothing before the page has loaded.
    // Puts the focus in the search box, its text selected.
    void FocusSearchBox();
    // Reads the first result row's English text aloud; nothing when no rows are shown.
    void SpeakFirstRow();
    // Moves the results by whole rows, down for rows > 0 and up for rows < 0: the row moved to
    // takes the place the first row has at the top. Past the last row it moves to the end, before
    // the first to the top.
    void ScrollResults(int rows);
    // Searches for the search box's text as it is now, as a click on the GO image does. The box
    // is read from the page, so the search follows once the page has answered.
    void RunSearch();
    // Puts text (code page 936) into the search box and searches it, as if typed.
    void SearchFor(std::string text);

    // Handlers of the event map.
    HtmlEventResult OnCloseClick(const CHtmlElement& element);
    HtmlEventResult OnFindKeyDown(const CHtmlElement& element);
    HtmlEventResult OnHtmlContextMenu(const CHtmlElement& element);
    HtmlEventResult OnSpeakerClick(const CHtmlElement& element);
    // A click on near match n ("NEAR_<n>") puts its headword into the text box and searches it.
    HtmlEventResult OnNearMatchClick(const CHtmlElement& element);

    // The keyboard filter: true swallows the event before the page, the browser or any window
    // above them sees it.
    bool PreTranslateMessage(QEvent* event);

    // The entries of the rows shown last, in their order, and those rows as ranked.
    const CResultList& GetResults() const { return m_results; }
    const CRankedResults& GetRankedResults() const { return m_ranked; }
    const std::string& GetResultHtml() const { return m_strHtml; }

protected:
    void OnDocumentComplete() override;
    std::optional<int> OnAmbientProperty(int dispid) const override;
    void DoDataExchange(CDataExchange& dx) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CHtmlEventMap DictEventMap();
    // Reads entry row of the results aloud; nothing for a row that does not exist or without a
    // voice.
    void SpeakRow(std::size_t row);
    // The server's notice as the page may show it.
    static std::string NoticeHtml();

    CRankedResults m_ranked;
    CResultList m_results;
    // The headwords that the near-match links of the last display stand for, in link order.
    std::vector<std::string> m_nearMatches;
    std::string m_strHtml;
    std::string m_strFind;
    std::unique_ptr<CSpeechVoice> m_pVoice;
};
