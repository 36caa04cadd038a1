#include "dictionary/dict_store.h"
#include "dictionary/folded_query.h"

CResultList CDictStore::Search(std::string_view query) const {
    const FoldedQuery folded(query);
    CResultList front;
    CResultList back;
    for (const CDictEntry& entry : m_entries) {
        const std::size_t e = folded.FindIn(entry.english);
        bool atStart;
        if (e == 0) {
            atStart = true;
        } else if (e != std::string_view::npos) {
            atStart = folded.StartsIn(entry.chinese);
        } else {
            const std::size_t c = folded.FindIn(entry.chinese);
            if (c == std::string_view::npos) continue;
            atStart = c == 0;
        }
        (atStart ? front : back).push_back(&entry);
    }
    front.insert(front.end(), back.begin(), back.end());
    return front;
}
