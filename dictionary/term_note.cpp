#include "dictionary/term_note.h"

#include <cstddef>

#include "text/mbcs.h"

namespace {

constexpr std::string_view kFullWidthOpen = "\xA3\xA8";   // （
constexpr std::string_view kFullWidthClose = "\xA3\xA9";  // ）

// Where the bracket opens that the last character of text closes, or npos when the last
// character is no closing bracket or the brackets before it do not pair up. open and close are
// whole characters. Steps through the text one character at a time, so that a trail byte is
// never taken for a bracket.
std::size_t OpeningOfLast(std::string_view text, std::string_view open, std::string_view close) {
    std::size_t depth = 0;                           // brackets open at pos
    std::size_t outermost = std::string_view::npos;  // where the outermost open one opened
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = mbcs::CharLength(text, pos);
        const std::string_view character = text.substr(pos, length);
        if (character == open) {
            if (depth++ == 0) outermost = pos;
        } else if (character == close) {
            if (depth == 0) return std::string_view::npos;
            if (--depth == 0 && pos + length == text.size()) return outermost;
        }
        pos += length;
    }
    return std::string_view::npos;
}

}  // namespace

CTermNote SplitNote(std::string_view text) {
    const CTermNote none{text, {}, {}};
    std::string_view open = kFullWidthOpen;
    std::string_view close = kFullWidthClose;
    if (!text.ends_with(close)) {
        open = "(";
        close = ")";
        if (!text.ends_with(close)) return none;
    }
    const std::size_t opening = OpeningOfLast(text, open, close);
    if (opening == std::string_view::npos) return none;
    // A space is never a trail byte: the term ends before the spaces in front of the bracket.
    std::size_t termEnd = opening;
    while (termEnd > 0 && text[termEnd - 1] == ' ') --termEnd;
    const bool halfWidth = open.size() == 1;
    if (termEnd == 0 || (halfWidth && termEnd == opening)) return none;
    const std::size_t noteStart = opening + open.size();
    return {text.substr(0, termEnd), text.substr(noteStart, text.size() - close.size() - noteStart),
            text.substr(termEnd)};
}
