#include "tools/gdict/term_translator.h"

#include <algorithm>

#include "dictionary/dict_store.h"
#include "dictionary/near_matches.h"
#include "text/mbcs.h"

namespace {

std::string Folded(std::string_view text) {
    std::string folded(text);
    mbcs::FoldToLower(folded);
    return folded;
}

}  // namespace

CTermTranslator::CTermTranslator(const CDictStore& store) : m_store(store) {
    for (const CDictEntry& entry : store.entries()) {
        m_byEnglish[Folded(entry.english)].push_back(&entry);
        m_byChinese[Folded(entry.chinese)].push_back(&entry);
    }
}

CTermTranslator::Translation CTermTranslator::Translate(std::string_view term,
                                                        std::size_t maxNearMatches) const {
    Translation result;
    const bool chinese = !term.empty() && static_cast<unsigned char>(term[0]) >= 0x80;
    const Index& index = chinese ? m_byChinese : m_byEnglish;
    const auto found = index.find(Folded(term));
    if (found != index.end()) {
        std::vector<std::string> texts;  // the other texts in file order, each once
        for (const CDictEntry* entry : found->second) {
            std::string other(chinese ? std::string_view(entry->english)
                                      : std::string_view(entry->chinese));
            if (std::find(texts.begin(), texts.end(), other) == texts.end()) {
                texts.push_back(std::move(other));
            }
        }
        result.found = true;
        result.translation = std::move(texts.front());
        result.others.assign(std::make_move_iterator(texts.begin() + 1),
                             std::make_move_iterator(texts.end()));
        return result;
    }
    for (const CNearMatch& match : FindNearMatches(m_store, term, maxNearMatches)) {
        result.nearMatches.emplace_back(match.headword);
    }
    return result;
}
