#include "view/result_rows.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "text/mbcs.h"

namespace resultrows {

namespace {

// Code page 936 text as HTML text. None of the escaped bytes is a trail byte.
std::string EscapeHtml(std::string_view text) {
    constexpr std::pair<char, std::string_view> kEntities[] = {
        {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\'', "&#39;"}};
    std::string escaped;
    for (const char c : text) {
        const auto* entity = std::find_if(std::begin(kEntities), std::end(kEntities),
                                          [c](const auto& pair) { return pair.first == c; });
        if (entity != std::end(kEntities)) {
            escaped += entity->second;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty()) return;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t found = mbcs::FindOnBoundary(std::string_view(text).substr(pos), from);
        if (found == std::string_view::npos) return;
        text.replace(pos + found, from.size(), to);
        pos += found + to.size();
    }
}

std::string Highlight(std::string text, std::string_view query) {
    ReplaceAll(text, query, "<font color=#ff0000>" + std::string(query) + "</font>");
    return text;
}

std::string BuildResultTable(const CResultList& results, std::string_view query, bool chinese,
                             std::string_view rowTemplate, std::string_view imageDirectory) {
    const std::string directory(imageDirectory);
    const std::string arrow = "<img src =\"" + directory + "/arrow_d.gif\"></img>";
    std::string rows;
    for (std::size_t n = 0; n < results.size() && n < kMaxRows; ++n) {
        const std::string english = Highlight(std::string(results[n]->english), query);
        const std::string chineseText = Highlight(std::string(results[n]->chinese), query);
        const std::string& headword = chinese ? chineseText : english;
        const std::string& second = chinese ? english : chineseText;

        std::string row(rowTemplate);
        ReplaceAll(row, "$en", "<b>" + headword + "</b>");
        ReplaceAll(row, "$cn", second);
        ReplaceAll(row, "$sord", arrow);
        ReplaceAll(row, "$speak",
                   "<img id=IMGSP_" + std::to_string(n) + " style='cursor:hand' src='" + directory +
                       "/speaker.gif'></img>");
        rows += row;
    }
    std::string table = "<table>$item</table>";
    ReplaceAll(table, "$item", rows);
    return table;
}

std::string BuildNearMatchLine(std::string_view lead, const std::vector<std::string>& headwords) {
    if (headwords.empty()) return {};
    std::string line = "<p class=NearMatches>" + std::string(lead) + "<br>";
    for (std::size_t n = 0; n < headwords.size(); ++n) {
        if (n > 0) line += "&nbsp; ";
        line += "<a id=" + std::string(kNearMatchIdPrefix) + std::to_string(n) +
                " style='cursor:hand;color:#000099;text-decoration:underline;white-space:nowrap'>" +
                EscapeHtml(headwords[n]) + "</a>";
    }
    return line + "</p>";
}

}  // namespace resultrows
