#include <climits>
#include <iostream>

#include "dictionary/dict_store.h"
#include "dictionary/near_matches.h"
#include "dictionary/result_ranking.h"
#include "dictionary/trade_units.h"
#include "files/program_directory.h"
#include "text/mbcs.h"
#include "tools/gdict/arguments.h"
#include "tools/gdict/commands.h"
#include "tools/gdict/own_terms_input.h"

std::string ArgumentToCp936(const std::string& utf8, const char* what) {
    std::optional<std::string> text = mbcs::FromUtf8(utf8);
    if (!text) {
        throw std::runtime_error(std::string(what) +
                                 " is not UTF-8 text that code page 936 can hold");
    }
    return *std::move(text);
}

namespace {

constexpr std::size_t kNearMatchesShown = 5;

}  // namespace

int RunLookup(const std::vector<std::string>& args) {
    const Arguments arguments(args, {"dict", "limit"}, {"no-own"}, 1, 1);
    const unsigned long limit = arguments.NumberOption("limit", ULONG_MAX, ULONG_MAX);
    const std::string query = ArgumentToCp936(arguments.Positional(0), "the query");
    const std::string path =
        arguments.Option("dict").value_or(GetProgramDirectory() + "/" GDICT_DICTIONARY_NAME);

    CDictStore store;
    store.LoadFile(path);
    const std::unique_ptr<CDictStore> ownTerms =
        arguments.Flag("no-own") ? nullptr : LoadOwnTermStore("lookup");
    const CRankedResults results = SearchRanked(store, ownTerms.get(), query);
    unsigned long printed = 0;
    for (const CRankedRow& row : results.rows) {
        if (printed++ == limit) break;
        std::cout << mbcs::ToUtf8(row.entry->english) << '\t' << mbcs::ToUtf8(row.entry->chinese)
                  << '\n';
    }
    if (!results.rows.empty()) return 0;
    // Nothing found. The output stays empty: what helps goes to standard error, the conversions
    // of a measurement or else the nearest headwords.
    const std::vector<std::string> conversions = tradeunits::MeasurementLines(query);
    if (!conversions.empty()) {
        for (const std::string& line : conversions) std::cerr << line << '\n';
        return 1;
    }
    const std::vector<CNearMatch> near = FindNearMatches(store, query, kNearMatchesShown);
    if (!near.empty()) {
        std::cerr << "did you mean: ";
        for (std::size_t i = 0; i < near.size(); ++i) {
            std::cerr << (i ? ", " : "") << mbcs::ToUtf8(near[i].headword);
        }
        std::cerr << '\n';
    }
    return 1;
}
