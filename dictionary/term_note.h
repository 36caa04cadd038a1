// A dictionary text as a term and the note in brackets that may follow it: the shop-floor mark
// "（车间用语）", a sense label "（文胸）", an abbreviation "（DTY）" or, in English, " (draw
// textured yarn)". The note is part of the stored text; the ranking compares terms without it,
// gdict translate leaves it out and the dictionary page shows it apart.
#pragma once

#include <string_view>

struct CTermNote {
    // The text before the note: all of the text when it has none. Views the text given.
    std::string_view term;
    // What the brackets hold, without them; empty when the text has no note or the brackets
    // hold nothing.
    std::string_view note;
    // The rest of the text after term: the brackets with the note, and for half-width brackets
    // the space before them; empty when the text has no note.
    std::string_view bracketed;
};

// Splits a code page 936 text into its term and its trailing note: the last character of the
// text is a closing bracket, full-width "）" or half-width ")", and the note runs from the
// bracket of the same kind that opens it (brackets of that kind nested inside count in pairs).
// A half-width bracket opens a note only after a space; the spaces before either bracket end
// the term. A text whose brackets do not pair up, or that would leave no term, has no note.
// Time linear in the length of text.
CTermNote SplitNote(std::string_view text);
