// CLookupSwitchBox: the two look-up switches as check boxes, 复制取词 and 划词取词, for a tab of
// the organiser. A switch the desktop does not allow is greyed and unchecked, and one line
// under the boxes tells why.
#pragma once

#include <QWidget>

class CLookupSwitches;
class QCheckBox;
class QLabel;

class CLookupSwitchBox : public QWidget {
    Q_OBJECT
public:
    // Shows and changes switches, which must outlive the box.
    explicit CLookupSwitchBox(CLookupSwitches& switches, QWidget* parent = nullptr);

    QCheckBox& CopyBox() const { return *m_copy; }
    QCheckBox& SelectionBox() const { return *m_selection; }
    // The reason line; hidden when both switches are allowed.
    QLabel& Reason() const { return *m_reason; }

private:
    void ShowSwitches();

    CLookupSwitches& m_switches;
    QCheckBox* m_copy;
    QCheckBox* m_selection;
    QLabel* m_reason;
};
