#include "app/about_dialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QTimerEvent>

#include "platform/ansi_text.h"
#include "platform/debug_output.h"
#include "platform/dialog_units.h"
#include "platform/string_resources.h"
#include "settings/startup_settings.h"

namespace {

// Dialog 100: its size and font, and where its controls sit, in dialog units.
constexpr int kDialogWidth = 161;
constexpr int kDialogHeight = 159;
constexpr int kDialogFontPoints = 9;
constexpr double kPageFontPoints = 9.4;
const QRect kIconRect(11, 17, 20, 20);
const QRect kProductNameRect(42, 12, 106, 8);
const QRect kNoticeLineRect(41, 25, 95, 8);
const QRect kTextRect(16, 46, 126, 56);
const QRect kVisitCaptionRect(13, 115, 35, 8);
const QRect kLinkRect(50, 115, 79, 8);

}  // namespace

CAboutDialog::CAboutDialog()
    : m_font(QStringLiteral("宋体")), m_fontDialog(QStringLiteral("MS Shell Dlg")) {
    m_font.setPointSizeF(kPageFontPoints);
    m_fontDialog.setPointSize(kDialogFontPoints);
}

bool CAboutDialog::Create(QWidget* parent) {
    if (parent != nullptr) setParent(parent, Qt::Widget);
    setFont(m_fontDialog);
    resize(MapDialogRect(QRect(0, 0, kDialogWidth, kDialogHeight)).size());
    CreateControls();
    return OnInitDialog();
}

void CAboutDialog::CreateControls() {
    // An icon control takes the size of its icon, here the standard 32 pixels its box is made for,
    // at the box's top-left corner.
    m_pIcon = new QLabel(this);
    m_pIcon->setFont(m_fontDialog);
    const QPixmap icon(QStringLiteral(":/icons/136_32.png"));
    m_pIcon->setPixmap(icon);
    m_pIcon->setGeometry(QRect(MapDialogRect(kIconRect).topLeft(), icon.size()));

    m_pProductName =
        CreateStatic(kProductNameRect,
                     FromAnsi(LoadStringResource("about_product_name") + " " + GetVersionText()));
    m_pNoticeLine =
        CreateStatic(kNoticeLineRect, FromAnsi(LoadStringResource("about_notice_line")));
    m_pText = CreateStatic(kTextRect, QString());
    m_pVisitCaption = CreateStatic(kVisitCaptionRect, QStringLiteral("详情访问："));

    m_link.setParent(this);
    m_link.setGeometry(MapDialogRect(kLinkRect));
    m_link.setFont(m_fontDialog);
    m_link.setText(FromAnsi(LoadStringResource("about_site_url")));
}

QLabel* CAboutDialog::CreateStatic(const QRect& dialogUnits, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setGeometry(MapDialogRect(dialogUnits));
    label->setFont(m_fontDialog);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

void CAboutDialog::WidenToText(QLabel& label) {
    const int needed = QFontMetrics(label.font()).horizontalAdvance(label.text()) + label.width() -
                       label.contentsRect().width();
    if (needed > label.width()) label.resize(needed, label.height());
}

QWidget* CAboutDialog::GetDlgItem(int id) {
    switch (id) {
        case kIdcIcon:
            return m_pIcon;
        case kIdcLink:
            return m_pText != nullptr ? &m_link : nullptr;
        case kIdcText:
            return m_pText;
        case kIdcProductName:
            return m_pProductName;
        case kIdcNoticeLine:
            return m_pNoticeLine;
        case kIdcVisitCaption:
            return m_pVisitCaption;
        default:
            return nullptr;
    }
}

QRect CAboutDialog::MapDialogRect(const QRect& dialogUnits) const {
    return DialogUnitsToPixels(m_fontDialog, dialogUnits);
}

bool CAboutDialog::OnInitDialog() {
    m_strText = TheStartupSettings().aboutText;
    UpdateData(false);
    m_refreshTimer.start(kRefreshPeriodMs, this);
    // The page and its texts take the page font; the icon and the link keep the dialog font.
    setFont(m_font);
    for (QLabel* label : {m_pText, m_pProductName, m_pNoticeLine, m_pVisitCaption}) {
        label->setFont(m_font);
    }
    // The page's font is wider than the dialog font its boxes were measured in: a one-line text
    // widens its box to the right rather than lose its end.
    for (QLabel* label : {m_pProductName, m_pNoticeLine, m_pVisitCaption}) WidenToText(*label);
    return true;
}

void CAboutDialog::OnTimer() {
    m_strText = TheStartupSettings().aboutText;
    UpdateData(false);
    DebugOutput(m_strText);
}

bool CAboutDialog::UpdateData(bool saveAndValidate) {
    if (m_pText == nullptr) return false;
    DoDataExchange(saveAndValidate);
    return true;
}

void CAboutDialog::DoDataExchange(bool saveAndValidate) {
    if (!m_linkAttached) {
        m_link.PreSubclassWindow();
        m_linkAttached = true;
    }
    if (saveAndValidate) {
        m_strText = ToAnsi(m_pText->text());
    } else {
        m_pText->setText(FromAnsi(m_strText));
    }
}

void CAboutDialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_refreshTimer.timerId()) {
        OnTimer();
        return;
    }
    QDialog::timerEvent(event);
}
