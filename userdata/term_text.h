// The texts that the lists hold, and what keeps a text out of them.
//
// In memory the lists hold code page 936 texts, as the dictionary does; their files hold UTF-8.
// A text must be valid in both: UTF-8 that code page 936 can hold, and code page 936 bytes that
// are characters of the code page, so that it reads back as it was saved.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

enum class CTextProblem {
    empty,             // a text that must not be empty is
    notUtf8,           // the bytes are not UTF-8 text
    notCodePage936,    // a character that code page 936 cannot hold
    controlCharacter,  // a control character (U+0000 in any text)
    tooLong,           // more characters than the rule allows
};

// What one kind of text may be.
struct CTextRule {
    bool required;              // an empty text is refused
    bool controlsAllowed;       // control characters other than U+0000 are kept
    std::size_t maxCharacters;  // in Unicode characters
};

// English and Chinese texts of the word book and the own terms: one line of text.
inline constexpr CTextRule kTermTextRule{true, false, 200};
// The note of an own term.
inline constexpr CTextRule kNoteTextRule{false, false, 500};
// A query of the history: whatever was searched for.
inline constexpr CTextRule kQueryTextRule{true, true, 1000};

// English words for a problem, as gdict prints them: "is empty", "is not UTF-8 text", ...
const char* DescribeTextProblem(CTextProblem problem);

// The problem of the UTF-8 text utf8 under rule, or nullopt when it has none; then, when cp936
// is given, *cp936 holds its code page 936 form.
std::optional<CTextProblem> CheckUtf8Text(std::string_view utf8, const CTextRule& rule,
                                          std::string* cp936 = nullptr);

// The UTF-8 form of the code page 936 text cp936. Throws CUserDataError (Cause::badText, the
// message naming what and the problem) when the text breaks rule.
std::string Utf8OfText(std::string_view cp936, const CTextRule& rule, const char* what);

// text without the spaces and TABs at its two ends.
std::string_view TrimmedText(std::string_view text);

// True when text is well-formed UTF-8 (no overlong forms, surrogates or code points above
// U+10FFFF).
bool IsUtf8(std::string_view text);
