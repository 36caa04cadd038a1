#include "dictionary/near_matches.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unordered_set>

#include "dictionary/dict_store.h"
#include "dictionary/folded_query.h"
#include "dictionary/result_ranking.h"
#include "dictionary/word_forms.h"
#include "text/ascii.h"
#include "text/mbcs.h"

namespace {

// A text as its characters folded to lower case: a single-byte character is its byte, a
// double-byte character is lead << 8 | trail.
using Codes = std::vector<std::uint16_t>;

void FoldCodes(std::string_view text, Codes& codes) {
    codes.clear();
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (mbcs::CharLength(text, pos) == 2) {
            const auto trail = static_cast<unsigned char>(text[pos + 1]);
            codes.push_back(static_cast<std::uint16_t>(mbcs::FoldDoubleByte(byte, trail)));
            pos += 2;
        } else {
            codes.push_back(ascii::ToLower(byte));
            ++pos;
        }
    }
}

bool HoldsDoubleByteCharacter(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size(); pos += mbcs::CharLength(text, pos)) {
        if (mbcs::CharLength(text, pos) == 2) return true;
    }
    return false;
}

// The largest edit distance that still counts as near, by the query's length in characters.
int DistanceBound(std::size_t length) {
    return length <= 4 ? 1 : length <= 8 ? 2 : 3;
}

// The optimal string alignment distance (insertions, deletions, substitutions and swaps of
// adjacent characters, no character edited twice) between the query and a text, computed only
// in the band of cells that can stay within the bound, and given up on as soon as a whole row
// is beyond it.
class BoundedEditDistance {
public:
    BoundedEditDistance(const Codes& query, int bound)
        : m_query(query), m_bound(bound), m_rows{Row(), Row(), Row()} {}

    // The distance from the query to text when it is at most the bound, otherwise bound + 1.
    int operator()(const Codes& text) {
        const int m = static_cast<int>(m_query.size());
        const int n = static_cast<int>(text.size());
        const int beyond = m_bound + 1;
        if (std::abs(m - n) > m_bound) return beyond;

        int* before = m_rows[0].data();  // row i - 2
        int* above = m_rows[1].data();   // row i - 1
        int* row = m_rows[2].data();     // row i
        for (int j = 0; j <= std::min(m, m_bound); ++j) above[j] = j;
        if (m_bound + 1 <= m) above[m_bound + 1] = beyond;

        for (int i = 1; i <= n; ++i) {
            const int lo = std::max(1, i - m_bound);
            const int hi = std::min(m, i + m_bound);
            row[lo - 1] = lo == 1 && i <= m_bound ? i : beyond;
            int rowMin = row[lo - 1];
            const std::uint16_t t = text[i - 1];
            for (int j = lo; j <= hi; ++j) {
                const std::uint16_t q = m_query[j - 1];
                int cell = std::min({above[j - 1] + (q != t), above[j] + 1, row[j - 1] + 1});
                if (i > 1 && j > 1 && q == text[i - 2] && m_query[j - 2] == t) {
                    cell = std::min(cell, before[j - 2] + 1);
                }
                row[j] = std::min(cell, beyond);
                rowMin = std::min(rowMin, row[j]);
            }
            if (hi < m) row[hi + 1] = beyond;
            if (rowMin > m_bound) return beyond;
            std::swap(before, above);
            std::swap(above, row);
        }
        return above[m];
    }

private:
    std::vector<int> Row() const { return std::vector<int>(m_query.size() + 2); }

    const Codes& m_query;
    int m_bound;
    std::vector<int> m_rows[3];
};

// The given entries, in that order, each headword once (ignoring letter case), at most maxCount
// of them.
template <typename Headword>
std::vector<CNearMatch> DistinctMatches(const std::vector<const CDictEntry*>& ranked,
                                        std::size_t maxCount, Headword headword) {
    std::vector<CNearMatch> matches;
    std::unordered_set<std::string> seen;
    for (const CDictEntry* entry : ranked) {
        if (matches.size() == maxCount) break;
        const std::string_view text = headword(*entry);
        std::string folded(text);
        mbcs::FoldToLower(folded);
        if (seen.insert(std::move(folded)).second) matches.push_back({entry, text});
    }
    return matches;
}

// The entries whose English text is near query, the closest first, then in file order.
std::vector<const CDictEntry*> EnglishNearMatches(const CDictStore& store, std::string_view query) {
    Codes folded;
    FoldCodes(query, folded);
    const std::size_t m = folded.size();
    const int bound = DistanceBound(m);
    BoundedEditDistance distance(folded, bound);

    // The entries by their distance from the query, each list in file order.
    std::vector<std::vector<const CDictEntry*>> byDistance(bound + 1);
    Codes text;
    for (const CDictEntry& entry : store.entries()) {
        const std::string_view english(entry.english);
        // A text of b bytes has between (b + 1) / 2 and b characters.
        const std::size_t bytes = english.size();
        if (bytes == 0 || bytes + bound < m || (bytes + 1) / 2 > m + bound) continue;
        FoldCodes(english, text);
        const int d = distance(text);
        if (d <= bound) byDistance[d].push_back(&entry);
    }

    std::vector<const CDictEntry*> ranked;
    for (const auto& found : byDistance) ranked.insert(ranked.end(), found.begin(), found.end());
    return ranked;
}

// The entries whose Chinese text shares enough characters with query, best first.
std::vector<const CDictEntry*> ChineseNearMatches(const CDictStore& store, std::string_view query) {
    // Each distinct character of the query (white space aside) gets a slot number from 1 up.
    Codes queryCodes;
    FoldCodes(query, queryCodes);
    std::vector<std::uint16_t> slotOf(0x10000, 0);
    std::size_t distinct = 0;
    for (const std::uint16_t code : queryCodes) {
        if (code < 0x80 && ascii::IsSpace(static_cast<char>(code))) continue;
        if (slotOf[code] == 0) slotOf[code] = static_cast<std::uint16_t>(++distinct);
    }
    const std::size_t needed = std::max<std::size_t>(1, (distinct + 1) / 2);

    struct Candidate {
        const CDictEntry* entry;
        std::size_t shared;  // distinct query characters the headword holds
        std::size_t others;  // characters of the headword that are not in the query
    };
    std::vector<Candidate> candidates;
    // The last entry that counted each slot, so that a repeated character counts once.
    std::vector<const CDictEntry*> countedFor(distinct + 1, nullptr);
    Codes text;
    for (const CDictEntry& entry : store.entries()) {
        const std::string_view chinese(entry.chinese);
        if (chinese.empty()) continue;
        FoldCodes(chinese, text);
        Candidate candidate{&entry, 0, 0};
        for (const std::uint16_t code : text) {
            const std::uint16_t slot = slotOf[code];
            if (slot == 0) {
                ++candidate.others;
            } else if (countedFor[slot] != &entry) {
                countedFor[slot] = &entry;
                ++candidate.shared;
            }
        }
        if (candidate.shared >= needed) candidates.push_back(candidate);
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) {
                         if (a.shared != b.shared) return a.shared > b.shared;
                         return a.others < b.others;
                     });

    std::vector<const CDictEntry*> ranked;
    ranked.reserve(candidates.size());
    for (const Candidate& candidate : candidates) ranked.push_back(candidate.entry);
    return ranked;
}

// The words of a text: its runs of characters between single-byte white space.
std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    for (std::size_t pos = 0; pos < text.size();) {
        if (ascii::IsSpace(text[pos])) {
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        while (pos < text.size() && !ascii::IsSpace(text[pos])) pos += mbcs::CharLength(text, pos);
        words.push_back(text.substr(start, pos - start));
    }
    return words;
}

// The entries whose headword holds every one of words, or a form of it (word_forms.h), in any
// order: those that the ranked search for the first word finds, in its order.
template <typename Headword>
std::vector<const CDictEntry*> AllWordsMatches(const CDictStore& store,
                                               const std::vector<std::string_view>& words,
                                               Headword headword) {
    // For each word, the word and its forms.
    std::vector<std::vector<FoldedQuery>> wanted;
    for (const std::string_view word : words) {
        std::vector<FoldedQuery>& forms = wanted.emplace_back();
        forms.emplace_back(word);
        for (const CWordForm& form : WordForms(word)) forms.emplace_back(form.text);
    }
    std::vector<const CDictEntry*> matches;
    for (const CRankedRow& row : SearchRanked(store, nullptr, words.front()).rows) {
        const std::string_view text = headword(*row.entry);
        const bool holdsAll = std::all_of(wanted.begin(), wanted.end(), [text](const auto& forms) {
            return std::any_of(forms.begin(), forms.end(), [text](const FoldedQuery& form) {
                return form.FindIn(text) != std::string_view::npos;
            });
        });
        if (holdsAll) matches.push_back(row.entry);
    }
    return matches;
}

}  // namespace

std::vector<CNearMatch> FindNearMatches(const CDictStore& store, std::string_view query,
                                        std::size_t maxCount) {
    query = ascii::Trimmed(query);
    if (query.empty() || maxCount == 0) return {};
    const bool chinese = HoldsDoubleByteCharacter(query);
    const auto headword = [chinese](const CDictEntry& entry) {
        return chinese ? entry.chinese : entry.english;
    };
    std::vector<const CDictEntry*> ranked;
    const std::vector<std::string_view> words = Words(query);
    if (words.size() > 1) ranked = AllWordsMatches(store, words, headword);
    const std::vector<const CDictEntry*> near =
        chinese ? ChineseNearMatches(store, query) : EnglishNearMatches(store, query);
    ranked.insert(ranked.end(), near.begin(), near.end());
    return DistinctMatches(ranked, maxCount, headword);
}
