// The word book's part of the "我的" tab: the kept entries (English, Chinese, the date added),
// newest first. A row is searched again (a double click, Enter or 查询) or removed (删除 or the
// Delete key); 导出 writes the whole book as TSV, or as a flash cards' CSV for a .csv name.
#pragma once

#include <QWidget>
#include <vector>

#include "userdata/word_book.h"

class CUserLists;
class QTreeWidget;

class CWordBookSection : public QWidget {
    Q_OBJECT
public:
    CWordBookSection(CUserLists& lists, QWidget* parent = nullptr);

    // Reads the book again and shows it, the selected row kept where it can be.
    void Reload();
    QTreeWidget* List() const { return m_list; }

signals:
    // The text to search for in the dictionary (the entry's English text).
    void searchRequested(const QString& text);

private:
    void SearchSelected();
    void RemoveSelected();
    void Export();

    CUserLists& m_lists;
    QTreeWidget* m_list;
    // The entries of the rows, in row order.
    std::vector<CWordBookEntry> m_entries;
};
