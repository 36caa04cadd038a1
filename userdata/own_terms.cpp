#include "userdata/own_terms.h"

#include <algorithm>
#include <unordered_map>

#include "text/mbcs.h"
#include "userdata/own_term_import.h"
#include "userdata/term_text.h"

namespace {

struct OwnTermFormat {
    using Record = COwnTerm;
    static constexpr std::string_view kVersionLine = "# garment-dictionary own terms 1";

    static std::optional<Record> Parse(std::vector<std::string>& fields) {
        Record record;
        if (fields.size() < 2 || fields.size() > 3 ||
            CheckUtf8Text(fields[0], kTermTextRule, &record.english) ||
            CheckUtf8Text(fields[1], kTermTextRule, &record.chinese) ||
            (fields.size() == 3 && CheckUtf8Text(fields[2], kNoteTextRule, &record.note))) {
            return std::nullopt;
        }
        return record;
    }

    // A term without a note is a line of two fields.
    static std::vector<std::string> Fields(const Record& record) {
        std::vector<std::string> fields{mbcs::ToUtf8(record.english), mbcs::ToUtf8(record.chinese)};
        if (!record.note.empty()) fields.push_back(mbcs::ToUtf8(record.note));
        return fields;
    }
};

// term without the spaces at the ends of its texts; throws CUserDataError for a text that the
// list cannot hold.
COwnTerm Normalised(const COwnTerm& term) {
    COwnTerm normalised{std::string(TrimmedText(term.english)),
                        std::string(TrimmedText(term.chinese)),
                        std::string(TrimmedText(term.note))};
    Utf8OfText(normalised.english, kTermTextRule, "the English text");
    Utf8OfText(normalised.chinese, kTermTextRule, "the Chinese text");
    Utf8OfText(normalised.note, kNoteTextRule, "the note");
    return normalised;
}

bool SamePair(const COwnTerm& term, std::string_view english, std::string_view chinese) {
    return term.english == english && term.chinese == chinese;
}

// The key of a pair in a map: the two texts parted by a zero byte, which no text holds.
std::string PairKey(std::string_view english, std::string_view chinese) {
    std::string key(english);
    key += '\0';
    key += chinese;
    return key;
}

// Adds term to terms, or gives the held term of its pair the note of term when it has one.
// pairs maps the pairs of terms to their places and is kept so.
COwnTermOutcome Merge(std::vector<COwnTerm>& terms,
                      std::unordered_map<std::string, std::size_t>& pairs, const COwnTerm& term) {
    const auto [place, inserted] = pairs.emplace(PairKey(term.english, term.chinese), terms.size());
    if (inserted) {
        terms.push_back(term);
        return COwnTermOutcome::added;
    }
    std::string& note = terms[place->second].note;
    if (note == term.note || term.note.empty()) {
        return COwnTermOutcome::unchanged;
    }
    note = term.note;
    return COwnTermOutcome::noteChanged;
}

std::unordered_map<std::string, std::size_t> PairsOf(const std::vector<COwnTerm>& terms) {
    std::unordered_map<std::string, std::size_t> pairs;
    pairs.reserve(terms.size());
    for (std::size_t i = 0; i < terms.size(); ++i) {
        pairs.emplace(PairKey(terms[i].english, terms[i].chinese), i);
    }
    return pairs;
}

}  // namespace

COwnTerms::COwnTerms(const std::string& folder, std::chrono::milliseconds lockWait)
    : m_path(folder + "/" + kFileName), m_lockWait(lockWait) {}

CListRead<COwnTerm> COwnTerms::Read() const {
    return CListFile<OwnTermFormat>(m_path, m_lockWait).Read();
}

COwnTermChange COwnTerms::Add(const COwnTerm& term) const {
    const COwnTerm normalised = Normalised(term);
    COwnTermChange result{COwnTermOutcome::unchanged, std::nullopt};
    result.damage = CListFile<OwnTermFormat>(m_path, m_lockWait)
                        .Change([&](std::vector<COwnTerm>& terms) {
                            auto pairs = PairsOf(terms);
                            result.outcome = Merge(terms, pairs, normalised);
                            return result.outcome != COwnTermOutcome::unchanged;
                        })
                        .damage;
    return result;
}

COwnTermChange COwnTerms::Edit(std::string_view english, std::string_view chinese,
                               const COwnTerm& term) const {
    const COwnTerm normalised = Normalised(term);
    COwnTermChange result{COwnTermOutcome::notFound, std::nullopt};
    result.damage =
        CListFile<OwnTermFormat>(m_path, m_lockWait)
            .Change([&](std::vector<COwnTerm>& terms) {
                const auto held = std::find_if(terms.begin(), terms.end(), [&](const auto& t) {
                    return SamePair(t, english, chinese);
                });
                if (held == terms.end()) return false;
                const bool samePair = SamePair(*held, normalised.english, normalised.chinese);
                if (!samePair && std::any_of(terms.begin(), terms.end(), [&](const auto& t) {
                        return SamePair(t, normalised.english, normalised.chinese);
                    })) {
                    result.outcome = COwnTermOutcome::duplicate;
                    return false;
                }
                if (samePair && held->note == normalised.note) {
                    result.outcome = COwnTermOutcome::unchanged;
                    return false;
                }
                *held = normalised;
                result.outcome = COwnTermOutcome::edited;
                return true;
            })
            .damage;
    return result;
}

CListChange COwnTerms::Remove(std::string_view english,
                              std::optional<std::string_view> chinese) const {
    english = TrimmedText(english);
    if (chinese) chinese = TrimmedText(*chinese);
    CListChange result;
    result.damage =
        CListFile<OwnTermFormat>(m_path, m_lockWait)
            .Change([&](std::vector<COwnTerm>& terms) {
                result.count = std::erase_if(terms, [&](const COwnTerm& term) {
                    return term.english == english && (!chinese || term.chinese == *chinese);
                });
                return result.count > 0;
            })
            .damage;
    return result;
}

CImportCounts COwnTerms::Import(const CImportedTerms& imported) const {
    std::vector<COwnTerm> terms;
    terms.reserve(imported.terms.size());
    for (const COwnTerm& term : imported.terms) terms.push_back(Normalised(term));
    CImportCounts counts;
    counts.damage = CListFile<OwnTermFormat>(m_path, m_lockWait)
                        .Change([&](std::vector<COwnTerm>& held) {
                            counts = CImportCounts{};
                            auto pairs = PairsOf(held);
                            for (const COwnTerm& term : terms) {
                                switch (Merge(held, pairs, term)) {
                                    case COwnTermOutcome::added:
                                        ++counts.added;
                                        break;
                                    case COwnTermOutcome::noteChanged:
                                        ++counts.noteChanged;
                                        break;
                                    default:
                                        ++counts.unchanged;
                                        break;
                                }
                            }
                            return counts.added + counts.noteChanged > 0;
                        })
                        .damage;
    return counts;
}
