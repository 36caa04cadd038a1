// CMainDialog: the program's one window, an organiser cut out of its skin. It holds the tab
// window with the dictionary, online and about pages, and the dictionary itself. For its first
// four seconds it shows a loading phase (title, notice, progress bar) with the tab window hidden.
#pragma once

#include <QFont>
#include <QIcon>
#include <cstdint>

#include "app/about_dialog.h"
#include "app/skin_dialog.h"
#include "controls/pad_tab_wnd.h"
#include "dictionary/dict_store.h"
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

    CMainDialog();
    ~CMainDialog() override;

    // Creates the window's contents and runs its modal loop; the result that ended it.
    int DoModal();

    // The window's reactions, called from the Qt events that carry them.
    int OnCreate();
    bool OnInitDialog();
    void OnTimer(int timerId);
    void OnSysCommand(int command);

    // The process-wide count of loading ticks: it starts at 0 and is never reset, so the
    // loading phase happens once per process.
    static std::int32_t& LoadingTicks();

    CDictViewPage& DictPage() { return m_dictPage; }
    CPADTabWnd& TabWindow() { return m_tabWnd; }
    const CDictStore& Store() const { return m_store; }
    int Progress() const { return m_progress; }

    // Enter does nothing; Escape (and the system menu's close) ends the modal loop with the
    // cancel result 2, the header's close button and the page's close element with 1.
    void accept() override {}
    void reject() override { done(kCancelResult); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnPaint();
    void LoadDictionary();
    void ShowSystemMenu(const QPoint& globalPosition);

    CDictViewPage m_dictPage;
    CDlgOnline m_onlinePage;
    CPADTabWnd m_tabWnd;
    CAboutDialog m_aboutPage;
    QFont m_fontText;
    QFont m_fontBold;
    QIcon m_hIcon;
    CDictStore m_store;
    int m_progress = 0;
    int m_loadingTimer = 0;
    QMenu* m_systemMenu = nullptr;
};
