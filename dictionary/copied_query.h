// Which texts copied or selected in another program the dictionary looks up by itself, and the
// query each one gives. A person copies words all day: only a short, single-line English or
// Chinese text is taken for a look-up, so that a copied paragraph, a number or a text in another
// script never opens anything.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The most characters a copied text may hold once trimmed.
inline constexpr std::size_t kMaxCopiedCharacters = 64;

// The code page 936 query of the UTF-8 text copied, or nullopt when it is no look-up:
// - white space around the text is trimmed (ASCII white space, no-break and ideographic
//   spaces) and every run of spaces inside it becomes one ASCII space;
// - what is left is one line of 1 to kMaxCopiedCharacters characters (no line break, tab or
//   other control character inside);
// - every character is printable ASCII, a Chinese character (the CJK ideograph blocks), CJK or
//   full-width punctuation, or a typographic quote or dash, and at least one is an ASCII letter
//   or a Chinese character;
// - curly quotes become ' and ", the dashes U+2010 to U+2013 a hyphen, as the dictionary
//   writes them;
// - the text is valid UTF-8 and code page 936 holds it.
// Time linear in the length of copied, which may be of any size.
std::optional<std::string> CopiedQuery(std::string_view copied);
