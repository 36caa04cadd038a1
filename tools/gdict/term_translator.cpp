#include "tools/gdict/term_translator.h"

#include <algorithm>

#include "dictionary/dict_store.h"
#include "dictionary/folded_query.h"
#include "dictionary/near_matches.h"
#include "dictionary/result_ranking.h"
#include "dictionary/term_note.h"
#include "dictionary/word_forms.h"
#include "text/mbcs.h"

namespace {

std::string Folded(std::string_view text) {
    std::string folded(text);
    mbcs::FoldToLower(folded);
    return folded;
}

// True when text, or its term without a trailing note, equals the folded form.
bool Equals(std::string_view text, const FoldedQuery& form) {
    return form.StartsIn(text) &&
           (text.size() == form.size() || SplitNote(text).term.size() == form.size());
}

// Entries under folded texts, as the translator's indexes hold them.
using TextIndex = std::unordered_map<std::string, std::vector<const CDictEntry*>>;

// The entries of store under each of their texts and their terms, folded.
void IndexEntries(const CDictStore& store, TextIndex& index) {
    for (const CDictEntry& entry : store.entries()) {
        std::vector<std::string> keys;
        for (const std::string_view text : {entry.english, entry.chinese}) {
            for (const std::string_view key : {text, SplitNote(text).term}) {
                std::string folded = Folded(key);
                if (!folded.empty() && std::find(keys.begin(), keys.end(), folded) == keys.end())
                    keys.push_back(std::move(folded));
            }
        }
        for (std::string& key : keys) index[std::move(key)].push_back(&entry);
    }
}

// The entries that folded equals in index, as a search would give them.
CFoundEntries EqualEntries(const TextIndex& index, const std::string& folded) {
    const auto found = index.find(folded);
    if (found == index.end()) return {};
    return {&found->second, found->second.size()};
}

}  // namespace

CTermTranslator::CTermTranslator(const CDictStore& store, const CDictStore* ownTerms)
    : m_store(store) {
    IndexEntries(store, m_byText);
    if (ownTerms != nullptr) IndexEntries(*ownTerms, m_ownByText);
}

CTermTranslator::Translation CTermTranslator::Translate(std::string_view term,
                                                        std::size_t maxNearMatches) const {
    std::vector<std::string> texts{std::string(term)};
    std::vector<bool> endsWord{false};
    for (CWordForm& form : WordForms(term)) {
        texts.push_back(std::move(form.text));
        endsWord.push_back(form.endsWord);
    }
    // The entries that each form equals, from the index: what a search would rank first.
    std::vector<CFormResults> forms;
    for (std::size_t form = 0; form < texts.size(); ++form) {
        const std::string folded = Folded(texts[form]);
        forms.push_back({texts[form], EqualEntries(m_byText, folded),
                         EqualEntries(m_ownByText, folded), endsWord[form]});
    }

    Translation result;
    std::vector<std::string> renderings;  // in result order, each once
    for (const CRankedRow& row : RankResults(forms, IsChineseQuery(term))) {
        const FoldedQuery form(texts[row.form]);
        std::string rendering;
        std::string note;
        if (Equals(row.entry->english, form)) {
            const CTermNote chinese = SplitNote(row.entry->chinese);
            rendering = chinese.term;
            note = chinese.note;
        } else {
            rendering = row.entry->english;
        }
        if (std::find(renderings.begin(), renderings.end(), rendering) != renderings.end())
            continue;
        if (renderings.empty()) result.note = std::move(note);
        renderings.push_back(std::move(rendering));
    }
    if (!renderings.empty()) {
        result.found = true;
        result.translation = std::move(renderings.front());
        result.others.assign(std::make_move_iterator(renderings.begin() + 1),
                             std::make_move_iterator(renderings.end()));
        return result;
    }
    for (const CNearMatch& match : FindNearMatches(m_store, term, maxNearMatches)) {
        result.nearMatches.emplace_back(match.headword);
    }
    return result;
}
