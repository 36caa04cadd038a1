// Translating a term list of 10,000 lines over the bundled dictionary, as `gdict translate` does:
// the index built once per run, then one exact look-up per term, and the near-match search for
// the terms that have no entry.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "dictionary/dict_store.h"
#include "tools/gdict/term_translator.h"

namespace {

constexpr std::size_t kTerms = 10000;
constexpr std::size_t kNearMatches = 3;

const CDictStore& BundledStore() {
    static const struct Bundled {
        Bundled() { store.LoadFile(GDICT_BIN_DIR "/" GDICT_DICTIONARY_NAME); }
        CDictStore store;
    } bundled;
    return bundled.store;
}

// Terms as a bill of materials holds them: the dictionary's own English and Chinese texts, and
// one term in twenty misspelt (a letter doubled), which the dictionary does not hold.
std::vector<std::string> TermList() {
    const std::vector<CDictEntry>& entries = BundledStore().entries();
    std::vector<std::string> terms;
    for (std::size_t i = 0; terms.size() < kTerms; ++i) {
        const CDictEntry& entry = entries[(i * 7919) % entries.size()];
        std::string term(i % 2 ? std::string_view(entry.chinese) : std::string_view(entry.english));
        if (i % 20 == 0 && !term.empty()) term.insert(term.size() / 2, 1, term[term.size() / 2]);
        terms.push_back(std::move(term));
    }
    return terms;
}

void BM_TranslatorIndex(benchmark::State& state) {
    for (auto _ : state) {
        CTermTranslator translator(BundledStore());
        benchmark::DoNotOptimize(&translator);
    }
}
BENCHMARK(BM_TranslatorIndex)->Unit(benchmark::kMillisecond);

void BM_Translate10000Terms(benchmark::State& state) {
    const CTermTranslator translator(BundledStore());
    const std::vector<std::string> terms = TermList();
    std::size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (const std::string& term : terms)
            found += translator.Translate(term, kNearMatches).found;
    }
    state.counters["found"] = static_cast<double>(found);
    state.counters["terms"] = static_cast<double>(terms.size());
}
BENCHMARK(BM_Translate10000Terms)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
