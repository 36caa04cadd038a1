// Loading, searching, ranking the results and finding near matches in synthetic dictionaries of
// 10,000, 100,000 and 1,000,000 entries, and searching a dictionary file of one's own:
//
//   dictionary_bench --dict FILE --query TEXT [benchmark options]
//
// adds BM_SearchFile, the search for TEXT (UTF-8, as typed) over the entries of FILE.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "crypto/stored_text.h"
#include "dictionary/dict_file_writer.h"
#include "dictionary/dict_store.h"
#include "dictionary/near_matches.h"
#include "dictionary/result_ranking.h"
#include "text/mbcs.h"

namespace {

// Word pools for entries that look like the real dictionary: "cotton twill shirt 123" with a
// Chinese text of three or four characters (code page 936).
constexpr const char* kEnglish[] = {"cotton", "linen",  "denim",  "twill",  "poplin",  "knit",
                                    "woven",  "collar", "cuff",   "pocket", "placket", "dart",
                                    "pleat",  "seam",   "stitch", "hem",    "lining",  "button",
                                    "zipper", "label",  "dress",  "skirt",  "jacket",  "coat"};
constexpr const char* kChinese[] = {"\xC3\xDE", "\xC2\xE9", "\xC5\xA3", "\xD7\xD0", "\xB2\xBC",
                                    "\xD5\xEB", "\xBF\xDA", "\xC1\xEC", "\xB4\xFC", "\xF1\xDE",
                                    "\xC2\xEC", "\xCF\xDF", "\xB1\xDF", "\xC0\xEF", "\xBF\xDB",
                                    "\xC1\xB4", "\xB1\xEA", "\xC8\xB9", "\xBF\xE3", "\xD2\xC2"};
// "衬衫": the Chinese query; it is placed in about one entry in 50.
constexpr char kShirtChinese[] = "\xB3\xC4\xC9\xC0";

std::string DictionaryFile(int entries) {
    static std::map<int, std::string> files;
    auto& path = files[entries];
    if (!path.empty()) return path;
    path = (std::filesystem::temp_directory_path() /
            ("gdict-bench-" + std::to_string(entries) + ".dat"))
               .string();
    std::mt19937 random(entries);
    const auto pick = [&](const auto& pool) {
        return std::string(pool[random() % std::size(pool)]);
    };
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    dictfile::WriteInt32(out, entries);
    for (int i = 0; i < entries; ++i) {
        const std::string english =
            pick(kEnglish) + " " + pick(kEnglish) + " " + pick(kEnglish) + " " + std::to_string(i);
        std::string chinese = pick(kChinese) + pick(kChinese) + pick(kChinese);
        if (random() % 50 == 0) chinese += kShirtChinese;
        dictfile::WriteRecord(out, dictfile::MakeRecordText("Bench07", english, chinese));
    }
    return path;
}

void BM_Load(benchmark::State& state) {
    const std::string path = DictionaryFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CDictStore store;
        store.LoadFile(path);
        benchmark::DoNotOptimize(store.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Search(benchmark::State& state, const char* query) {
    CDictStore store;
    store.LoadFile(DictionaryFile(static_cast<int>(state.range(0))));
    std::size_t found = 0;
    for (auto _ : state) {
        const CResultList results = store.Search(query);
        found = results.size();
        benchmark::DoNotOptimize(results.data());
    }
    state.counters["results"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The search for query over a store of one's own.
void SearchFile(benchmark::State& state, const CDictStore& store, const std::string& query) {
    std::size_t found = 0;
    for (auto _ : state) {
        const CResultList results = store.Search(query);
        found = results.size();
        benchmark::DoNotOptimize(results.data());
    }
    state.counters["entries"] = static_cast<double>(store.size());
    state.counters["results"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(store.size()));
}

void BM_SearchEnglishPrefix(benchmark::State& state) {
    Search(state, "cotton");
}
void BM_SearchEnglishInfix(benchmark::State& state) {
    Search(state, "llar");
}
void BM_SearchChinese(benchmark::State& state) {
    Search(state, kShirtChinese);
}
void BM_SearchNoMatch(benchmark::State& state) {
    Search(state, "qwz");
}

// The search and the ranking of what it found (BM_Search... plus the ranking step).
void SearchAndRank(benchmark::State& state, const char* query) {
    CDictStore store;
    store.LoadFile(DictionaryFile(static_cast<int>(state.range(0))));
    const bool chinese = IsChineseQuery(query);
    std::size_t found = 0;
    for (auto _ : state) {
        std::size_t prefixCount = 0;
        const CResultList results = store.Search(query, prefixCount);
        const std::vector<CRankedRow> rows =
            RankResults({{query, {&results, prefixCount}, {}, false}}, chinese);
        found = rows.size();
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["results"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The ranked search as the page and gdict run it: the query and its other forms.
void RankedSearch(benchmark::State& state, const char* query) {
    CDictStore store;
    store.LoadFile(DictionaryFile(static_cast<int>(state.range(0))));
    std::size_t found = 0;
    for (auto _ : state) {
        const CRankedResults ranked = SearchRanked(store, nullptr, query);
        found = ranked.rows.size();
        benchmark::DoNotOptimize(ranked.rows.data());
    }
    state.counters["results"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_RankEnglishPrefix(benchmark::State& state) {
    SearchAndRank(state, "cotton");
}
void BM_RankEnglishInfix(benchmark::State& state) {
    SearchAndRank(state, "llar");
}
void BM_RankChinese(benchmark::State& state) {
    SearchAndRank(state, kShirtChinese);
}
// "cottons" is a form of "cotton" that begins with it: no second search.
void BM_RankedSearchEnglishPrefix(benchmark::State& state) {
    RankedSearch(state, "cotton");
}
// Two words: the forms with a hyphen and closed up are searched too.
void BM_RankedSearchTwoWords(benchmark::State& state) {
    RankedSearch(state, "cotton twill");
}
void BM_RankedSearchChinese(benchmark::State& state) {
    RankedSearch(state, kShirtChinese);
}

// The eight near matches that the dictionary page offers; query gets the loaded store.
template <typename Query>
void NearMatches(benchmark::State& state, Query makeQuery) {
    CDictStore store;
    store.LoadFile(DictionaryFile(static_cast<int>(state.range(0))));
    const std::string query = makeQuery(store);
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<CNearMatch> matches = FindNearMatches(store, query, 8);
        found = matches.size();
        benchmark::DoNotOptimize(matches.data());
    }
    state.counters["results"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A short misspelling: the lengths rule out nearly every entry.
void BM_NearMatchesEnglishWord(benchmark::State& state) {
    NearMatches(state, [](const CDictStore&) { return "pockett"; });
}
// The middle entry's English text with a letter left out and two letters swapped: as long as
// most entries, so that nearly every one is measured.
void BM_NearMatchesEnglishPhrase(benchmark::State& state) {
    NearMatches(state, [](const CDictStore& store) {
        std::string query(store.entries()[store.size() / 2].english);
        query.erase(1, 1);
        std::swap(query[2], query[3]);
        return query;
    });
}
// "衬衫裙": the entries with "衬衫" (one in 50) share two of its three characters.
void BM_NearMatchesChinese(benchmark::State& state) {
    NearMatches(state, [](const CDictStore&) { return "\xB3\xC4\xC9\xC0\xC8\xB9"; });
}
// "棉麻": each of its two characters is in about one entry in seven, and one is enough.
void BM_NearMatchesChineseCommon(benchmark::State& state) {
    NearMatches(state, [](const CDictStore&) { return "\xC3\xDE\xC2\xE9"; });
}

constexpr int kSizes[] = {10'000, 100'000, 1'000'000};

void Sizes(benchmark::internal::Benchmark* benchmark) {
    for (const int size : kSizes) benchmark->Arg(size);
    benchmark->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_Load)->Apply(Sizes);
BENCHMARK(BM_SearchEnglishPrefix)->Apply(Sizes);
BENCHMARK(BM_SearchEnglishInfix)->Apply(Sizes);
BENCHMARK(BM_SearchChinese)->Apply(Sizes);
BENCHMARK(BM_SearchNoMatch)->Apply(Sizes);
BENCHMARK(BM_RankEnglishPrefix)->Apply(Sizes);
BENCHMARK(BM_RankEnglishInfix)->Apply(Sizes);
BENCHMARK(BM_RankChinese)->Apply(Sizes);
BENCHMARK(BM_RankedSearchEnglishPrefix)->Apply(Sizes);
BENCHMARK(BM_RankedSearchTwoWords)->Apply(Sizes);
BENCHMARK(BM_RankedSearchChinese)->Apply(Sizes);
BENCHMARK(BM_NearMatchesEnglishWord)->Apply(Sizes);
BENCHMARK(BM_NearMatchesEnglishPhrase)->Apply(Sizes);
BENCHMARK(BM_NearMatchesChinese)->Apply(Sizes);
BENCHMARK(BM_NearMatchesChineseCommon)->Apply(Sizes);

namespace {

// Takes "--NAME VALUE" or "--NAME=VALUE" out of the arguments.
std::optional<std::string> TakeOption(int& argc, char** argv, const char* name) {
    const std::string flag = std::string("--") + name;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        int used = 0;
        std::optional<std::string> value;
        if (argument == flag && i + 1 < argc) {
            value = argv[i + 1];
            used = 2;
        } else if (argument.rfind(flag + "=", 0) == 0) {
            value = argument.substr(flag.size() + 1);
            used = 1;
        }
        if (used == 0) continue;
        for (int j = i; j + used <= argc; ++j) argv[j] = argv[j + used];
        argc -= used;
        return value;
    }
    return std::nullopt;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "dictionary_bench: %s\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<std::string> dict = TakeOption(argc, argv, "dict");
    const std::optional<std::string> query = TakeOption(argc, argv, "query");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (dict.has_value() != query.has_value())
        return Fail("--dict FILE and --query TEXT go together");
    std::unique_ptr<CDictStore> store;
    if (dict) {
        const std::optional<std::string> stored = mbcs::FromUtf8(*query);
        if (!stored) return Fail("the query is not UTF-8 text that code page 936 can hold");
        store = std::make_unique<CDictStore>();
        try {
            store->LoadFile(*dict);
        } catch (const std::exception& error) {
            return Fail(error.what());
        }
        benchmark::RegisterBenchmark("BM_SearchFile", SearchFile, std::cref(*store), *stored)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
