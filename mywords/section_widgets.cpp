#include "mywords/section_widgets.h"

#include <QBoxLayout>
#include <QDateTime>
#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>

QTreeWidget* MakeList(QWidget* parent, const QString& objectName, const QStringList& headers,
                      int fittedFrom) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(objectName);
    list->setColumnCount(static_cast<int>(headers.size()));
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    for (int column = 0; column < headers.size(); ++column) {
        header->setSectionResizeMode(
            column, column < fittedFrom ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
    }
    return list;
}

QPushButton* AddButton(QBoxLayout* row, const QString& text, const QString& objectName,
                       const std::function<void()>& clicked) {
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    // Narrow buttons: the tab is the organiser's small screen.
    button->setMinimumWidth(0);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    QObject::connect(button, &QPushButton::clicked, button, [clicked] { clicked(); });
    row->addWidget(button);
    return button;
}

void OnListKey(QTreeWidget* list, int key, const std::function<void()>& pressed) {
    auto* shortcut = new QShortcut(QKeySequence(key), list);
    shortcut->setContext(Qt::WidgetShortcut);
    QObject::connect(shortcut, &QShortcut::activated, list, [pressed] { pressed(); });
}

int SelectedRow(const QTreeWidget* list) {
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.front());
}

void SelectRow(QTreeWidget* list, int row) {
    const int count = list->topLevelItemCount();
    if (count == 0 || row < 0) return;
    QTreeWidgetItem* item = list->topLevelItem(std::min(row, count - 1));
    list->setCurrentItem(item);
    item->setSelected(true);
}

namespace {

QDateTime LocalTime(std::chrono::sys_seconds time) {
    return QDateTime::fromSecsSinceEpoch(time.time_since_epoch().count()).toLocalTime();
}

}  // namespace

QString DateText(std::chrono::sys_seconds time) {
    return LocalTime(time).toString(QStringLiteral("yyyy-MM-dd"));
}

QString DateTimeText(std::chrono::sys_seconds time) {
    return LocalTime(time).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}
