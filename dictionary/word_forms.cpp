#include "dictionary/word_forms.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsAlphanumeric(char c) {
    return IsLetter(c) || (c >= '0' && c <= '9');
}
bool IsVowel(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}
char Lower(char c) {
    return IsUpper(c) ? static_cast<char>(c + ('a' - 'A')) : c;
}
char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}
std::string Lowered(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) c = Lower(c);
    return lowered;
}
bool HoldsVowel(std::string_view text) {
    return std::any_of(text.begin(), text.end(), IsVowel);
}
bool EndsWithAny(std::string_view word, std::initializer_list<std::string_view> endings) {
    return std::any_of(endings.begin(), endings.end(),
                       [word](std::string_view ending) { return word.ends_with(ending); });
}

// replacement, a lower-case word, in the letter case of the word it replaces: all capitals
// when that was written so, otherwise each letter as the letter in its place was.
std::string InCaseOf(std::string replacement, std::string_view original) {
    const bool capitals =
        original.size() > 1 && std::all_of(original.begin(), original.end(),
                                           [](char c) { return !IsLetter(c) || IsUpper(c); });
    for (std::size_t i = 0; i < replacement.size(); ++i) {
        if (capitals || (i < original.size() && IsUpper(original[i]))) {
            replacement[i] = Upper(replacement[i]);
        }
    }
    return replacement;
}

// A word of a text: a run of letters, as [start, end).
struct Word {
    std::size_t start;
    std::size_t end;
};

std::vector<Word> Words(std::string_view text) {
    std::vector<Word> words;
    for (std::size_t pos = 0; pos < text.size();) {
        if (!IsLetter(text[pos])) {
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        while (pos < text.size() && IsLetter(text[pos])) ++pos;
        words.push_back({start, pos});
    }
    return words;
}

// text with word replaced by replacement (lower case), in the word's letter case.
std::string Replaced(std::string_view text, Word word, std::string replacement) {
    const std::string_view original = text.substr(word.start, word.end - word.start);
    return std::string(text.substr(0, word.start)) + InCaseOf(std::move(replacement), original) +
           std::string(text.substr(word.end));
}

// ---- The number of the last word ----

// Words that are plural in form whatever they name, and words that end in s without being
// plurals: a form with the s dropped ("tight", "short") names something else.
constexpr std::string_view kNoNumber[] = {
    "shorts",   "tights", "clothes", "glasses", "goggles", "overalls", "briefs",   "slacks",
    "sweats",   "goods",  "news",    "series",  "species", "means",    "scissors", "pliers",
    "tweezers", "trunks", "braces",  "always",  "perhaps", "towards",  "thanks",   "lens",
    "this",     "has",    "was",     "its",     "yes",     "plus",     "bus",      "gas"};

// Plurals that no rule makes, as singular and plural.
constexpr std::pair<std::string_view, std::string_view> kIrregularPlurals[] = {
    {"foot", "feet"},
    {"tooth", "teeth"},
    {"goose", "geese"},
    {"mouse", "mice"},
    {"child", "children"},
    {"person", "people"},
    {"knife", "knives"},
    {"life", "lives"},
    {"wife", "wives"},
    {"leaf", "leaves"},
    {"half", "halves"},
    {"calf", "calves"},
    {"shelf", "shelves"},
    {"wolf", "wolves"},
    {"thief", "thieves"},
    {"scarf", "scarves"},
    {"hoof", "hooves"},
    {"criterion", "criteria"},
    {"phenomenon", "phenomena"},
    {"analysis", "analyses"},
    {"basis", "bases"},
    {"crisis", "crises"},
    {"axis", "axes"},
    {"index", "indices"},
    {"appendix", "appendices"},
    {"matrix", "matrices"}};

// Singular words that end in "men" and words that end in "man" without being a man.
constexpr std::string_view kNotMen[] = {"specimen", "abdomen", "regimen", "omen",
                                        "stamen",   "lumen",   "acumen",  "semen",
                                        "bitumen",  "albumen", "hymen",   "amen"};
constexpr std::string_view kNotMan[] = {"human",    "german",  "roman",  "shaman",
                                        "talisman", "ottoman", "caiman", "ataman"};

bool IsOneOf(std::string_view word, const auto& list) {
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

// A form of the query, and whether it is the query with an ending dropped.
struct Form {
    std::string text;
    bool endsWord;
};

// The other number of a lower-case word; nullopt when it has none.
std::optional<Form> OtherNumber(const std::string& w) {
    if (w.size() < 3 || IsOneOf(w, kNoNumber)) return std::nullopt;
    for (const auto& [singular, plural] : kIrregularPlurals) {
        if (w == singular) return Form{std::string(plural), false};
        if (w == plural) return Form{std::string(singular), false};
    }
    const std::string_view word(w);
    const auto dropped = [&](std::size_t n) { return std::string(word.substr(0, w.size() - n)); };
    if (word.ends_with("men") && !IsOneOf(w, kNotMen)) return Form{dropped(3) + "man", false};
    if (word.ends_with("man") && !IsOneOf(w, kNotMan)) return Form{dropped(3) + "men", false};
    if (word.ends_with("ss")) return Form{w + "es", false};
    if (word.ends_with("s")) {
        if (EndsWithAny(word, {"us", "is"})) return std::nullopt;
        // "accessories", "bodies"; but "ties", "pies" are a tie and a pie.
        if (word.ends_with("ies")) {
            return w.size() >= 5 ? Form{dropped(3) + "y", false} : Form{dropped(1), true};
        }
        if (word.ends_with("es") &&
            EndsWithAny(word.substr(0, w.size() - 2), {"x", "ch", "sh", "ss", "zz"})) {
            return Form{dropped(2), true};
        }
        return Form{dropped(1), true};
    }
    // A past participle is no noun ("mercerised").
    if (word.ends_with("ed")) return std::nullopt;
    if (EndsWithAny(word, {"x", "ch", "sh", "zz"})) return Form{w + "es", false};
    if (word.ends_with("y") && !IsVowel(word[w.size() - 2])) return Form{dropped(1) + "ies", false};
    return Form{w + "s", false};
}

// The query with its last word in the other number, when the query ends with that word. The s
// of a possessive ("men's") is no word, and a short abbreviation in capitals ("CFR") has no
// number.
std::optional<Form> NumberForm(std::string_view text) {
    const std::vector<Word> words = Words(text);
    if (words.empty() || words.back().end != text.size()) return std::nullopt;
    const Word last = words.back();
    const std::string_view word = text.substr(last.start, last.end - last.start);
    if (last.start > 0 && text[last.start - 1] == '\'') return std::nullopt;
    if (word.size() > 1 && word.size() <= 4 && std::all_of(word.begin(), word.end(), IsUpper))
        return std::nullopt;
    std::optional<Form> other = OtherNumber(Lowered(word));
    if (other) other->text = Replaced(text, last, std::move(other->text));
    return other;
}

// ---- British and American spellings ----

struct Spelling {
    std::string_view british;
    std::string_view american;
    // Only as a whole word: inside others the letters are no such word ("packaging").
    bool wholeWord = false;
};

// The pairs of the trade's words; a pair applies to every word that holds one of its sides,
// longer sides tried first ("centred" before "centre", "catalogue" before "catalog").
constexpr Spelling kSpellings[] = {{"colour", "color"},
                                   {"fibre", "fiber"},
                                   {"centre", "center"},
                                   {"centred", "centered"},
                                   {"centring", "centering"},
                                   {"metre", "meter"},
                                   {"litre", "liter"},
                                   {"lustre", "luster"},
                                   {"mitre", "miter"},
                                   {"mitred", "mitered"},
                                   {"ochre", "ocher"},
                                   {"calibre", "caliber"},
                                   {"theatre", "theater"},
                                   {"sombre", "somber"},
                                   {"grey", "gray"},
                                   {"mould", "mold"},
                                   {"moult", "molt"},
                                   {"smoulder", "smolder"},
                                   {"labour", "labor"},
                                   {"vapour", "vapor"},
                                   {"odour", "odor"},
                                   {"behaviour", "behavior"},
                                   {"favour", "favor"},
                                   {"honour", "honor"},
                                   {"harbour", "harbor"},
                                   {"humour", "humor"},
                                   {"flavour", "flavor"},
                                   {"armour", "armor"},
                                   {"neighbour", "neighbor"},
                                   {"parlour", "parlor"},
                                   {"rumour", "rumor"},
                                   {"tumour", "tumor"},
                                   {"vigour", "vigor"},
                                   {"rigour", "rigor"},
                                   {"glamour", "glamor"},
                                   {"pyjama", "pajama"},
                                   {"jewellery", "jewelry"},
                                   {"aluminium", "aluminum"},
                                   {"catalogue", "catalog"},
                                   {"dialogue", "dialog"},
                                   {"analogue", "analog"},
                                   {"sulph", "sulf"},
                                   {"licence", "license"},
                                   {"defence", "defense"},
                                   {"offence", "offense"},
                                   {"programme", "program"},
                                   {"woollen", "woolen"},
                                   {"woolly", "wooly"},
                                   {"selvedge", "selvage"},
                                   {"draught", "draft"},
                                   {"plough", "plow"},
                                   {"orthopaedic", "orthopedic"},
                                   {"paediatric", "pediatric"},
                                   {"ageing", "aging", true},
                                   {"manoeuvre", "maneuver"},
                                   {"enquir", "inquir"},
                                   {"artefact", "artifact"},
                                   {"cosy", "cozy"},
                                   {"moustache", "mustache"},
                                   {"skilful", "skillful"},
                                   {"fulfil", "fulfill"},
                                   {"instalment", "installment"},
                                   {"enrolment", "enrollment"},
                                   {"sequinned", "sequined"},
                                   {"epaulette", "epaulet"},
                                   {"judgement", "judgment"}};

// Words that hold a side of a pair and are written alike on both sides of the ocean.
constexpr std::string_view kSameSpelling[] = {"laborator", "deodor",    "honorar",
                                              "diameter",  "parameter", "perimeter"};

// The word with one side of the first pair that it holds replaced by the other side.
std::optional<std::string> TableSpelling(const std::string& word) {
    if (std::any_of(std::begin(kSameSpelling), std::end(kSameSpelling),
                    [&](std::string_view same) { return word.find(same) != std::string::npos; }))
        return std::nullopt;
    static const std::vector<const Spelling*> longestFirst = [] {
        std::vector<const Spelling*> pairs;
        for (const Spelling& spelling : kSpellings) pairs.push_back(&spelling);
        std::stable_sort(pairs.begin(), pairs.end(), [](const Spelling* a, const Spelling* b) {
            return std::max(a->british.size(), a->american.size()) >
                   std::max(b->british.size(), b->american.size());
        });
        return pairs;
    }();
    for (const Spelling* spelling : longestFirst) {
        std::array<std::pair<std::string_view, std::string_view>, 2> sides = {
            std::pair{spelling->british, spelling->american},
            std::pair{spelling->american, spelling->british}};
        // The longer side first, as it may hold the shorter ("fulfill", "fulfil").
        if (sides[1].first.size() > sides[0].first.size()) std::swap(sides[0], sides[1]);
        for (const auto& [from, to] : sides) {
            if (spelling->wholeWord ? word != from : word.find(from) == std::string::npos) continue;
            std::string replaced;
            std::size_t pos = 0;
            for (std::size_t found; (found = word.find(from, pos)) != std::string::npos;
                 pos = found + from.size()) {
                replaced.append(word, pos, found - pos).append(to);
            }
            return replaced.append(word, pos);
        }
    }
    return std::nullopt;
}

// The endings after which British writing doubles the l of a word in -el ("labelling",
// "travelled", "traveller") and American writing does not.
constexpr std::string_view kDoubledLEndings[] = {"ings", "ing", "ers", "er", "ed"};

std::optional<std::string> DoubledLSpelling(const std::string& word) {
    const std::string_view w(word);
    for (const std::string_view ending : kDoubledLEndings) {
        if (!w.ends_with(ending)) continue;
        const std::string_view stem = w.substr(0, w.size() - ending.size());
        // A stem of one syllable keeps its l ("selling", "spelling", "feeling").
        if (stem.ends_with("ell")) {
            const std::string_view before = stem.substr(0, stem.size() - 3);
            if (HoldsVowel(before) && !before.ends_with('e')) {
                return std::string(before) + "el" + std::string(ending);
            }
        } else if (stem.ends_with("el")) {
            const std::string_view before = stem.substr(0, stem.size() - 2);
            if (HoldsVowel(before) && !IsVowel(before.back())) {
                return std::string(before) + "ell" + std::string(ending);
            }
        }
        return std::nullopt;
    }
    return std::nullopt;
}

// The endings of the verbs in -ise and -ize (-yse and -yze) and the words made from them.
constexpr std::string_view kIseEndings[] = {"ations", "ation", "able", "ers", "ing",
                                            "er",     "es",    "ed",   "e"};
// Words in -ise that are never written -ize: endings of the -ise word, and whole words.
constexpr std::string_view kNotIzeEndings[] = {
    "wise",     "aise",        "oise",     "uise",      "vise",      "prise",
    "chise",    "precise",     "concise",  "excise",    "incise",    "exercise",
    "premise",  "promise",     "demise",   "expertise", "advertise", "chastise",
    "treatise", "merchandise", "paradise", "despise"};
constexpr std::string_view kNotIzeWords[] = {"anise", "valise", "cerise", "chemise", "surmise"};
// Words in -ize that are never written -ise.
constexpr std::string_view kNotIse[] = {"size", "prize", "seize", "maize", "baize"};

std::optional<std::string> IseSpelling(const std::string& word) {
    const std::string_view w(word);
    for (const std::string_view ending : kIseEndings) {
        if (w.size() < ending.size() + 4 || !w.ends_with(ending)) continue;
        const std::size_t s = w.size() - ending.size() - 1;  // the s or z
        const char vowel = w[s - 1];
        if ((w[s] != 's' && w[s] != 'z') || (vowel != 'i' && vowel != 'y')) continue;
        const std::string_view root = w.substr(0, s - 1);
        const std::string base = std::string(w.substr(0, s + 1)) + "e";
        if (w[s] == 's') {
            // "sunrise", "low-rise" are no verbs; "computerise", "vaporise" are.
            if (base.ends_with("rise") && (root.size() == 1 || !IsVowel(root[root.size() - 2])))
                return std::nullopt;
            if (IsOneOf(base, kNotIzeWords) ||
                std::any_of(std::begin(kNotIzeEndings), std::end(kNotIzeEndings),
                            [&](std::string_view no) { return base.ends_with(no); }))
                return std::nullopt;
        } else if (std::any_of(std::begin(kNotIse), std::end(kNotIse),
                               [&](std::string_view no) { return base.ends_with(no); })) {
            return std::nullopt;
        }
        std::string other = word;
        other[s] = w[s] == 's' ? 'z' : 's';
        return other;
    }
    return std::nullopt;
}

// The text with every word that has another spelling written in it; nullopt when none has.
std::optional<std::string> SpellingForm(std::string_view text) {
    std::string spelled;
    std::size_t copied = 0;
    bool changed = false;
    for (const Word word : Words(text)) {
        const std::string lowered = Lowered(text.substr(word.start, word.end - word.start));
        std::optional<std::string> other = TableSpelling(lowered);
        if (!other) other = DoubledLSpelling(lowered);
        if (!other) other = IseSpelling(lowered);
        if (!other) continue;
        spelled.append(text.substr(copied, word.start - copied));
        spelled += InCaseOf(*std::move(other), text.substr(word.start, word.end - word.start));
        copied = word.end;
        changed = true;
    }
    if (!changed) return std::nullopt;
    return spelled.append(text.substr(copied));
}

// ---- Separators between words ----

// The text with other separators between its words: a space or a hyphen between two letters,
// or a letter and a digit ("2-way", "10 gauge"). One separator gives the other one, and between
// two letters nothing ("t-shirt", "tshirt" of "t shirt"); two or three give each turned into
// the other one, and all hyphens and all spaces; more give only all hyphens and all spaces.
std::vector<std::string> SeparatorForms(std::string_view text) {
    std::vector<std::size_t> separators;
    for (std::size_t pos = 1; pos + 1 < text.size(); ++pos) {
        const char before = text[pos - 1];
        const char after = text[pos + 1];
        if ((text[pos] == ' ' || text[pos] == '-') && IsAlphanumeric(before) &&
            IsAlphanumeric(after) && (IsLetter(before) || IsLetter(after))) {
            separators.push_back(pos);
        }
    }
    const auto other = [](char separator) { return separator == ' ' ? '-' : ' '; };
    std::vector<std::string> forms;
    if (separators.size() == 1) {
        std::string swapped(text);
        swapped[separators[0]] = other(text[separators[0]]);
        forms.push_back(std::move(swapped));
        if (IsLetter(text[separators[0] - 1]) && IsLetter(text[separators[0] + 1])) {
            std::string closed(text);
            closed.erase(separators[0], 1);
            forms.push_back(std::move(closed));
        }
        return forms;
    }
    if (separators.size() >= 2 && separators.size() <= 3) {
        for (const std::size_t pos : separators) {
            std::string swapped(text);
            swapped[pos] = other(text[pos]);
            forms.push_back(std::move(swapped));
        }
    }
    if (separators.size() >= 2) {
        for (const char separator : {'-', ' '}) {
            std::string all(text);
            for (const std::size_t pos : separators) all[pos] = separator;
            forms.push_back(std::move(all));
        }
    }
    return forms;
}

}  // namespace

std::vector<CWordForm> WordForms(std::string_view query) {
    if (std::any_of(query.begin(), query.end(),
                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return {};

    struct Candidate {
        Form form;
        int changes;
        int rank;  // among forms of as many changes: the number first, then spelling, separators
    };
    std::vector<Candidate> candidates;
    std::vector<Form> numbers{{std::string(query), false}};
    if (std::optional<Form> number = NumberForm(query)) numbers.push_back(*std::move(number));
    for (std::size_t n = 0; n < numbers.size(); ++n) {
        std::vector<std::string> spellings{numbers[n].text};
        if (std::optional<std::string> spelled = SpellingForm(numbers[n].text))
            spellings.push_back(*std::move(spelled));
        for (std::size_t s = 0; s < spellings.size(); ++s) {
            std::vector<std::string> separated{spellings[s]};
            for (std::string& form : SeparatorForms(spellings[s]))
                separated.push_back(std::move(form));
            for (std::size_t p = 0; p < separated.size(); ++p) {
                const int changes = (n > 0) + (s > 0) + (p > 0);
                const int rank = (n > 0 ? 0 : 4) + (s > 0 ? 0 : 2) + (p > 0 ? 0 : 1);
                candidates.push_back(
                    {{std::move(separated[p]), numbers[n].endsWord}, changes, rank});
            }
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) {
                         return a.changes != b.changes ? a.changes < b.changes : a.rank < b.rank;
                     });

    std::vector<CWordForm> forms;
    std::vector<std::string> given{Lowered(query)};
    for (Candidate& candidate : candidates) {
        if (forms.size() == kMaxWordForms) break;
        std::string lowered = Lowered(candidate.form.text);
        if (std::find(given.begin(), given.end(), lowered) != given.end()) continue;
        given.push_back(std::move(lowered));
        forms.push_back({std::move(candidate.form.text), candidate.form.endsWord});
    }
    return forms;
}
