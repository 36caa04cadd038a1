// The pieces that the three lists of the "我的" tab are made of: a list of rows in columns, the
// buttons under it, and a key that works on the list.
#pragma once

#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>

class QBoxLayout;
class QPushButton;
class QTreeWidget;
class QWidget;

// A list of rows with the column headers headers, one row selected at a time: the columns before
// fittedFrom share the room that the others, as wide as their texts, leave.
QTreeWidget* MakeList(QWidget* parent, const QString& objectName, const QStringList& headers,
                      int fittedFrom);

// A button of text added to row, which calls clicked.
QPushButton* AddButton(QBoxLayout* row, const QString& text, const QString& objectName,
                       const std::function<void()>& clicked);

// Calls pressed when the key key is pressed while list has the focus.
void OnListKey(QTreeWidget* list, int key, const std::function<void()>& pressed);

// The row of list that is selected, -1 for none.
int SelectedRow(const QTreeWidget* list);
// Selects row of list, or its last row when it has fewer rows; none when it is empty.
void SelectRow(QTreeWidget* list, int row);

// A time as the lists show it, in the desktop's time zone: "2024-05-01" or "2024-05-01 16:30".
QString DateText(std::chrono::sys_seconds time);
QString DateTimeText(std::chrono::sys_seconds time);
