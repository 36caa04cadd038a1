// Near matches: when a search finds nothing, the dictionary's headwords that look most like the
// search text, for a "did you mean" line.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "dictionary/dict_entry.h"

class CDictStore;

struct CNearMatch {
    // Points into the store.
    const CDictEntry* entry;
    // The entry's English text for an English query, its Chinese text for a Chinese one.
    std::string_view headword;
};

// Up to maxCount entries of store whose headwords are near query (code page 936), best first.
// The query counts without the single-byte white space around it; it is Chinese when it holds a
// double-byte character and English otherwise. Letter case is ignored throughout, under the
// rules of code page 936.
// - A query of more than one word (parted by white space) first: the headwords that hold every
//   word, or another form of it (word_forms.h), in any order, in the order of the ranked search
//   for the first word (result_ranking.h). Then as any query:
// - English query: the headwords within an edit distance of 1 (a query of up to 4 characters),
//   2 (up to 8) or 3 (longer), counting insertions, deletions, substitutions and swaps of two
//   adjacent characters; the closest first, then in file order.
// - Chinese query: the headwords that hold at least half of the query's distinct characters,
//   and at least one; those that hold the most first, then those with the fewest other
//   characters, then in file order.
// Headwords that are equal but for letter case are given once, by their first entry in that
// order; empty headwords never. An empty query, or maxCount 0, gives none. The time is linear
// in the size of the store. The results stay valid until the store is destroyed or loads again.
std::vector<CNearMatch> FindNearMatches(const CDictStore& store, std::string_view query,
                                        std::size_t maxCount);
