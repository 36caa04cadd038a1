#include "view/popup_rows.h"

#include <charconv>

#include "dictionary/dict_entry.h"
#include "dictionary/folded_query.h"
#include "dictionary/term_note.h"
#include "dictionary/trade_units.h"
#include "text/ascii.h"
#include "text/mbcs.h"
#include "view/entry_stars.h"

namespace popuprows {

namespace {

// True when form occurs in text where a word begins: at its start or after a character that is
// no ASCII letter (a space, a hyphen, a bracket, a Chinese character).
bool BeginsWordIn(std::string_view text, const FoldedQuery& form) {
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t found = form.FindIn(text.substr(from));
        if (found == std::string_view::npos) return false;
        const std::size_t at = from + found;
        // The byte before is a letter only when it is a character of its own, not the trail
        // byte of a double-byte one.
        if (at == 0 || !ascii::IsLetter(text[at - 1]) || !mbcs::CharStarts(text).IsStart(at - 1)) {
            return true;
        }
        from = at + mbcs::CharLength(text, at);
    }
    return false;
}

// UTF-8 text as HTML text.
std::string Escape(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&#39;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// A code page 936 text as escaped UTF-8 HTML text.
std::string TextHtml(std::string_view text) {
    return Escape(mbcs::ToUtf8(text));
}

// text with every occurrence of form, ignoring letter case, in red.
std::string MarkedHtml(std::string_view text, const FoldedQuery& form) {
    if (form.size() == 0) return TextHtml(text);
    std::string html;
    std::size_t done = 0;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t found = form.FindIn(text.substr(from));
        if (found == std::string_view::npos) break;
        const std::size_t at = from + found;
        html += TextHtml(text.substr(done, at - done));
        html += "<font color=#ff0000>" + TextHtml(text.substr(at, form.size())) + "</font>";
        done = at + form.size();
        from = done;
    }
    return html + TextHtml(text.substr(done));
}

// A text of a row: its term marked and, for a Chinese text, the note after it in grey, which a
// headword keeps out of its bold.
std::string RowTextHtml(std::string_view text, const FoldedQuery& form, bool isChinese,
                        bool headword) {
    const CTermNote split = isChinese ? SplitNote(text) : CTermNote{text, {}, {}};
    std::string html = MarkedHtml(split.term, form);
    if (headword) html = "<b>" + html + "</b>";
    if (!split.note.empty()) {
        html += "<font color=#999999>" + TextHtml(split.bracketed) + "</font>";
    }
    return html;
}

std::string ImageHtml(const std::string& file) {
    if (file.empty()) return {};
    return "<img src=\"" + Escape(file) + "\">";
}

std::string RowHtml(const CPopupAnswer& answer, std::size_t n, bool chinese,
                    const CEntryStars* stars, const CPopupImages& images) {
    const CRankedRow& row = answer.ranked.rows[n];
    const FoldedQuery form(answer.ranked.FormOf(row));
    const std::string number = std::to_string(n);

    std::string html = "<tr><td style=\"border-bottom: 1px solid #dddddd\">";
    html += ImageHtml(images.arrow);
    html += chinese ? RowTextHtml(row.entry->chinese, form, true, true)
                    : RowTextHtml(row.entry->english, form, false, true);
    if (row.ownTerm) html += " <font color=#cc6600>[我的]</font>";
    if (!images.speaker.empty()) {
        html += " <a href=\"" + std::string(kSpeakLink) + number + "\">" +
                ImageHtml(images.speaker) + "</a>";
    }
    if (stars != nullptr) {
        const bool kept = stars->IsStarred(row.entry->english, row.entry->chinese);
        html += " <a href=\"" + std::string(kStarLink) + number +
                "\" style=\"text-decoration:none; color:#cc9900\">" + (kept ? "★" : "☆") + "</a>";
    }
    html += "<br>";
    html += chinese ? RowTextHtml(row.entry->english, form, false, false)
                    : RowTextHtml(row.entry->chinese, form, true, false);
    html += "</td></tr>";
    return html;
}

}  // namespace

CPopupAnswer LookUp(const CDictStore& dictionary, const CDictStore* ownTerms,
                    std::string_view query) {
    CPopupAnswer answer;
    answer.query = std::string(query);
    answer.measurement = tradeunits::MeasurementLines(query);
    answer.ranked = SearchRanked(dictionary, ownTerms, query);

    const bool chinese = IsChineseQuery(query);
    std::vector<FoldedQuery> forms;
    for (const std::string& text : answer.ranked.forms) forms.emplace_back(text);
    std::vector<CRankedRow> kept;
    for (const CRankedRow& row : answer.ranked.rows) {
        if (kept.size() == kMaxRows) break;
        const FoldedQuery& form = forms[row.form];
        if (!chinese && row.group == CMatchGroup::inside &&
            !BeginsWordIn(row.entry->english, form) && !BeginsWordIn(row.entry->chinese, form)) {
            continue;
        }
        kept.push_back(row);
    }
    answer.ranked.rows = std::move(kept);
    return answer;
}

std::string BuildPopupHtml(const CPopupAnswer& answer, const CEntryStars* stars,
                           const CPopupImages& images) {
    const bool chinese = IsChineseQuery(answer.query);
    std::string html = "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\">";
    if (!answer.measurement.empty()) {
        html += "<tr><td style=\"border-bottom: 1px solid #dddddd\"><font color=#000099>";
        for (std::size_t n = 0; n < answer.measurement.size(); ++n) {
            if (n > 0) html += "<br>";
            html += Escape(answer.measurement[n]);
        }
        html += "</font></td></tr>";
    }
    for (std::size_t n = 0; n < answer.ranked.rows.size(); ++n) {
        html += RowHtml(answer, n, chinese, stars, images);
    }
    html += "<tr><td align=\"right\"><a href=\"" + std::string(kMoreLink) +
            "\" style=\"color:#000099\">更多…</a></td></tr></table>";
    return html;
}

std::optional<std::size_t> LinkRow(std::string_view link, std::string_view prefix,
                                   std::size_t rows) {
    if (!link.starts_with(prefix)) return std::nullopt;
    const std::string_view digits = link.substr(prefix.size());
    std::size_t row = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), row);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        row >= rows) {
        return std::nullopt;
    }
    return row;
}

}  // namespace popuprows
