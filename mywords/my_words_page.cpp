#include "mywords/my_words_page.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFrame>
#include <QTabWidget>

#include "mywords/history_section.h"
#include "mywords/own_terms_section.h"
#include "mywords/user_lists.h"
#include "mywords/word_book_section.h"

namespace {

constexpr int kPagePointSize = 9;

}  // namespace

CMyWordsPage::CMyWordsPage(CUserLists& lists, QWidget* parent) : QWidget(parent), m_lists(lists) {
    setObjectName(QStringLiteral("myWordsPage"));
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(kPagePointSize);
    setFont(font);
    setAutoFillBackground(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_sections = new QTabWidget(this);
    m_sections->setObjectName(QStringLiteral("myWordsSections"));
    m_sections->setDocumentMode(true);
    m_wordBook = new CWordBookSection(lists);
    m_history = new CHistorySection(lists);
    m_ownTerms = new COwnTermsSection(lists);
    m_sections->addTab(m_wordBook, QStringLiteral("生词本"));
    m_sections->addTab(m_history, QStringLiteral("查询记录"));
    m_sections->addTab(m_ownTerms, QStringLiteral("我的词条"));
    layout->addWidget(m_sections, 1);

    auto* strip = new QFrame(this);
    strip->setObjectName(QStringLiteral("switchStrip"));
    strip->setFrameShape(QFrame::StyledPanel);
    m_switchNotes = new QVBoxLayout(strip);
    m_switchNotes->setContentsMargins(4, 1, 4, 1);
    m_switchNotes->setSpacing(0);
    m_switchStrip = new QHBoxLayout;
    m_switchStrip->setSpacing(8);
    m_switchNotes->addLayout(m_switchStrip);
    m_historySwitch = new QCheckBox(QStringLiteral("记录查询"), strip);
    m_historySwitch->setObjectName(QStringLiteral("historySwitch"));
    m_historySwitch->setChecked(lists.HistoryEnabled());
    m_switchStrip->addWidget(m_historySwitch);
    m_switchStrip->addStretch(1);
    layout->addWidget(strip);

    connect(m_historySwitch, &QCheckBox::toggled, this,
            [this](bool on) { m_lists.SetHistoryEnabled(on); });
    connect(m_wordBook, &CWordBookSection::searchRequested, this, &CMyWordsPage::searchRequested);
    connect(m_history, &CHistorySection::searchRequested, this, &CMyWordsPage::searchRequested);
    connect(&lists, &CUserLists::wordBookChanged, this, [this] {
        if (isVisible()) m_wordBook->Reload();
    });
    connect(&lists, &CUserLists::historyChanged, this, [this] {
        if (isVisible()) m_history->Reload();
    });
    connect(&lists, &CUserLists::ownTermsChanged, this, [this] {
        if (isVisible()) m_ownTerms->Reload();
    });
}

void CMyWordsPage::SelectSection(Section section) {
    m_sections->setCurrentIndex(section);
}

void CMyWordsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Another copy of the program, or gdict, may have changed the lists meanwhile.
    ReloadAll();
}

void CMyWordsPage::ReloadAll() {
    m_wordBook->Reload();
    m_history->Reload();
    m_ownTerms->Reload();
}
