#include "dictionary/copied_query.h"

#include "text/mbcs.h"

namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

// The character that starts at text[pos], advancing pos past it; kInvalid for a byte sequence
// that is no UTF-8 character (overlong forms and surrogates included).
char32_t NextCharacter(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80) return lead;
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || pos + length - 1 > text.size()) return kInvalid;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos++]);
        if ((next & 0xC0) != 0x80) return kInvalid;
        code = code << 6 | (next & 0x3F);
    }
    const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return kInvalid;
    return code;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Spaces that part words: inside a text a run of them is one space.
bool IsSpace(char32_t c) {
    return c == ' ' || c == 0xA0 || c == 0x3000;
}

// What ends a line or parts cells (a tab between two cells of a spreadsheet): trimmed at the
// ends, refused inside.
bool IsBreak(char32_t c) {
    return c == '\n' || c == '\r' || c == '\t' || c == '\v' || c == '\f' || c == 0x85 ||
           c == 0x2028 || c == 0x2029;
}

bool IsAsciiLetter(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsChineseCharacter(char32_t c) {
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF);
}

// The character as the query holds it: curly quotes and the short dashes as the dictionary
// writes them; kInvalid for a character that an English or Chinese text does not hold.
char32_t QueryCharacter(char32_t c) {
    if (c > ' ' && c < 0x7F) return c;
    if (IsChineseCharacter(c)) return c;
    if (c == 0x2018 || c == 0x2019) return '\'';
    if (c == 0x201C || c == 0x201D) return '"';
    if (c >= 0x2010 && c <= 0x2013) return '-';
    const bool symbol = c == 0xB0 || c == 0xB7 || c == 0xD7 || c == 0x2014 || c == 0x2026;
    const bool cjkPunctuation = c >= 0x3001 && c <= 0x303F;
    const bool fullWidth = (c >= 0xFF01 && c <= 0xFF5E) || (c >= 0xFFE0 && c <= 0xFFE5);
    return symbol || cjkPunctuation || fullWidth ? c : kInvalid;
}

}  // namespace

std::optional<std::string> CopiedQuery(std::string_view copied) {
    std::string query;
    std::size_t characters = 0;
    bool spaceBefore = false;
    bool breakBefore = false;
    bool letter = false;
    for (std::size_t pos = 0; pos < copied.size();) {
        const char32_t c = NextCharacter(copied, pos);
        if (c == kInvalid) return std::nullopt;
        if (IsSpace(c) || IsBreak(c)) {
            spaceBefore = characters > 0;
            breakBefore = breakBefore || (characters > 0 && IsBreak(c));
            continue;
        }
        const char32_t kept = QueryCharacter(c);
        if (kept == kInvalid || breakBefore) return std::nullopt;
        if (spaceBefore) {
            query += ' ';
            ++characters;
            spaceBefore = false;
        }
        AppendUtf8(query, kept);
        letter = letter || IsAsciiLetter(kept) || IsChineseCharacter(kept);
        if (++characters > kMaxCopiedCharacters) return std::nullopt;
    }
    if (!letter) return std::nullopt;
    return mbcs::FromUtf8(query);
}
