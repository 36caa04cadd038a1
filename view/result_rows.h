// The HTML of a result display: one row per entry, built from the row template, with the search
// text in red, or the line of near matches when nothing was found. Code page 936 throughout. The
// rows escape nothing, because the entries are the program's own HTML-safe texts; the near-match
// line escapes its headwords all the same.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/result_list.h"

namespace resultrows {

// The most rows a display shows, however many entries were found.
constexpr std::size_t kMaxRows = 100;

// The id of near-match link n is this prefix followed by n in decimal.
constexpr std::string_view kNearMatchIdPrefix = "NEAR_";

// Replaces every occurrence of from in text by to: left to right, without overlap, bytes compared
// exactly, candidate positions moving by whole characters. An empty from changes nothing.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);

// text with every occurrence of query wrapped in a red font element.
std::string Highlight(std::string text, std::string_view query);

// "<table>" + one row per entry (at most kMaxRows) + "</table>". The headword, in bold, is the
// Chinese text for a Chinese query and the English text otherwise; imageDirectory holds
// arrow_d.gif and speaker.gif, and speaker image n gets the id IMGSP_n.
std::string BuildResultTable(const CResultList& results, std::string_view query, bool chinese,
                             std::string_view rowTemplate, std::string_view imageDirectory);

// A paragraph of lead, a line break and one link-like element per headword: link n has the id
// kNearMatchIdPrefix + n and the headword as its text, escaped for HTML. Empty for no headword.
std::string BuildNearMatchLine(std::string_view lead, const std::vector<std::string>& headwords);

}  // namespace resultrows
