#include "dictionary/result_ranking.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <utility>

#include "dictionary/dict_store.h"
#include "dictionary/folded_query.h"
#include "dictionary/term_note.h"
#include "dictionary/word_forms.h"
#include "text/ascii.h"
#include "text/mbcs.h"

namespace {

constexpr std::size_t kGroups = 4;

// Whether text may end in a note: only then is it worth splitting.
bool MayEndInNote(std::string_view text) {
    return text.ends_with(')') || text.ends_with("\xA3\xA9");
}

// The group of an entry one of whose texts begins with the form. Folding keeps the length of a
// text, so a text that begins with the form equals it when it is as long: a text is read only
// when its length allows it to equal the form, or its last character can end a note.
CMatchGroup GroupOfPrefixMatch(const CDictEntry& entry, const FoldedQuery& folded) {
    const std::size_t n = folded.size();
    if (n == 0) return CMatchGroup::prefix;
    const auto equal = [&](std::string_view text) {
        return text.size() == n && folded.StartsIn(text);
    };
    if (equal(entry.english) || equal(entry.chinese)) return CMatchGroup::exact;
    const auto equalTerm = [&](std::string_view text) {
        return text.size() > n && MayEndInNote(text) && folded.StartsIn(text) &&
               SplitNote(text).term.size() == n;
    };
    if (equalTerm(entry.english) || equalTerm(entry.chinese)) return CMatchGroup::exactTerm;
    return CMatchGroup::prefix;
}

// The group of an entry that the search for the form found, or of one that equals it.
CMatchGroup GroupOf(const CDictEntry& entry, const FoldedQuery& folded) {
    if (folded.size() > 0 && !folded.StartsIn(entry.english) && !folded.StartsIn(entry.chinese))
        return CMatchGroup::inside;
    return GroupOfPrefixMatch(entry, folded);
}

// True when the form occurs in text with no letter after it.
bool EndsWordIn(std::string_view text, const FoldedQuery& form) {
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t found = form.FindIn(text.substr(from));
        if (found == std::string_view::npos) return false;
        const std::size_t end = from + found + form.size();
        if (end == text.size() || !ascii::IsLetter(text[end])) return true;
        // The next place that can start a character: past the whole first one of the match.
        from += found + mbcs::CharLength(text, from + found);
    }
    return false;
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += mbcs::CharLength(text, pos)) ++count;
    return count;
}

struct Slot {
    const CDictEntry* entry;
    std::size_t length;  // the sort key of a Chinese prefix row
};

// Sorts slots by their length, keeping the order of equal lengths: one counting pass per byte
// of the largest length, the lowest byte first.
void SortByLength(std::vector<Slot>& slots) {
    std::size_t largest = 0;
    for (const Slot& slot : slots) largest = std::max(largest, slot.length);
    std::vector<Slot> sorted(slots.size());
    for (unsigned shift = 0; shift < sizeof(std::size_t) * 8; shift += 8) {
        if (shift > 0 && (largest >> shift) == 0) break;
        std::array<std::size_t, 257> starts{};
        for (const Slot& slot : slots) ++starts[((slot.length >> shift) & 0xFF) + 1];
        for (std::size_t digit = 1; digit < starts.size(); ++digit) {
            starts[digit] += starts[digit - 1];
        }
        for (const Slot& slot : slots) sorted[starts[(slot.length >> shift) & 0xFF]++] = slot;
        slots.swap(sorted);
    }
}

// A row as one form found it.
struct Candidate {
    const CDictEntry* entry;
    std::uint32_t form;
    CMatchGroup group;
};

bool ByAddress(const Candidate& a, const Candidate& b) {
    return std::less<const CDictEntry*>()(a.entry, b.entry);
}

// Asks the processor for what the entries a little further on will need, while it works on
// this one: the entries of a list lie far apart in memory, and each would otherwise wait for
// memory in turn. The texts of an entry are asked for once the entry itself has had time to
// arrive. Only the entries before end are looked at.
void PrefetchAhead(const CResultList& entries, std::size_t i, std::size_t end) {
#if defined(__GNUC__)
    constexpr std::size_t kEntriesAhead = 16;
    constexpr std::size_t kTextsAhead = 8;
    end = std::min(end, entries.size());
    if (i + kEntriesAhead < end) __builtin_prefetch(entries[i + kEntriesAhead]);
    if (i + kTextsAhead < end) {
        __builtin_prefetch(entries[i + kTextsAhead]->english.data());
        __builtin_prefetch(entries[i + kTextsAhead]->chinese.data());
    }
#else
    (void)entries;
    (void)i;
    (void)end;
#endif
}

// The rows being ranked, one bucket per group, source (own terms, then the dictionary) and
// form, in result order; each bucket in file order as it fills.
class Buckets {
public:
    Buckets(std::size_t formCount, bool chineseQuery)
        : m_formCount(formCount), m_chinese(chineseQuery), m_buckets(kGroups * 2 * formCount) {}

    // Makes room for the rows that found tells of.
    void Reserve(std::size_t form, bool own, const CFoundEntries& found) {
        const std::size_t size = found.entries->size();
        const std::size_t prefixes = std::min(found.prefixCount, size);
        Bucket(CMatchGroup::prefix, own, form).reserve(prefixes);
        Bucket(CMatchGroup::inside, own, form).reserve(size - prefixes);
    }

    void Add(const Candidate& candidate, bool own) {
        std::size_t length = 0;
        if (m_chinese && candidate.group == CMatchGroup::prefix) {
            length = CharacterCount(SplitNote(candidate.entry->chinese).term);
        }
        Bucket(candidate.group, own, candidate.form).push_back({candidate.entry, length});
        ++m_count;
    }

    std::vector<CRankedRow> Rows() {
        std::vector<CRankedRow> rows;
        rows.reserve(m_count);
        for (std::size_t bucket = 0; bucket < m_buckets.size(); ++bucket) {
            const auto group = static_cast<CMatchGroup>(bucket / (2 * m_formCount));
            const bool own = bucket / m_formCount % 2 == 0;
            const auto form = static_cast<std::uint32_t>(bucket % m_formCount);
            if (m_chinese && group == CMatchGroup::prefix) SortByLength(m_buckets[bucket]);
            for (const Slot& slot : m_buckets[bucket])
                rows.push_back({slot.entry, form, group, own});
        }
        return rows;
    }

private:
    std::vector<Slot>& Bucket(CMatchGroup group, bool own, std::size_t form) {
        return m_buckets[(static_cast<std::size_t>(group) * 2 + (own ? 0 : 1)) * m_formCount +
                         form];
    }

    std::size_t m_formCount;
    bool m_chinese;
    std::vector<std::vector<Slot>> m_buckets;
    std::size_t m_count = 0;
};

}  // namespace

bool IsChineseQuery(std::string_view query) {
    for (std::size_t pos = 0; pos < query.size(); pos += mbcs::CharLength(query, pos)) {
        const auto lead = static_cast<unsigned char>(query[pos]);
        if (mbcs::CharLength(query, pos) == 2 && (lead < 0xA1 || lead > 0xA9)) return true;
    }
    return false;
}

// A list in search order holds two runs in file order, the entries that begin with the form
// and then the others: within a group, the order of the list is file order. When more forms
// than one are ranked, each list is put in file order by merging its two runs, and the lists of
// all forms are merged into one, where the rows of one entry stand together, so that the entry
// takes its best place; entries of one store lie in one array, so their addresses are in file
// order.
std::vector<CRankedRow> RankResults(const std::vector<CFormResults>& forms, bool chineseQuery) {
    const bool oneForm = forms.size() == 1;
    Buckets buckets(forms.size(), chineseQuery);
    for (const bool own : {true, false}) {
        std::vector<Candidate> merged;  // by address, the rows of one entry in form order
        for (std::size_t form = 0; form < forms.size(); ++form) {
            const CFoundEntries& found = own ? forms[form].ownTerms : forms[form].dictionary;
            if (found.entries == nullptr) continue;
            const CResultList& entries = *found.entries;
            const FoldedQuery folded(forms[form].form);
            const bool endsWord = forms[form].endsWord;
            const bool prefixesKnown = found.prefixCount != std::string_view::npos;
            if (oneForm) buckets.Reserve(form, own, found);
            std::vector<Candidate> front;
            std::vector<Candidate> back;
            for (std::size_t i = 0; i < entries.size(); ++i) {
                const CDictEntry* entry = entries[i];
                PrefetchAhead(entries, i, prefixesKnown ? found.prefixCount : entries.size());
                if (endsWord && !EndsWordIn(entry->english, folded) &&
                    !EndsWordIn(entry->chinese, folded)) {
                    continue;
                }
                const CMatchGroup group = !prefixesKnown ? GroupOf(*entry, folded)
                                          : i < found.prefixCount
                                              ? GroupOfPrefixMatch(*entry, folded)
                                              : CMatchGroup::inside;
                const Candidate candidate{entry, static_cast<std::uint32_t>(form), group};
                if (oneForm) {
                    buckets.Add(candidate, own);
                } else {
                    (group == CMatchGroup::inside ? back : front).push_back(candidate);
                }
            }
            if (oneForm) continue;
            std::vector<Candidate> list(front.size() + back.size());
            std::merge(front.begin(), front.end(), back.begin(), back.end(), list.begin(),
                       ByAddress);
            std::vector<Candidate> both(merged.size() + list.size());
            std::merge(merged.begin(), merged.end(), list.begin(), list.end(), both.begin(),
                       ByAddress);
            merged.swap(both);
        }
        for (std::size_t i = 0; i < merged.size();) {
            // The first of the best group: the earliest form among those that place it so.
            std::size_t best = i;
            std::size_t next = i + 1;
            for (; next < merged.size() && merged[next].entry == merged[i].entry; ++next) {
                if (merged[next].group < merged[best].group) best = next;
            }
            buckets.Add(merged[best], own);
            i = next;
        }
    }
    return buckets.Rows();
}

namespace {

// What a search found that equals a form that begins with the text searched, in the same order.
// Only the entries that begin with the text searched can equal the form.
CResultList EqualToForm(const CFoundEntries& found, const FoldedQuery& form) {
    CResultList equal;
    const CResultList& entries = *found.entries;
    for (std::size_t i = 0; i < std::min(found.prefixCount, entries.size()); ++i) {
        if (GroupOfPrefixMatch(*entries[i], form) <= CMatchGroup::exactTerm) {
            equal.push_back(entries[i]);
        }
    }
    return equal;
}

}  // namespace

CRankedResults SearchRanked(const CDictStore& dictionary, const CDictStore* ownTerms,
                            std::string_view query) {
    CRankedResults ranked;
    ranked.forms.emplace_back(query);
    std::vector<bool> endsWord{false};
    for (CWordForm& form : WordForms(query)) {
        ranked.forms.push_back(std::move(form.text));
        endsWord.push_back(form.endsWord);
    }

    const std::size_t formCount = ranked.forms.size();
    std::vector<CResultList> fromDictionary(formCount);
    std::vector<CResultList> fromOwnTerms(formCount);
    std::vector<CFormResults> forms(formCount);
    std::vector<FoldedQuery> folded;
    std::vector<bool> searched(formCount, false);
    for (std::size_t form = 0; form < formCount; ++form) {
        const std::string_view text = ranked.forms[form];
        folded.emplace_back(text);
        forms[form].form = text;
        forms[form].endsWord = endsWord[form];
        forms[form].dictionary.entries = &fromDictionary[form];
        if (ownTerms != nullptr) forms[form].ownTerms.entries = &fromOwnTerms[form];
        // A form that begins with one searched before finds nothing that one does not, and
        // what it finds in a better group than that one is what equals it.
        std::size_t wider = 0;
        while (wider < form &&
               !(searched[wider] && !endsWord[wider] && folded[wider].StartsIn(text))) {
            ++wider;
        }
        if (wider < form) {
            fromDictionary[form] = EqualToForm(forms[wider].dictionary, folded[form]);
            if (ownTerms != nullptr) {
                fromOwnTerms[form] = EqualToForm(forms[wider].ownTerms, folded[form]);
            }
            continue;
        }
        fromDictionary[form] = dictionary.Search(text, forms[form].dictionary.prefixCount);
        if (ownTerms != nullptr) {
            fromOwnTerms[form] = ownTerms->Search(text, forms[form].ownTerms.prefixCount);
        }
        searched[form] = true;
    }
    ranked.rows = RankResults(forms, IsChineseQuery(query));
    return ranked;
}
