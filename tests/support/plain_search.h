// The word search done the plain way, to hold the store's search against: fold a copy of both
// texts of every entry, search the folded query in each on character boundaries, and sort the
// entries into the front list and the back list.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dict_store.h"
#include "text/mbcs.h"

namespace plainsearch {

using Indexes = std::vector<std::size_t>;

inline std::string Folded(std::string_view text) {
    std::string folded(text);
    mbcs::FoldToLower(folded);
    return folded;
}

// Which entries a search for query finds, in result order, as positions in the store.
inline Indexes PlainSearch(const CDictStore& store, std::string_view query) {
    const std::string folded = Folded(query);
    Indexes front;
    Indexes back;
    for (std::size_t i = 0; i < store.size(); ++i) {
        const CDictEntry& entry = store.entries()[i];
        const std::size_t e = mbcs::FindOnBoundary(Folded(entry.english), folded);
        const std::size_t c = mbcs::FindOnBoundary(Folded(entry.chinese), folded);
        if (e == 0 || c == 0) {
            front.push_back(i);
        } else if (e != std::string::npos || c != std::string::npos) {
            back.push_back(i);
        }
    }
    front.insert(front.end(), back.begin(), back.end());
    return front;
}

// What the store's search finds, the same way.
inline Indexes StoreSearch(const CDictStore& store, std::string_view query) {
    Indexes found;
    for (const CDictEntry* entry : store.Search(query)) {
        found.push_back(static_cast<std::size_t>(entry - store.entries().data()));
    }
    return found;
}

}  // namespace plainsearch
