// The other forms of an English search text that the same entries are written in: a plural and
// its singular ("shirts" and "shirt", "boxes" and "box", "accessories" and "accessory"), the
// British and the American spelling ("colour" and "color", "fibre" and "fiber", "-ise" and
// "-ize") and a space, a hyphen or nothing between two words ("t shirt", "t-shirt", "tshirt").
// A small table and a few rules for the words of the trade; a form is a guess, which a search
// then confirms or not.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct CWordForm {
    // The form, in the query's letter case where the changed letters have one.
    std::string text;
    // True when the form is the query with an ending dropped ("shirt" of "shirts"): it then
    // stands for the query only where it ends a word, not inside a longer one ("container").
    bool endsWord = false;
};

// The most forms WordForms gives.
constexpr std::size_t kMaxWordForms = 6;

// Up to kMaxWordForms forms of query other than the query itself, the closest first: those
// that change one thing (the number of the last word, then the spelling of every word that has
// another, then a separator between words), then those that change two, then three. A form is
// given once, ignoring letter case, and never equals the query ignoring letter case. Only a
// query of ASCII characters has forms: none for a code page 936 text with any double-byte
// character. Time linear in the length of the query.
std::vector<CWordForm> WordForms(std::string_view query);
