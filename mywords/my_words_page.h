// CMyWordsPage: the "我的" tab of the main window: the user's own lists, each a part of the tab
// (生词本, 查询记录, 我的词条), and at the tab's foot a strip of switches, the history's first.
// Each list is read again whenever the tab is shown and after every change made through it.
#pragma once

#include <QWidget>

class CHistorySection;
class COwnTermsSection;
class CUserLists;
class CWordBookSection;
class QCheckBox;
class QHBoxLayout;
class QVBoxLayout;
class QTabWidget;

class CMyWordsPage : public QWidget {
    Q_OBJECT
public:
    // The parts of the tab, as SelectSection takes them.
    enum Section { kWordBook = 0, kHistory = 1, kOwnTerms = 2 };

    // lists must outlive the page.
    explicit CMyWordsPage(CUserLists& lists, QWidget* parent = nullptr);

    void SelectSection(Section section);
    QTabWidget* Sections() const { return m_sections; }
    CWordBookSection& WordBook() const { return *m_wordBook; }
    CHistorySection& History() const { return *m_history; }
    COwnTermsSection& OwnTerms() const { return *m_ownTerms; }
    QCheckBox* HistorySwitch() const { return m_historySwitch; }
    // The strip of switches at the tab's foot: the program's other switches go into it, after
    // the history's, each a check box of its own.
    QHBoxLayout* SwitchStrip() const { return m_switchStrip; }
    // The lines under the strip's switches, the strip's width each: a switch's note goes into
    // it (why the switch is greyed, say).
    QVBoxLayout* SwitchNotes() const { return m_switchNotes; }

signals:
    // A row asked for this search (its text as the user would type it) in the dictionary tab.
    void searchRequested(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ReloadAll();

    CUserLists& m_lists;
    QTabWidget* m_sections;
    CWordBookSection* m_wordBook;
    CHistorySection* m_history;
    COwnTermsSection* m_ownTerms;
    QHBoxLayout* m_switchStrip;
    QVBoxLayout* m_switchNotes;
    QCheckBox* m_historySwitch;
};
