#include "view/result_rows.h"

#include "platform/mbcs.h"

namespace resultrows {

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

}  // namespace resultrows
