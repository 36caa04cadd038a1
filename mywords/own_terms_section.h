// The own terms' part of the "我的" tab: the user's own entries (English, Chinese, a note) in the
// order they were added, and a small form under them. Selecting a row puts it into the form;
// 添加 adds the form's term (Enter in the form too: a held pair takes the form's note), 修改
// replaces the selected term with the form's, 删除 (or the Delete key) removes the selected one;
// 导入 reads a UTF-8 TSV or CSV glossary, reporting the lines it skipped; 导出 writes them as TSV,
// or as CSV for a .csv name.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "userdata/own_terms.h"
#include "userdata/term_text.h"

class CUserLists;
class QLineEdit;
class QTreeWidget;

class COwnTermsSection : public QWidget {
    Q_OBJECT
public:
    COwnTermsSection(CUserLists& lists, QWidget* parent = nullptr);

    // Reads the own terms again and shows them, the selected row kept where it can be.
    void Reload();
    QTreeWidget* List() const { return m_list; }

private:
    void ShowSelectedInForm();
    // The form's term; nullopt (after saying why) when a text cannot be one.
    std::optional<COwnTerm> FormTerm();
    std::optional<std::string> FormText(QLineEdit* edit, const CTextRule& rule,
                                        const QString& name);
    void Add();
    void Edit();
    void RemoveSelected();
    void Import();
    void Export();
    void Tell(const QString& text);
    // Shows the list again with the row of the pair english, chinese selected.
    void ReloadAndSelect(const std::string& english, const std::string& chinese);

    CUserLists& m_lists;
    QTreeWidget* m_list;
    QLineEdit* m_english;
    QLineEdit* m_chinese;
    QLineEdit* m_note;
    std::vector<COwnTerm> m_terms;
};
