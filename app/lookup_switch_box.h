// CLookupSwitchBox: the two look-up switches as check boxes in a row, 复制取词 and 划词取词, for
// a tab of the organiser. A switch the desktop does not allow is greyed and unchecked, and a line
// of its own, placed where the tab has room for it, tells why.
#pragma once

#include <QWidget>
#include <memory>

class CLookupSwitches;
class QCheckBox;
class QLabel;

class CLookupSwitchBox : public QWidget {
    Q_OBJECT
public:
    // Shows and changes switches, which must outlive the box.
    explicit CLookupSwitchBox(CLookupSwitches& switches, QWidget* parent = nullptr);
    ~CLookupSwitchBox() override;

    QCheckBox& CopyBox() const { return *m_copy; }
    QCheckBox& SelectionBox() const { return *m_selection; }
    // The reason line, for the tab to place; hidden when both switches are allowed. It goes
    // with the box.
    QLabel& Reason() const { return *m_reason; }

private:
    void ShowSwitches();

    CLookupSwitches& m_switches;
    QCheckBox* m_copy;
    QCheckBox* m_selection;
    std::unique_ptr<QLabel> m_reason;
};
