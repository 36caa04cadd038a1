#include <cstring>

#include "dictionary/dict_store.h"
#include "dictionary/folded_query.h"

namespace {

// Where the text that holds p ends: after the zero byte that follows it.
const char* AfterTextAt(const char* p) {
    return p + std::strlen(p) + 1;
}

}  // namespace

// One forward pass over the texts of all entries: the candidate scan goes from one place that
// can begin a match to the next, and only those places are looked at further, in the store's
// texts as a whole: the zero byte after every text keeps a match inside one text and ends the
// look back for the start of a character. The zero bytes before a match, two an entry, tell
// which entry holds it and in which text, so that no entry is read. The first match in an
// entry decides where the entry goes, and the scan goes on after the entry.
CResultList CDictStore::Search(std::string_view query, std::size_t& prefixCount) const {
    const FoldedQuery folded(query);
    CResultList front;
    prefixCount = 0;
    if (folded.size() == 0) {
        // Found at the start of every text.
        front.reserve(m_entries.size());
        for (const CDictEntry& entry : m_entries) front.push_back(&entry);
        prefixCount = front.size();
        return front;
    }
    // No text holds a zero byte.
    if (m_entries.empty() || query.find('\0') != std::string_view::npos) return front;
    CResultList back;
    const std::string_view texts(m_texts);
    // The last byte ends the last text: no match begins there.
    const char* const last = texts.data() + texts.size() - 1;
    candidatescan::Scan candidates = folded.Candidates(texts.data(), last);
    mbcs::CharStarts starts(texts);
    // The entries before `counted`, where the texts of the next entry begin.
    std::size_t entriesBefore = 0;
    const char* counted = texts.data();
    for (const char* p = candidates.Next(); p != last; p = candidates.Next()) {
        if (!folded.MatchesAt(texts, static_cast<std::size_t>(p - texts.data()), starts)) continue;
        const std::size_t zeros = candidatescan::Count(counted, p, 0);
        const CDictEntry* const entry = m_entries.data() + entriesBefore + zeros / 2;
        // The English text comes first: a match in the Chinese text means none in the English.
        bool atStart = p == counted || p[-1] == '\0';
        const char* next = AfterTextAt(p);
        if (zeros % 2 == 0) {
            // The Chinese text, with the zero byte after it that ends any match there.
            const std::string_view chinese(
                next, static_cast<std::size_t>(texts.data() + texts.size() - next));
            atStart = atStart || folded.StartsIn(chinese);
            next = AfterTextAt(next);
        }
        (atStart ? front : back).push_back(entry);
        entriesBefore += zeros / 2 + 1;
        counted = next;
        candidates.SkipTo(next);
    }
    prefixCount = front.size();
    front.insert(front.end(), back.begin(), back.end());
    return front;
}

CResultList CDictStore::Search(std::string_view query) const {
    std::size_t prefixCount = 0;
    return Search(query, prefixCount);
}
