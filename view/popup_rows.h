// What the look-up popup shows for a text copied in another program: the answer of the
// dictionary (the ranked rows of the page's search, a measurement's conversions) and its HTML.
// Standard library only, so that the rules are tested without a display.
//
// The copied text is data from another program: in the HTML every text, the query's marks
// included, is escaped, and nothing of it reaches an attribute.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/result_ranking.h"

class CEntryStars;

namespace popuprows {

// The most rows a popup shows.
inline constexpr std::size_t kMaxRows = 5;

// The links of the popup's HTML: the speaker and the star of row n are kSpeakLink and
// kStarLink followed by n in decimal; "更多…" is kMoreLink.
inline constexpr std::string_view kSpeakLink = "speak:";
inline constexpr std::string_view kStarLink = "star:";
inline constexpr std::string_view kMoreLink = "more";

struct CPopupAnswer {
    // The query looked up, code page 936.
    std::string query;
    // The conversion lines when the query is a measurement (UTF-8, dictionary/trade_units.h).
    std::vector<std::string> measurement;
    // The rows the popup shows, at most kMaxRows, in the order of the ranking, and the forms
    // that found them. They point into the stores searched: valid until a store is destroyed
    // or loads again.
    CRankedResults ranked;

    // True when the dictionary has no answer: no popup then.
    bool empty() const { return measurement.empty() && ranked.rows.empty(); }
};

// Looks query (code page 936) up in dictionary, and in ownTerms unless it is null, through the
// page's search and ranking (SearchRanked), and keeps the first kMaxRows rows. A text no one
// asked to look up must not answer with words it only happens to be part of: for a query
// without a Chinese character, a row whose texts hold the form that found it only inside a word
// ("the" in "leather") is left out; a Chinese query keeps every row, as Chinese does not part
// its words.
CPopupAnswer LookUp(const CDictStore& dictionary, const CDictStore* ownTerms,
                    std::string_view query);

// The pictures of the rows, as addresses that the rich text loads them from (UTF-8, file
// addresses); an empty address leaves its picture out.
struct CPopupImages {
    std::string arrow;
    std::string speaker;
};

// The popup's HTML, UTF-8, for Qt's rich text: the conversion lines first, then per row the
// arrow, the headword in bold (the Chinese text for a Chinese query, the English text
// otherwise), a "我的" tag on an own term, the speaker and, when stars is not null, the star
// (filled when stars tells the entry is kept), and on a line below the other text; a Chinese
// text's trailing note (dictionary/term_note.h) follows its term in grey. Every occurrence of
// the row's form in a text is marked in red, ignoring letter case as the search does. Last, the
// link "更多…". Texts are escaped for HTML.
std::string BuildPopupHtml(const CPopupAnswer& answer, const CEntryStars* stars,
                           const CPopupImages& images);

// The row that link names, as prefix followed by a row number below rows; nullopt for any
// other link.
std::optional<std::size_t> LinkRow(std::string_view link, std::string_view prefix,
                                   std::size_t rows);

}  // namespace popuprows
