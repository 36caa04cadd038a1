#include "mywords/history_section.h"

#include <QBoxLayout>
#include <QTreeWidget>

#include "mywords/list_export.h"
#include "mywords/section_widgets.h"
#include "mywords/user_lists.h"
#include "platform/ansi_text.h"
#include "platform/message_box.h"
#include "userdata/exports.h"

CHistorySection::CHistorySection(CUserLists& lists, QWidget* parent)
    : QWidget(parent), m_lists(lists) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    m_list = MakeList(this, QStringLiteral("historyList"),
                      {QStringLiteral("查询"), QStringLiteral("时间"), QStringLiteral("结果")}, 1);
    layout->addWidget(m_list);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    AddButton(buttons, QStringLiteral("查询"), QStringLiteral("historySearch"),
              [this] { SearchSelected(); });
    AddButton(buttons, QStringLiteral("清空"), QStringLiteral("historyClear"), [this] { Clear(); });
    AddButton(buttons, QStringLiteral("导出…"), QStringLiteral("historyExport"),
              [this] { Export(); });
    layout->addLayout(buttons);

    connect(m_list, &QTreeWidget::itemActivated, this, [this] { SearchSelected(); });
}

void CHistorySection::Reload() {
    const int selected = SelectedRow(m_list);
    m_list->clear();
    m_entries.clear();
    if (auto entries = m_lists.ReadHistory()) m_entries = std::move(*entries);
    for (const CHistoryEntry& entry : m_entries) {
        auto* item = new QTreeWidgetItem(
            {FromAnsi(entry.query), DateTimeText(entry.time), QString::number(entry.results)});
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        m_list->addTopLevelItem(item);
    }
    SelectRow(m_list, selected);
}

void CHistorySection::SearchSelected() {
    const int row = SelectedRow(m_list);
    if (row >= 0) emit searchRequested(FromAnsi(m_entries[row].query));
}

void CHistorySection::Clear() {
    if (m_entries.empty()) return;
    const int answer = ShowMessageBox(this, QStringLiteral("要清空全部查询记录吗？"),
                                      MessageBoxType::YesNo | MessageBoxType::IconQuestion);
    if (answer != MessageBoxAnswer::Yes) return;
    m_lists.ClearHistory();
    Reload();
}

void CHistorySection::Export() {
    if (auto entries = m_lists.ReadHistory()) {
        ExportToChosenFile(this, QStringLiteral("导出查询记录"), QStringLiteral("查询记录.tsv"),
                           QStringLiteral("制表符分隔文件 (*.tsv)"),
                           [&](const QString&) { return HistoryTsv(*entries); });
    }
}
