// The history's part of the "我的" tab: every search that ran (the query, when, how many results),
// newest first. A row is searched again (a double click, Enter or 查询); 清空 forgets every search
// after asking; 导出 writes the history as TSV.
#pragma once

#include <QWidget>
#include <vector>

#include "userdata/history.h"

class CUserLists;
class QTreeWidget;

class CHistorySection : public QWidget {
    Q_OBJECT
public:
    CHistorySection(CUserLists& lists, QWidget* parent = nullptr);

    // Reads the history again and shows it, the selected row kept where it can be.
    void Reload();
    QTreeWidget* List() const { return m_list; }

signals:
    void searchRequested(const QString& text);

private:
    void SearchSelected();
    void Clear();
    void Export();

    CUserLists& m_lists;
    QTreeWidget* m_list;
    std::vector<CHistoryEntry> m_entries;
};
