// The ASCII characters of a text: letter case and white space. Code page 936 and UTF-8 both keep
// the bytes below 0x80 for ASCII where a character begins, but a trail byte of code page 936 may
// lie in 0x40 to 0x7E: callers apply these to bytes that begin a character (text/mbcs.h tells
// which), or to texts known to be ASCII.
#pragma once

#include <algorithm>
#include <string_view>

namespace ascii {

constexpr bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

constexpr bool IsLetter(char c) {
    return IsUpper(c) || (c >= 'a' && c <= 'z');
}

// c with A to Z turned into a to z; every other byte as it is.
constexpr char ToLower(char c) {
    return IsUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr unsigned char ToLower(unsigned char c) {
    return static_cast<unsigned char>(ToLower(static_cast<char>(c)));
}

// Space, and tab to carriage return (tab, line feed, vertical tab, form feed, carriage return).
// None of these bytes is a trail byte of code page 936, so they can be cut from either end of
// a text of that code page.
constexpr bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// True when a and b are equal but for the case of A to Z.
constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return ToLower(x) == ToLower(y); });
}

// text without the white space at its ends.
constexpr std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace ascii
