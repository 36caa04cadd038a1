#include "app/lookup_popup.h"

#include <QCursor>
#include <QEnterEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>
#include <optional>
#include <utility>

#include "app/popup_placement.h"
#include "dictionary/dict_entry.h"
#include "files/program_directory.h"
#include "platform/ansi_text.h"
#include "view/entry_stars.h"

namespace {

constexpr double kTextPoints = 10.0;

// A picture of the program's directory as an address that Qt's rich text loads, UTF-8.
std::string PictureAddress(const char* name) {
    const QString directory = QFile::decodeName(GetProgramDirectory().c_str());
    const QUrl address = QUrl::fromLocalFile(directory + QLatin1Char('/') + QLatin1String(name));
    return address.toString(QUrl::FullyEncoded).toStdString();
}

}  // namespace

CLookupPopup::CLookupPopup(QWidget* owner, const CDictStore& dictionary, OwnTermsSource ownTerms,
                           CEntryStars* stars, CPopupTimes times, VoiceFactory voice)
    : QFrame(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                        Qt::WindowDoesNotAcceptFocus),
      m_dictionary(dictionary),
      m_ownTerms(std::move(ownTerms)),
      m_stars(stars),
      m_times(times),
      m_makeVoice(std::move(voice)),
      m_images{PictureAddress("arrow_d.gif"), PictureAddress("speaker.gif")},
      m_text(new QLabel(this)),
      m_dismissal(this) {
    // No frame shows the title; it names the window for the desktop's tools.
    setWindowTitle(QStringLiteral("取词"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setStyleSheet(
        QStringLiteral("CLookupPopup { background: #ffffff; border: 1px solid #8899aa; }"
                       "QLabel { color: #333333; }"));

    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(kTextPoints);
    m_text->setFont(font);
    m_text->setTextFormat(Qt::RichText);
    m_text->setWordWrap(true);
    m_text->setFixedWidth(kTextWidth);
    // Links answer the mouse only: nothing in the popup takes the keyboard's focus.
    m_text->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    m_text->setOpenExternalLinks(false);
    m_text->setFocusPolicy(Qt::NoFocus);
    connect(m_text, &QLabel::linkActivated, this, &CLookupPopup::OnLink);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(m_text);

    m_untouched.setSingleShot(true);
    m_away.setSingleShot(true);
    connect(&m_untouched, &QTimer::timeout, this, &CLookupPopup::Dismiss);
    connect(&m_away, &QTimer::timeout, this, &CLookupPopup::Dismiss);
    connect(&m_dismissal, &CPopupDismissal::EscapePressed, this, &CLookupPopup::Dismiss);
    connect(&m_dismissal, &CPopupDismissal::PressedOutside, this, &CLookupPopup::Dismiss);
}

CLookupPopup::~CLookupPopup() = default;

bool CLookupPopup::ShowFor(const std::string& query, QPoint pointer) {
    if (isVisible() && query == m_answer.query) return true;
    std::shared_ptr<const CDictStore> ownTerms = m_ownTerms ? m_ownTerms() : nullptr;
    popuprows::CPopupAnswer answer = popuprows::LookUp(m_dictionary, ownTerms.get(), query);
    if (answer.empty()) {
        Dismiss();
        return false;
    }
    m_answer = std::move(answer);
    m_answerOwnTerms = std::move(ownTerms);
    Render();

    QScreen* screen = QGuiApplication::screenAt(pointer);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    move(PopupPosition(pointer, size(), screen->availableGeometry()));
    m_touched = false;
    m_away.stop();
    m_untouched.start(m_times.untouched);
    show();
    raise();
    m_dismissal.Start();
    return true;
}

void CLookupPopup::Render() {
    m_text->setText(QString::fromStdString(popuprows::BuildPopupHtml(m_answer, m_stars, m_images)));
    adjustSize();
}

void CLookupPopup::Dismiss() {
    hide();
}

void CLookupPopup::RefreshStars() {
    if (isVisible() && m_stars != nullptr) Render();
}

void CLookupPopup::hideEvent(QHideEvent* event) {
    m_dismissal.Stop();
    m_untouched.stop();
    m_away.stop();
    QFrame::hideEvent(event);
}

void CLookupPopup::Touched() {
    m_touched = true;
    m_untouched.stop();
    m_away.stop();
}

void CLookupPopup::enterEvent(QEnterEvent* event) {
    Touched();
    QFrame::enterEvent(event);
}

void CLookupPopup::leaveEvent(QEvent* event) {
    if (m_touched && isVisible()) m_away.start(m_times.away);
    QFrame::leaveEvent(event);
}

void CLookupPopup::OnLink(const QString& link) {
    Touched();
    const std::string name = link.toStdString();
    const std::size_t rows = m_answer.ranked.rows.size();
    if (name == popuprows::kMoreLink) {
        const QString query = FromAnsi(m_answer.query);
        Dismiss();
        emit MoreRequested(query);
    } else if (const std::optional<std::size_t> row =
                   popuprows::LinkRow(name, popuprows::kSpeakLink, rows)) {
        if (!m_voice && m_makeVoice) m_voice = m_makeVoice();
        if (m_voice) m_voice->Speak(FromAnsi(m_answer.ranked.rows[*row].entry->english));
    } else if (const std::optional<std::size_t> starred =
                   popuprows::LinkRow(name, popuprows::kStarLink, rows)) {
        const CDictEntry& entry = *m_answer.ranked.rows[*starred].entry;
        if (m_stars != nullptr && m_stars->Toggle(entry.english, entry.chinese)) Render();
    }
}
