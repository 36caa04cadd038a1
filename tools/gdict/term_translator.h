// CTermTranslator: the translations of whole terms, as a term list needs them: the entries one
// of whose texts equals a term or another form of it (word_forms.h), ignoring letter case and
// trailing notes, in the order of the ranking (result_ranking.h), the user's own terms first,
// and the dictionary's near matches of a term that has none.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dictionary/dict_entry.h"

class CDictStore;

class CTermTranslator {
public:
    // Indexes every entry of store, and of ownTerms unless it is null, by its English and its
    // Chinese text folded to lower case, and by each of those texts without its trailing note.
    // The stores must outlive the translator and not load again while it is used.
    explicit CTermTranslator(const CDictStore& store, const CDictStore* ownTerms = nullptr);

    struct Translation {
        // The rendering of the first entry, in result order, that the term or a form of it
        // equals: its other text; a Chinese text without its trailing note (term_note.h).
        // Empty when there is none.
        std::string translation;
        // What the brackets of the translation's trailing note hold; empty when it has none.
        std::string note;
        // The renderings of every further such entry, each text once and none the translation.
        std::vector<std::string> others;
        // Up to the requested number of near matches' headwords when there is no such entry.
        std::vector<std::string> nearMatches;
        bool found = false;
    };

    // The translation of term (code page 936).
    Translation Translate(std::string_view term, std::size_t maxNearMatches) const;

private:
    using Index = std::unordered_map<std::string, std::vector<const CDictEntry*>>;

    const CDictStore& m_store;
    // Each entry in file order under each of its texts and their terms, folded: the
    // dictionary's and the own terms'.
    Index m_byText;
    Index m_ownByText;
};
