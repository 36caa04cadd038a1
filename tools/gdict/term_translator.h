// CTermTranslator: the translations of whole terms, as a term list needs them: the entries whose
// text equals a term, ignoring letter case, and the near matches of a term that has none.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dictionary/dict_entry.h"

class CDictStore;

class CTermTranslator {
public:
    // Indexes every entry of store by its English and by its Chinese text folded to lower case.
    // The store must outlive the translator and not load again while it is used.
    explicit CTermTranslator(const CDictStore& store);

    struct Translation {
        // The other text of the first entry, in file order, whose text in the term's language
        // equals the term ignoring letter case; empty when there is none.
        std::string translation;
        // The other texts of every further such entry, each text once.
        std::vector<std::string> others;
        // Up to the requested number of near matches' headwords when there is no such entry.
        std::vector<std::string> nearMatches;
        bool found = false;
    };

    // The translation of term (code page 936). The term's language is Chinese when its first
    // byte is not ASCII, English otherwise.
    Translation Translate(std::string_view term, std::size_t maxNearMatches) const;

private:
    using Index = std::unordered_map<std::string, std::vector<const CDictEntry*>>;

    const CDictStore& m_store;
    Index m_byEnglish;
    Index m_byChinese;
};
