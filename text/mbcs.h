// Code page 936 (GBK) rules for the byte strings that the core keeps.
//
// Every narrow string of the program is code page 936: bytes 0x00-0x80 and 0xFF are
// single-byte characters, a byte 0x81-0xFE is the lead byte of a double-byte character
// whose trail byte follows it. These helpers step, fold and search such strings one whole
// character at a time, so that a trail byte is never taken for the start of a character.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mbcs {

// True for the lead bytes of code page 936 (0x81-0xFE).
constexpr bool IsLeadByte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

// Length in bytes of the character that starts at pos: 2 for a lead byte that has a byte
// after it, 1 otherwise (a lead byte at the end of the text counts as one character).
// REQUIRES: pos < text.size().
inline std::size_t CharLength(std::string_view text, std::size_t pos) {
    return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// Tells which positions of a text start a character, for positions asked in increasing order,
// without stepping through the text from its start each time: the bytes before a position are
// read back only to the last position asked or to the first byte below 0x81 or above 0xFE
// (which always ends a character). All the positions of one text cost time linear in it.
class CharStarts {
public:
    explicit CharStarts(std::string_view text) : m_text(text) {}

    // True when a character of the text starts at pos, as CharLength steps from offset 0.
    // REQUIRES: pos < text.size(), and pos not below the pos of the previous call.
    bool IsStart(std::size_t pos) {
        std::size_t run = pos;
        while (run > m_known && IsLeadByte(static_cast<unsigned char>(m_text[run - 1]))) --run;
        // From a start, lead bytes pair with the byte after them: an even number of them
        // before pos ends on a start. Short of a start, the known position is one of them.
        const bool evenRun = (pos - run) % 2 == 0;
        const bool start = run > m_known ? evenRun : evenRun == m_knownIsStart;
        m_known = pos;
        m_knownIsStart = start;
        return start;
    }

private:
    std::string_view m_text;
    std::size_t m_known = 0;
    bool m_knownIsStart = true;
};

// Lower-case partner of the double-byte character lead:trail, as (lead << 8 | trail);
// the character itself when it has no lower-case partner in code page 936. A table lookup,
// defined for every pair of byte values. The lead byte never changes: only the trail byte of a
// capital differs from its small letter's. Each small letter has one capital, and a small
// letter folds to itself.
unsigned FoldDoubleByte(unsigned char lead, unsigned char trail);

// Folds text to lower case in place, character by character: A-Z become a-z, every
// double-byte character goes through FoldDoubleByte, all other bytes stay as they are.
void FoldToLower(std::string& text);

// Byte offset of the first occurrence of pattern in text that starts on a character
// boundary, or npos. Candidate starts move one whole character at a time; the bytes are
// compared as they are (no folding). An empty pattern is found at offset 0.
std::size_t FindOnBoundary(std::string_view text, std::string_view pattern);

// Replaces every occurrence of from in text that starts on a character boundary with to, from
// the front; the text put in is not searched again. An empty from changes nothing.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);

// Conversions between code page 936 and Unicode. They may be called from any thread at once.
// Each takes time linear in the length of its text, whatever the text holds (a text made only
// of characters it cannot convert included). Each throws std::runtime_error when the platform
// offers no code page 936 converter.

// UTF-16 (host order code units) to code page 936. A character that code page 936 cannot
// hold, and an unpaired surrogate, become '?'.
std::string FromUtf16(std::u16string_view text);

// UTF-8 to code page 936; nullopt when the text is not valid UTF-8 or holds a character
// that code page 936 cannot hold.
std::optional<std::string> FromUtf8(std::string_view text);

// Code page 936 to UTF-8; a byte sequence that is not a character of code page 936 becomes
// U+FFFD. Such a sequence is a lead byte with the byte after it when that byte lies in the
// trail range (0x40-0xFE but 0x7F), otherwise the one byte (a stray lead byte, 0xFF), so an
// ASCII character after a stray lead byte is kept. A lead byte at the end gives one U+FFFD.
std::string ToUtf8(std::string_view text);

}  // namespace mbcs
