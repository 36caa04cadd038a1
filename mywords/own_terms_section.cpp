#include "mywords/own_terms_section.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <algorithm>

#include "mywords/list_export.h"
#include "mywords/section_widgets.h"
#include "mywords/user_list_messages.h"
#include "mywords/user_lists.h"
#include "platform/ansi_text.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "userdata/exports.h"
#include "userdata/own_term_import.h"

namespace {

// The most skipped lines that the import's message names one by one.
constexpr std::size_t kSkippedLinesShown = 10;

QLineEdit* AddField(QGridLayout* form, int row, const QString& label, const QString& objectName) {
    auto* edit = new QLineEdit;
    edit->setObjectName(objectName);
    form->addWidget(new QLabel(label), row, 0);
    form->addWidget(edit, row, 1);
    return edit;
}

}  // namespace

COwnTermsSection::COwnTermsSection(CUserLists& lists, QWidget* parent)
    : QWidget(parent), m_lists(lists) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    m_list = MakeList(this, QStringLiteral("ownTermsList"),
                      {QStringLiteral("英文"), QStringLiteral("中文"), QStringLiteral("备注")}, 3);
    layout->addWidget(m_list, 1);

    auto* form = new QGridLayout;
    form->setContentsMargins(0, 0, 0, 0);
    form->setHorizontalSpacing(4);
    form->setVerticalSpacing(1);
    m_english = AddField(form, 0, QStringLiteral("英文"), QStringLiteral("ownEnglish"));
    m_chinese = AddField(form, 1, QStringLiteral("中文"), QStringLiteral("ownChinese"));
    m_note = AddField(form, 2, QStringLiteral("备注"), QStringLiteral("ownNote"));
    m_note->setPlaceholderText(QStringLiteral("可不填"));
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    AddButton(buttons, QStringLiteral("添加"), QStringLiteral("ownAdd"), [this] { Add(); });
    AddButton(buttons, QStringLiteral("修改"), QStringLiteral("ownEdit"), [this] { Edit(); });
    AddButton(buttons, QStringLiteral("删除"), QStringLiteral("ownRemove"),
              [this] { RemoveSelected(); });
    AddButton(buttons, QStringLiteral("导入…"), QStringLiteral("ownImport"), [this] { Import(); });
    AddButton(buttons, QStringLiteral("导出…"), QStringLiteral("ownExport"), [this] { Export(); });
    layout->addLayout(buttons);

    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] { ShowSelectedInForm(); });
    OnListKey(m_list, Qt::Key_Delete, [this] { RemoveSelected(); });
    for (QLineEdit* edit : {m_english, m_chinese, m_note}) {
        connect(edit, &QLineEdit::returnPressed, this, [this] { Add(); });
    }
}

void COwnTermsSection::Reload() {
    const int selected = SelectedRow(m_list);
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    m_terms.clear();
    if (auto terms = m_lists.ReadOwnTerms()) m_terms = std::move(*terms);
    for (const COwnTerm& term : m_terms) {
        m_list->addTopLevelItem(new QTreeWidgetItem(
            {FromAnsi(term.english), FromAnsi(term.chinese), FromAnsi(term.note)}));
    }
    SelectRow(m_list, selected);
}

void COwnTermsSection::ReloadAndSelect(const std::string& english, const std::string& chinese) {
    Reload();
    const auto found = std::find_if(m_terms.begin(), m_terms.end(), [&](const COwnTerm& term) {
        return term.english == english && term.chinese == chinese;
    });
    if (found != m_terms.end()) SelectRow(m_list, static_cast<int>(found - m_terms.begin()));
}

void COwnTermsSection::ShowSelectedInForm() {
    const int row = SelectedRow(m_list);
    if (row < 0) return;
    m_english->setText(FromAnsi(m_terms[row].english));
    m_chinese->setText(FromAnsi(m_terms[row].chinese));
    m_note->setText(FromAnsi(m_terms[row].note));
}

void COwnTermsSection::Tell(const QString& text) {
    ShowMessageBox(this, text, MessageBoxType::IconInformation);
}

std::optional<std::string> COwnTermsSection::FormText(QLineEdit* edit, const CTextRule& rule,
                                                      const QString& name) {
    std::string cp936;
    const QByteArray utf8 = edit->text().trimmed().toUtf8();
    if (const auto problem = CheckUtf8Text(utf8.toStdString(), rule, &cp936)) {
        ShowMessageBox(this, name + TextProblemMessage(*problem), MessageBoxType::IconWarning);
        edit->setFocus();
        return std::nullopt;
    }
    return cp936;
}

std::optional<COwnTerm> COwnTermsSection::FormTerm() {
    auto english = FormText(m_english, kTermTextRule, QStringLiteral("英文"));
    if (!english) return std::nullopt;
    auto chinese = FormText(m_chinese, kTermTextRule, QStringLiteral("中文"));
    if (!chinese) return std::nullopt;
    auto note = FormText(m_note, kNoteTextRule, QStringLiteral("备注"));
    if (!note) return std::nullopt;
    return COwnTerm{*std::move(english), *std::move(chinese), *std::move(note)};
}

void COwnTermsSection::Add() {
    const std::optional<COwnTerm> term = FormTerm();
    if (!term) return;
    const std::optional<COwnTermOutcome> outcome = m_lists.AddOwnTerm(*term);
    if (!outcome) return;
    ReloadAndSelect(term->english, term->chinese);
    if (*outcome == COwnTermOutcome::unchanged) Tell(QStringLiteral("我的词条里已有这个词条。"));
    if (*outcome == COwnTermOutcome::noteChanged)
        Tell(QStringLiteral("已有这个词条，备注已更新。"));
}

void COwnTermsSection::Edit() {
    const int row = SelectedRow(m_list);
    if (row < 0) {
        Tell(QStringLiteral("请先在列表中选择要修改的词条。"));
        return;
    }
    const std::optional<COwnTerm> term = FormTerm();
    if (!term) return;
    const COwnTerm held = m_terms[row];
    const std::optional<COwnTermOutcome> outcome =
        m_lists.EditOwnTerm(held.english, held.chinese, *term);
    if (!outcome) return;
    switch (*outcome) {
        case COwnTermOutcome::notFound:
            Reload();
            Tell(QStringLiteral("这个词条已不在列表中（可能已被另一个程序删除）。"));
            return;
        case COwnTermOutcome::duplicate:
            Tell(QStringLiteral("已有英文和中文都相同的另一个词条。"));
            return;
        default:
            ReloadAndSelect(term->english, term->chinese);
            return;
    }
}

void COwnTermsSection::RemoveSelected() {
    const int row = SelectedRow(m_list);
    if (row < 0) return;
    m_lists.RemoveOwnTerm(m_terms[row].english, m_terms[row].chinese);
    Reload();
}

void COwnTermsSection::Import() {
    const QString path =
        ChooseOpenFile(this, QStringLiteral("导入词条"),
                       QStringLiteral("词汇表 (*.tsv *.csv *.txt *.tab);;所有文件 (*)"));
    if (path.isEmpty()) return;
    CImportedTerms imported;
    try {
        imported = ReadImportFile(FileNameOf(path));
    } catch (const CUserDataError& error) {
        ShowMessageBox(this, FailureMessage(QStringLiteral("无法读取导入文件"), error),
                       MessageBoxType::IconError);
        return;
    }
    const std::optional<CImportCounts> counts = m_lists.ImportOwnTerms(imported);
    Reload();
    if (!counts) return;
    QString message =
        QStringLiteral("导入完成：新增 %1 条，更新备注 %2 条，已有 %3 条，略过 %4 行。")
            .arg(counts->added)
            .arg(counts->noteChanged)
            .arg(counts->unchanged)
            .arg(imported.skipped.size());
    for (std::size_t i = 0; i < imported.skipped.size() && i < kSkippedLinesShown; ++i) {
        message += "\n" + SkippedLineMessage(imported.skipped[i]);
    }
    if (imported.skipped.size() > kSkippedLinesShown) {
        message +=
            QStringLiteral("\n……另有 %1 行").arg(imported.skipped.size() - kSkippedLinesShown);
    }
    ShowMessageBox(
        this, message,
        imported.skipped.empty() ? MessageBoxType::IconInformation : MessageBoxType::IconWarning);
}

void COwnTermsSection::Export() {
    if (auto terms = m_lists.ReadOwnTerms()) {
        ExportToChosenFile(this, QStringLiteral("导出我的词条"), QStringLiteral("我的词条.tsv"),
                           QStringLiteral("制表符分隔文件 (*.tsv);;CSV 文件 (*.csv)"),
                           [&](const QString& path) {
                               return IsCsvPath(path) ? OwnTermsCsv(*terms) : OwnTermsTsv(*terms);
                           });
    }
}
