// The word book's stars: a click on a result row's star keeps the row's entry in the word book
// or drops it, and the star shows which; a change of the word book elsewhere (the "我的" tab)
// shows in the stars of the rows on the page.
#include "dictionary/dict_entry.h"
#include "files/program_directory.h"
#include "mywords/user_lists.h"
#include "pagehost/page_path.h"
#include "view/dict_view_page.h"
#include "view/result_rows.h"
#include "view/row_marks.h"

void CDictViewPage::SetUserLists(CUserLists* lists) {
    if (m_pUserLists != nullptr) disconnect(m_pUserLists, nullptr, this, nullptr);
    m_pUserLists = lists;
    if (lists != nullptr) {
        connect(lists, &CUserLists::wordBookChanged, this, &CDictViewPage::RefreshStars);
    }
}

HtmlEventResult CDictViewPage::OnStarClick(const CHtmlElement& element) {
    const std::size_t row = resultrows::StarRow(element.id);
    if (m_pUserLists == nullptr || row >= ShownRowCount()) return HtmlEventResult::allow;
    const CDictEntry& entry = *m_results[row];
    // The star is set from the outcome; the refresh that the change sets off sets it again.
    if (const std::optional<bool> starred =
            m_pUserLists->ToggleWordBook(entry.english, entry.chinese)) {
        ShowStar(row, *starred);
    }
    return HtmlEventResult::allow;
}

std::size_t CDictViewPage::ShownRowCount() const {
    // A display without result rows (near matches, nothing) keeps the results of the one before.
    if (!m_bRowsShown) return 0;
    return std::min(m_results.size(), resultrows::kMaxRows);
}

void CDictViewPage::ShowStar(std::size_t row, bool starred) {
    const std::string id = std::string(resultrows::kStarIdPrefix) + std::to_string(row);
    SetElementAttribute(id, "src",
                        resultrows::StarImagePath(starred, PagePath(GetProgramDirectory())));
    SetElementAttribute(id, "title", resultrows::StarTitle(starred));
}

void CDictViewPage::RefreshStars() {
    if (m_pUserLists == nullptr) return;
    for (std::size_t row = 0; row < ShownRowCount(); ++row) {
        ShowStar(row, m_pUserLists->IsInWordBook(m_results[row]->english, m_results[row]->chinese));
    }
}

std::vector<bool> CDictViewPage::StarsOf(const CResultList& results) {
    std::vector<bool> starred;
    if (m_pUserLists == nullptr) return starred;
    for (std::size_t row = 0; row < results.size() && row < resultrows::kMaxRows; ++row) {
        starred.push_back(m_pUserLists->IsInWordBook(results[row]->english, results[row]->chinese));
    }
    return starred;
}
