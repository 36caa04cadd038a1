// The dictionary page's search and the HTML of its results cell.
#include <charconv>

#include "crypto/cipher_method_set.h"
#include "crypto/text_cipher_key.h"
#include "dictionary/dict_store.h"
#include "dictionary/near_matches.h"
#include "dictionary/result_ranking.h"
#include "dictionary/trade_units.h"
#include "files/program_directory.h"
#include "pagehost/page_path.h"
#include "platform/ansi_text.h"
#include "platform/message_box.h"
#include "platform/shell_open.h"
#include "platform/string_resources.h"
#include "platform/wait_cursor.h"
#include "settings/notice_state.h"
#include "settings/startup_settings.h"
#include "settings/text_constants.h"
#include "text/ascii.h"
#include "view/dict_view_page.h"
#include "view/result_rows.h"

void CDictViewPage::QueryAndShow(std::string text) {
    if (ascii::Trimmed(text).empty()) {
        ShowMessageBox(this, QStringLiteral("请输入要查的单词"), MessageBoxType::IconInformation);
        return;
    }
    // A query that starts with a double-byte character is Chinese.
    const bool chinese = static_cast<unsigned char>(text.front()) >= 0x80;
    CRankedResults found;
    if (m_pDictionary != nullptr) found = SearchRanked(*m_pDictionary, nullptr, text);
    // A measurement is no miss: its conversions show whether the dictionary holds it or not.
    const std::vector<std::string> conversions = tradeunits::MeasurementLines(text);
    const bool miss = found.rows.empty() && conversions.empty();

    if (miss) {
        // Asked before the wait cursor begins, which would otherwise show over the box.
        const int answer =
            ShowMessageBox(this, QStringLiteral("没有找到您要的词，要到Lumatex搜索吗？"),
                           MessageBoxType::YesNo | MessageBoxType::IconQuestion);
        if (answer == MessageBoxAnswer::Yes) ShellOpen(LoadStringResource("web_dictionary_url"));
    }
    const CWaitCursor wait;
    m_strHtml.clear();
    m_nearMatches.clear();
    if (miss) {
        if (m_pDictionary != nullptr) {
            for (const CNearMatch& match : FindNearMatches(*m_pDictionary, text, kMaxNearMatches))
                m_nearMatches.emplace_back(match.headword);
        }
        m_strHtml = resultrows::BuildNearMatchLine(ToAnsi(QStringLiteral("您要找的是不是：")),
                                                   m_nearMatches);
    } else {
        m_ranked = std::move(found);
        m_results.clear();
        for (const CRankedRow& row : m_ranked.rows) m_results.push_back(row.entry);
        m_strHtml = resultrows::BuildMeasurementLine(conversions);
        if (!m_ranked.rows.empty()) {
            m_strHtml +=
                resultrows::BuildResultTable(m_ranked, chinese, TheStartupSettings().rowTemplate,
                                             PagePath(GetProgramDirectory()));
        }
    }
    WriteResultCell();
}

HtmlEventResult CDictViewPage::OnNearMatchClick(const CHtmlElement& element) {
    const std::string_view id = element.id;
    if (!id.starts_with(resultrows::kNearMatchIdPrefix)) return HtmlEventResult::allow;
    const std::string_view digits = id.substr(resultrows::kNearMatchIdPrefix.size());
    std::size_t n = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (error != std::errc() || end != digits.data() + digits.size() || n >= m_nearMatches.size())
        return HtmlEventResult::allow;
    // As if typed: the headword goes into the text box, then the page searches it.
    m_strFind = m_nearMatches[n];
    UpdateData(false);
    QueryAndShow(m_strFind);
    return HtmlEventResult::allow;
}

void CDictViewPage::WriteResultCell() {
    const std::string footer =
        TheCipherMethodSet().TextCipher(CCipherMethodSet::kTea, TextCipherKey, ResultFooterText);
    std::string html = m_strHtml;
    // The flag is set only after the notice it asks for is complete.
    if (showNoticeInPage.load() != 0) html += NoticeHtml() + "<br>";
    html += footer + "<br>";
    SetElementHtml("TD_DICT_ITEM", html);
}
