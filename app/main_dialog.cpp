#include "app/main_dialog.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <exception>

#include "platform/ansi_text.h"
#include "platform/dialog_units.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/string_resources.h"
#include "settings/startup_settings.h"
#include "userdata/data_folder.h"

namespace {

constexpr int kSkinBitmapId = 129;
constexpr QRgb kSkinTransparent = qRgb(0, 0, 0);
constexpr int kAboutMenuStringId = 101;
// Where the tab window lies in the window, once sized: left 31, top 60, 267 x 374.
constexpr QRect kTabWindowRect(31, 60, 267, 374);
// The window's template: 222 x 365 dialog units of its 9 point "宋体".
constexpr QRect kWindowUnits(0, 0, 222, 365);

QFont SongFont() {
    return QFont(QStringLiteral("宋体"));
}

// The folder of the user's own lists, which gdict reads too; where the system tells none, the
// one Qt gives, after saying so.
std::string ListsFolder(QWidget* owner) {
    try {
        return UserDataFolder();
    } catch (const std::exception& error) {
        ShowMessageBox(owner,
                       QStringLiteral("找不到保存用户数据的文件夹（%1），生词本、查询记录和我的词条"
                                      "改存在：\n%2")
                           .arg(QString::fromStdString(error.what()),
                                QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)),
                       MessageBoxType::IconWarning);
        return FileNameOf(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }
}

}  // namespace

CMainDialog::CMainDialog(std::unique_ptr<CSpeechVoice> voice)
    : m_dictPage(std::move(voice)),
      m_fontText(SongFont()),
      m_fontBold(SongFont()),
      m_hIcon(QStringLiteral(":/icons/136.png")) {
    m_fontText.setPointSizeF(10.0);
    m_fontBold.setPixelSize(16);
    m_fontBold.setWeight(QFont::Bold);
    m_hIcon.addFile(QStringLiteral(":/icons/136.ico"));

    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowModality(kModality);
    QFont dialogFont = SongFont();
    dialogFont.setPointSize(9);
    const QRect pixels = DialogUnitsToPixels(dialogFont, kWindowUnits);
    setFixedSize(pixels.size());
    move(0, 0);
    // Pointer moves without a button, so that the pointer turns into a hand over a key.
    setMouseTracking(true);
}

CMainDialog::~CMainDialog() = default;

std::int32_t& CMainDialog::LoadingTicks() {
    static std::int32_t ticks = 0;
    return ticks;
}

bool CMainDialog::Create() {
    if (OnCreate() == -1) return false;
    return OnInitDialog();
}

int CMainDialog::OnCreate() {
    setFont(m_fontText);
    m_loadingTimer = startTimer(kLoadingTimerMs);

    m_tabWnd.Create(CPADTabWnd::WS_CHILD | CPADTabWnd::PTS_BOTTOM, kTabWindowRect, this,
                    kTabWindowId);
    m_tabWnd.SetTitle(TheStartupSettings().titleText);
    m_tabWnd.SetLogoUrl(TheStartupSettings().logoUrl);
    m_dictPage.Create(&m_tabWnd);
    m_tabWnd.AddTab(&m_dictPage, ToAnsi(QStringLiteral("词典")).c_str(), 0);
    m_onlinePage.Create(&m_tabWnd);
    m_tabWnd.AddTab(&m_onlinePage, ToAnsi(QStringLiteral("在线")).c_str(), 0);
    m_aboutPage.Create(&m_tabWnd);
    m_tabWnd.AddTab(&m_aboutPage, ToAnsi(QStringLiteral("关于")).c_str(), 0);
    m_userLists = std::make_unique<CUserLists>(ListsFolder(this), std::make_unique<QSettings>());
    m_userLists->SetMessageOwner(this);
    m_myWordsPage = std::make_unique<CMyWordsPage>(*m_userLists, &m_tabWnd);
    m_tabWnd.AddTab(m_myWordsPage.get(), ToAnsi(QStringLiteral("我的")).c_str(), 0);
    connect(m_myWordsPage.get(), &CMyWordsPage::searchRequested, this,
            &CMainDialog::OnSearchRequested);
    m_tabWnd.SetCurSel(0);
    m_dictPage.m_pDictionary = &m_store;
    m_dictPage.SetUserLists(m_userLists.get());

    setWindowTitle(FromAnsi(TheStartupSettings().titleText));
    return 0;
}

bool CMainDialog::OnInitDialog() {
    // The window has no caption bar; its system menu is the window's context menu.
    m_systemMenu = new QMenu(this);
    m_systemMenu->addAction(QStringLiteral("最小化(&N)"), this, &QWidget::showMinimized);
    m_systemMenu->addAction(QStringLiteral("关闭(&C)\tAlt+F4"), this, &QDialog::reject);
    const std::string aboutEntry = LoadStringResource(std::to_string(kAboutMenuStringId));
    if (!aboutEntry.empty()) {
        m_systemMenu->addSeparator();
        m_systemMenu->addAction(FromAnsi(aboutEntry), this,
                                [this] { OnSysCommand(kAboutCommand); });
    }

    setWindowIcon(m_hIcon);

    LoadSkinResource(kSkinBitmapId);
    SetShapeMode(true);
    SetTransparentColor(kSkinTransparent);
    m_bTransparentStatics = true;
    m_bDragAnywhere = true;

    LoadDictionary();
    return true;
}

void CMainDialog::LoadDictionary() {
    // A damaged or missing file is reported once, with the stop icon; the window goes on with
    // what was read.
    try {
        m_store.LoadFile(TheStartupSettings().dictionaryPath);
    } catch (const std::exception& error) {
        ShowMessageBox(this, QString::fromStdString(error.what()), MessageBoxType::IconError);
    }
}

void CMainDialog::OnSysCommand(int command) {
    if ((command & 0xFFF0) != kAboutCommand) return;
    m_tabWnd.SetCurSel(2);
    m_tabWnd.Refresh();
}

void CMainDialog::ShowSystemMenu(const QPoint& globalPosition) {
    if (m_systemMenu != nullptr) m_systemMenu->popup(globalPosition);
}

void CMainDialog::contextMenuEvent(QContextMenuEvent* event) {
    ShowSystemMenu(event->globalPos());
}

void CMainDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::AltModifier) {
        ShowSystemMenu(mapToGlobal(QPoint(0, 0)));
        return;
    }
    CSkinDialog::keyPressEvent(event);
}

void CMainDialog::resizeEvent(QResizeEvent* event) {
    CSkinDialog::resizeEvent(event);
    m_tabWnd.setGeometry(kTabWindowRect);
}

void CMainDialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_loadingTimer) {
        OnTimer(kLoadingTimerId);
        return;
    }
    CSkinDialog::timerEvent(event);
}

void CMainDialog::done(int result) {
    if (result != kHiddenResult && m_keepRunning && m_keepRunning()) result = kHiddenResult;
    CSkinDialog::done(result);
}

void CMainDialog::BringForward() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void CMainDialog::ShowSearch(const std::string& text) {
    m_pendingSearch = text;
    if (m_bReady) RunPendingSearch();
}

void CMainDialog::RunPendingSearch() {
    if (!m_pendingSearch) return;
    SelectTab(0);
    m_dictPage.SearchFor(*m_pendingSearch);
    m_pendingSearch.reset();
}
