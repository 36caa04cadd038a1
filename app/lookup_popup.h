// CLookupPopup: the small window that answers a text copied in another program, next to the
// pointer: up to five rows of the dictionary (view/popup_rows.h) with a speaker and, when the
// program has a word book, a star, and "更多…", which asks for the organiser with that search.
// It takes no focus from the program the user works in. It closes on Escape, on a click
// elsewhere (platform/popup_dismissal.h), when the pointer has left it for a while after being
// on it, and when it is not touched for a longer while.
#pragma once

#include <QFrame>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "platform/popup_dismissal.h"
#include "platform/speech_voice.h"
#include "view/popup_rows.h"

class CDictStore;
class CEntryStars;
class QLabel;

// How long the popup stays.
struct CPopupTimes {
    // From its showing, while the pointer has not been on it.
    std::chrono::milliseconds untouched{10000};
    // After the pointer has left it.
    std::chrono::milliseconds away{2000};
};

class CLookupPopup : public QFrame {
    Q_OBJECT
public:
    // The width of the popup's text, in pixels.
    static constexpr int kTextWidth = 300;

    using VoiceFactory = std::function<std::unique_ptr<CSpeechVoice>()>;
    // The own terms as they are at the moment of a look-up; null or empty: none. The popup
    // holds the store it was given while it shows rows from it.
    using OwnTermsSource = std::function<std::shared_ptr<const CDictStore>()>;

    // owner is the program's main window, or null: the popup belongs to it, so that the
    // window's modal loop, which blocks every other window of the program, leaves the popup
    // working. dictionary and the own terms of ownTerms (may be empty) are searched; stars,
    // when not null, are asked and changed for the rows' stars. dictionary and stars must
    // outlive the popup. The voice is made by voice at the first click on a speaker (a null
    // voice: the speakers say nothing).
    CLookupPopup(QWidget* owner, const CDictStore& dictionary, OwnTermsSource ownTerms,
                 CEntryStars* stars, CPopupTimes times = {},
                 VoiceFactory voice = &CSpeechVoice::CreateDefault);
    ~CLookupPopup() override;

    // Looks query (code page 936) up. When the dictionary answers, shows the answer next to
    // pointer (global coordinates) and returns true; when it does not, closes the popup and
    // returns false. The same query while the popup shows it leaves the popup as it is.
    bool ShowFor(const std::string& query, QPoint pointer);

    // Closes the popup; nothing when it is closed.
    void Dismiss();
    // Shows the rows' stars again, as stars tells them now; nothing when the popup is closed.
    void RefreshStars();

    const popuprows::CPopupAnswer& Answer() const { return m_answer; }
    // The label that shows the answer's HTML.
    QLabel& Text() const { return *m_text; }
    // True while the dismissal watch runs (X11): Escape and clicks elsewhere close the popup.
    bool WatchesDismissal() const { return m_dismissal.IsRunning(); }

signals:
    // "更多…" was clicked: the organiser should come forward with a search for query.
    void MoreRequested(const QString& query);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void OnLink(const QString& link);
    void Touched();
    void Render();

    const CDictStore& m_dictionary;
    OwnTermsSource m_ownTerms;
    // The own terms that the rows of m_answer may point into.
    std::shared_ptr<const CDictStore> m_answerOwnTerms;
    CEntryStars* m_stars;
    CPopupTimes m_times;
    VoiceFactory m_makeVoice;
    std::unique_ptr<CSpeechVoice> m_voice;
    popuprows::CPopupImages m_images;
    popuprows::CPopupAnswer m_answer;
    QLabel* m_text;
    QTimer m_untouched;
    QTimer m_away;
    CPopupDismissal m_dismissal;
    bool m_touched = false;
};
