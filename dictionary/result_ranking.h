// The ranking of search results: the order in which the dictionary page, gdict lookup and gdict
// translate show what the word search found. The entry whose text is the one typed comes first,
// then those that begin with it, then the rest; rows found only through another form of an
// English query (word_forms.h) follow the query's own rows within each of those groups, and the
// user's own terms come first within each group.
//
// The word search itself (CDictStore::Search) keeps its own order, the prefix matches and then
// the rest in file order; ranking is a step of its own after it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/result_list.h"

class CDictStore;

// How a row matches the form of the query that found it, the best first. Letter case is
// ignored throughout, under the rules of code page 936.
enum class CMatchGroup : unsigned char {
    exact,      // its English or its Chinese text equals the form
    exactTerm,  // one of its texts equals the form once its trailing note is left out (term_note.h)
    prefix,     // one of its texts begins with the form
    inside,     // one of its texts holds the form only further in
};

// What the search for one form found in one store. It does not own the entries.
struct CFoundEntries {
    // The entries in the order CDictStore::Search gives: those that begin with the form, then
    // the others, each part in file order; or entries that all equal the form, in file order.
    // Null for none. The entries of one list lie in one array in file order, as a store's do.
    const CResultList* entries = nullptr;
    // How many of the first entries begin with the form, as CDictStore::Search tells; npos when
    // it is not known, and the ranking looks at every entry.
    std::size_t prefixCount = std::string_view::npos;
};

// What the search found for one form of the query.
struct CFormResults {
    // The form searched, code page 936. The first form of a ranking is the query itself.
    std::string_view form;
    // In the dictionary and in the user's own terms.
    CFoundEntries dictionary;
    CFoundEntries ownTerms;
    // The form stands for the query only where it ends a word (CWordForm::endsWord): rows in
    // none of whose texts it does are left out.
    bool endsWord = false;
};

struct CRankedRow {
    const CDictEntry* entry;
    // The form that found the row, as its place among the forms ranked: 0 for the query itself.
    std::uint32_t form;
    CMatchGroup group;
    // True for a row of the user's own terms.
    bool ownTerm;
};

// True when query holds a Chinese character: a double-byte character of code page 936 outside
// the rows of symbols, full-width letters and accented Latin letters (lead bytes A1 to A9).
bool IsChineseQuery(std::string_view query);

// The rows of forms in result order:
// - by their group, exact first;
// - within a group, the user's own terms first, then the dictionary's entries;
// - within those, the rows of the query itself first, then those of each further form in turn;
// - within those, file order; but in the prefix group of a Chinese query (chineseQuery), the
//   shorter the term of the Chinese text (in characters, the note left out) the earlier, and
//   file order among equal lengths.
// An entry that more than one form found is one row, in the best place it has. Time linear in
// the number of entries given (and the length of their texts).
std::vector<CRankedRow> RankResults(const std::vector<CFormResults>& forms, bool chineseQuery);

// The ranked results of a search, with the forms that their rows name.
struct CRankedResults {
    // forms[0] is the query.
    std::vector<std::string> forms;
    std::vector<CRankedRow> rows;

    // The form that found row: the text to mark in it.
    std::string_view FormOf(const CRankedRow& row) const { return forms[row.form]; }
};

// Searches dictionary, and ownTerms unless it is null, for query (code page 936) and for the
// forms of an English query (WordForms), and ranks what they found. Each form costs one more
// search of each store, but a form that begins with the query or with a form searched before
// ("shirts" of "shirt"): it finds nothing that one does not, so it takes from what that one
// found the entries that equal it, the only ones it ranks better. The rows point into the
// stores: they stay valid until a store is destroyed or loads again. An empty query finds every
// entry, in file order.
CRankedResults SearchRanked(const CDictStore& dictionary, const CDictStore* ownTerms,
                            std::string_view query);
