// The HTML of a result display: a line of conversions when the search text is a measurement,
// one row per entry built from the row template, with the form of the search text that found
// the entry in red and the note of its Chinese text shown apart after the term, or the line of
// near matches when nothing was found. Code page 936 throughout. The rows escape nothing,
// because the entries are the program's own HTML-safe texts; the near-match line escapes its
// headwords all the same.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/result_ranking.h"

namespace resultrows {

// The most rows a display shows, however many entries were found.
constexpr std::size_t kMaxRows = 100;

// The id of near-match link n is this prefix followed by n in decimal.
constexpr std::string_view kNearMatchIdPrefix = "NEAR_";

// text with every occurrence of query wrapped in a red font element.
std::string Highlight(std::string text, std::string_view query);

// A Chinese text's trailing note (dictionary/term_note.h) as the rows show it after the term:
// smaller and grey. Empty for a text without a note.
std::string NoteHtml(std::string_view chinese);

// What replaces one placeholder of the row template.
struct RowField {
    std::string_view placeholder;
    std::string html;
};

// The fields of result row n, for the row template: "$en" the headword in bold (the Chinese
// text for a Chinese query, the English text otherwise), "$cn" the other text, each text's term
// with the row's form in red and a Chinese text's note after it, "$sord" the arrow and
// "$speak" the speaker image, whose id is IMGSP_n. imageDirectory holds arrow_d.gif and
// speaker.gif.
std::vector<RowField> RowFields(const CRankedResults& results, std::size_t n, bool chinese,
                                std::string_view imageDirectory);

// "<table>" + one row per ranked row (at most kMaxRows), each the row template with its fields
// (RowFields) put in + "</table>".
std::string BuildResultTable(const CRankedResults& results, bool chinese,
                             std::string_view rowTemplate, std::string_view imageDirectory);

// The conversion lines of a measurement (UTF-8, dictionary/trade_units.h) as the first line of
// the results cell, in the cell's own font: the lines parted by line breaks, every character
// beyond ASCII as a character reference, so that the HTML is code page 936 whatever the units'
// names hold. Empty for no lines.
std::string BuildMeasurementLine(const std::vector<std::string>& lines);

// A paragraph of lead, a line break and one link-like element per headword: link n has the id
// kNearMatchIdPrefix + n and the headword as its text, escaped for HTML. Empty for no headword.
std::string BuildNearMatchLine(std::string_view lead, const std::vector<std::string>& headwords);

}  // namespace resultrows
