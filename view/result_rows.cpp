#include "view/result_rows.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>

#include "dictionary/term_note.h"
#include "text/mbcs.h"
#include "view/row_marks.h"

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

std::string Highlight(std::string text, std::string_view query) {
    mbcs::ReplaceAll(text, query, "<font color=#ff0000>" + std::string(query) + "</font>");
    return text;
}

std::string NoteHtml(std::string_view chinese) {
    const CTermNote split = SplitNote(chinese);
    if (split.bracketed.empty()) return {};
    return "<span class=Note style='color:#999999;font-size:8pt'>" + std::string(split.bracketed) +
           "</span>";
}

namespace {

// A text of a row: its term with form in red, and for a Chinese text its note after that.
std::string RowText(std::string_view text, std::string_view form, bool isChinese) {
    if (!isChinese) return Highlight(std::string(text), form);
    return Highlight(std::string(SplitNote(text).term), form) + NoteHtml(text);
}

// A Chinese text's note comes after its term, outside the bold headword.
std::string Headword(std::string_view text, std::string_view form, bool isChinese) {
    if (!isChinese) return "<b>" + Highlight(std::string(text), form) + "</b>";
    return "<b>" + Highlight(std::string(SplitNote(text).term), form) + "</b>" + NoteHtml(text);
}

// The UTF-8 character that starts at text[pos] and its length; U+FFFD and one byte for a byte
// that starts none.
std::pair<char32_t, std::size_t> DecodeUtf8(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) return {lead, 1};
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || pos + length > text.size()) return {0xFFFD, 1};
    char32_t code = lead & (0x3F >> (length - 1));
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return {0xFFFD, 1};
        code = code << 6 | (next & 0x3F);
    }
    return {code, length};
}

}  // namespace

std::vector<RowField> RowFields(const CRankedResults& results, std::size_t n, bool chinese,
                                std::string_view imageDirectory, const StarredRows& starred) {
    const CRankedRow& row = results.rows[n];
    // An own term is the user's text, perhaps imported from another's file: shown as text, never
    // read as markup. The dictionary's own texts stand as they are stored.
    const auto shown = [&row](std::string_view text) {
        return row.ownTerm ? EscapeHtml(text) : std::string(text);
    };
    const std::string form = shown(results.FormOf(row));
    const std::string english = shown(row.entry->english);
    const std::string chineseText = shown(row.entry->chinese);
    const std::string directory(imageDirectory);
    const std::string star = n < starred.size() ? StarHtml(n, starred[n], imageDirectory) : "";
    return {
        {"$en", (chinese ? Headword(chineseText, form, true) : Headword(english, form, false)) +
                    (row.ownTerm ? OwnTermTagHtml() : "")},
        {"$cn", chinese ? RowText(english, form, false) : RowText(chineseText, form, true)},
        {"$sord", "<img src =\"" + directory + "/arrow_d.gif\"></img>"},
        {"$speak", "<img id=IMGSP_" + std::to_string(n) + " style='cursor:hand' src='" + directory +
                       "/speaker.gif'></img>" + star},
    };
}

std::string BuildResultTable(const CRankedResults& results, bool chinese,
                             std::string_view rowTemplate, std::string_view imageDirectory,
                             const StarredRows& starred) {
    std::string rows;
    for (std::size_t n = 0; n < results.rows.size() && n < kMaxRows; ++n) {
        std::string row(rowTemplate);
        for (const RowField& field : RowFields(results, n, chinese, imageDirectory, starred)) {
            mbcs::ReplaceAll(row, field.placeholder, field.html);
        }
        rows += row;
    }
    std::string table = "<table>$item</table>";
    mbcs::ReplaceAll(table, "$item", rows);
    return table;
}

std::string BuildMeasurementLine(const std::vector<std::string>& lines) {
    if (lines.empty()) return {};
    std::string html = "<div class=Measurement style='padding-bottom:6px'>";
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (n > 0) html += "<br>";
        const std::string_view line = lines[n];
        for (std::size_t pos = 0; pos < line.size();) {
            const auto [code, length] = DecodeUtf8(line, pos);
            pos += length;
            if (code < 0x80) {
                const char ascii = static_cast<char>(code);
                html += EscapeHtml(std::string_view(&ascii, 1));
            } else {
                html += "&#" + std::to_string(static_cast<std::uint32_t>(code)) + ";";
            }
        }
    }
    return html + "</div>";
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
