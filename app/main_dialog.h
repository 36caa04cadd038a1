// CMainDialog: the program's one window, an organiser cut out of its skin. It holds the tab
// window with the dictionary, online, about and "我的" pages, the dictionary itself and the
// user's own lists (mywords/user_lists.h). For its first
// four seconds it shows a loading phase (title, notice, progress bar) with the tab window hidden;
// after it the organiser's keys under the screen work.
#pragma once

#include <QFont>
#include <QIcon>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/about_dialog.h"
#include "app/organiser_keys.h"
#include "app/skin_dialog.h"
#include "controls/pad_tab_wnd.h"
#include "dictionary/dict_store.h"
#include "mywords/my_words_page.h"
#include "mywords/user_lists.h"
#include "online/dlg_online.h"
#include "view/dict_view_page.h"

class QMenu;

class CMainDialog : public CSkinDialog {
    Q_OBJECT
public:
    static constexpr int kLoadingTimerId = 102;
    static constexpr int kLoadingTimerMs = 80;
    static constexpr int kLoadingTicks = 50;
    static constexpr int kAboutCommand = 16;
    static constexpr int kTabWindowId = 125;
    static constexpr int kCancelResult = 2;
    // The modal loop ended because the window went to the tray (SetCloseHook).
    static constexpr int kHiddenResult = 3;
    // The modal loop blocks only the windows above the organiser (it has none), never the
    // program's other windows: the tray icon and its menu take their clicks while it runs.
    static constexpr Qt::WindowModality kModality = Qt::WindowModal;

    // voice reads the dictionary page's entries aloud (none: the page does not speak).
    explicit CMainDialog(std::unique_ptr<CSpeechVoice> voice = CSpeechVoice::CreateDefault());
    ~CMainDialog() override;

    // Creates the window's contents (OnCreate, OnInitDialog); false when that failed. The
    // modal loop (exec) follows.
    bool Create();

    // The window's reactions, called from the Qt events that carry them.
    int OnCreate();
    bool OnInitDialog();
    void OnTimer(int timerId);
    void OnSysCommand(int command);
    // A key under the screen was pressed and released on it: book, the dictionary tab with the
    // focus in the search box; speaker, the first result row read aloud; the pad's up and down,
    // the results moved by a row, left and right, the previous and next tab (round the end), its
    // centre, the search of the box's text (these three show the dictionary tab first); globe,
    // the online tab; "i", the about tab.
    void OnOrganiserKey(OrganiserKey key);
    // A row of the "我的" tab asked for a search: the dictionary tab searches text.
    void OnSearchRequested(const QString& text);

    // The process-wide count of loading ticks: it starts at 0 and is never reset, so the
    // loading phase happens once per process.
    static std::int32_t& LoadingTicks();

    CDictViewPage& DictPage() { return m_dictPage; }
    CPADTabWnd& TabWindow() { return m_tabWnd; }
    // The "我的" tab and the lists it shows; null before OnCreate.
    CMyWordsPage* MyWordsPage() { return m_myWordsPage.get(); }
    CUserLists* UserLists() { return m_userLists.get(); }
    CAboutDialog& AboutPage() { return m_aboutPage; }
    const CDictStore& Store() const { return m_store; }
    int Progress() const { return m_progress; }
    // True once the loading phase has ended and the tab window is shown; only then do the keys
    // under the screen work.
    bool IsReady() const { return m_bReady; }

    // Enter does nothing; Escape (and the system menu's close) ends the modal loop with the
    // cancel result 2, the header's close button and the page's close element with 1.
    void accept() override {}
    void reject() override { done(kCancelResult); }
    // Ends the modal loop with result; but when the close hook says so, the window only hides
    // and the loop ends with kHiddenResult.
    void done(int result) override;

    // Asked whenever the window would close: true hides it instead (the program goes on in the
    // tray). None, the default: the window closes.
    void SetCloseHook(std::function<bool()> keepRunning) { m_keepRunning = std::move(keepRunning); }

    // Brings the window forward: shown again when hidden or minimised, raised and active.
    void BringForward();
    // Shows the dictionary tab with a search for text (code page 936), as if typed in its box;
    // during the loading phase the search waits for its end.
    void ShowSearch(const std::string& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void OnPaint();
    void LoadDictionary();
    void ShowSystemMenu(const QPoint& globalPosition);
    // The key under point, once the window is ready; nullopt before and between the keys.
    std::optional<OrganiserKey> ActiveKeyAt(QPointF point) const;
    // Shows the key that the button went down on as pressed or not, repainting it on a change.
    void ShowKeyPressed(bool pressed);
    // Paints the key shown pressed, if any, over the skin.
    void PaintHeldKey();
    // Selects tab index and repaints the tab row, unless it is the current tab already.
    void SelectTab(int index);
    // Runs the search that waited for the loading phase to end, if any.
    void RunPendingSearch();

    CDictViewPage m_dictPage;
    CDlgOnline m_onlinePage;
    CPADTabWnd m_tabWnd;
    CAboutDialog m_aboutPage;
    // Before the page that shows them, which goes first.
    std::unique_ptr<CUserLists> m_userLists;
    std::unique_ptr<CMyWordsPage> m_myWordsPage;
    QFont m_fontText;
    QFont m_fontBold;
    QIcon m_hIcon;
    CDictStore m_store;
    int m_progress = 0;
    int m_loadingTimer = 0;
    QMenu* m_systemMenu = nullptr;
    bool m_bReady = false;
    // The key the left button went down on, while it is down, and whether the pointer is still
    // on it (it is shown pressed then, and releasing the button there presses it).
    std::optional<OrganiserKey> m_keyDown;
    bool m_bKeyShownPressed = false;
    std::function<bool()> m_keepRunning;
    std::optional<std::string> m_pendingSearch;
};
