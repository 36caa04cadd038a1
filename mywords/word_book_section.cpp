#include "mywords/word_book_section.h"

#include <QBoxLayout>
#include <QTreeWidget>

#include "mywords/list_export.h"
#include "mywords/section_widgets.h"
#include "mywords/user_lists.h"
#include "platform/ansi_text.h"
#include "userdata/exports.h"

CWordBookSection::CWordBookSection(CUserLists& lists, QWidget* parent)
    : QWidget(parent), m_lists(lists) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    m_list =
        MakeList(this, QStringLiteral("wordBookList"),
                 {QStringLiteral("英文"), QStringLiteral("中文"), QStringLiteral("添加日期")}, 2);
    layout->addWidget(m_list);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    AddButton(buttons, QStringLiteral("查询"), QStringLiteral("wordBookSearch"),
              [this] { SearchSelected(); });
    AddButton(buttons, QStringLiteral("删除"), QStringLiteral("wordBookRemove"),
              [this] { RemoveSelected(); });
    AddButton(buttons, QStringLiteral("导出…"), QStringLiteral("wordBookExport"),
              [this] { Export(); });
    layout->addLayout(buttons);

    connect(m_list, &QTreeWidget::itemActivated, this, [this] { SearchSelected(); });
    OnListKey(m_list, Qt::Key_Delete, [this] { RemoveSelected(); });
}

void CWordBookSection::Reload() {
    const int selected = SelectedRow(m_list);
    m_list->clear();
    m_entries.clear();
    if (auto entries = m_lists.ReadWordBook()) m_entries = std::move(*entries);
    for (const CWordBookEntry& entry : m_entries) {
        m_list->addTopLevelItem(new QTreeWidgetItem(
            {FromAnsi(entry.english), FromAnsi(entry.chinese), DateText(entry.added)}));
    }
    SelectRow(m_list, selected);
}

void CWordBookSection::SearchSelected() {
    const int row = SelectedRow(m_list);
    if (row >= 0) emit searchRequested(FromAnsi(m_entries[row].english));
}

void CWordBookSection::RemoveSelected() {
    const int row = SelectedRow(m_list);
    if (row < 0) return;
    m_lists.RemoveFromWordBook(m_entries[row].english, m_entries[row].chinese);
    Reload();
}

void CWordBookSection::Export() {
    if (auto entries = m_lists.ReadWordBook()) {
        ExportToChosenFile(this, QStringLiteral("导出生词本"), QStringLiteral("生词本.tsv"),
                           QStringLiteral("制表符分隔文件 (*.tsv);;闪卡 CSV 文件 (*.csv)"),
                           [&](const QString& path) {
                               return IsCsvPath(path) ? WordBookCardsCsv(*entries)
                                                      : WordBookTsv(*entries);
                           });
    }
}
