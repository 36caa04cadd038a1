#include <fstream>
#include <iostream>

#include "dictionary/dict_store.h"
#include "files/file_name.h"
#include "files/program_directory.h"
#include "text/mbcs.h"
#include "tools/gdict/arguments.h"
#include "tools/gdict/commands.h"
#include "tools/gdict/own_terms_input.h"
#include "tools/gdict/term_translator.h"

namespace {

constexpr std::size_t kNearMatchesPerTerm = 3;
constexpr char kJoiner[] = "；";  // a full-width semicolon, as Chinese lists write it

std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts) {
        if (!joined.empty()) joined += kJoiner;
        joined += mbcs::ToUtf8(text);
    }
    return joined;
}

std::string_view TrimmedLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
        line.remove_suffix(1);
    }
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    return line;
}

}  // namespace

int RunTranslate(const std::vector<std::string>& args) {
    const Arguments arguments(args, {"dict"}, {"no-own"}, 0, 1);
    const std::string path =
        arguments.Option("dict").value_or(GetProgramDirectory() + "/" GDICT_DICTIONARY_NAME);
    const std::string input = arguments.PositionalCount() == 1 ? arguments.Positional(0) : "-";
    std::ifstream file;
    if (input != "-") {
        file.open(PathOfName(input), std::ios::binary);
        if (!file) throw std::runtime_error("cannot open " + input);
    }
    std::istream& in = input == "-" ? std::cin : file;

    CDictStore store;
    store.LoadFile(path);
    const std::unique_ptr<CDictStore> ownTerms =
        arguments.Flag("no-own") ? nullptr : LoadOwnTermStore("translate");
    const CTermTranslator translator(store, ownTerms.get());
    bool allFound = true;
    std::string line;
    while (std::getline(in, line)) {
        const std::string_view term = TrimmedLine(line);
        if (term.empty() || term[0] == '#') continue;
        std::cout << term << '\t';
        // A term that code page 936 cannot hold matches no entry and has no near match.
        const std::optional<std::string> stored = mbcs::FromUtf8(term);
        const CTermTranslator::Translation translation =
            stored ? translator.Translate(*stored, kNearMatchesPerTerm)
                   : CTermTranslator::Translation{};
        if (translation.found) {
            std::cout << mbcs::ToUtf8(translation.translation) << '\t'
                      << Joined(translation.others);
            // The note of the translation, when it has one, in a column of its own.
            if (!translation.note.empty()) std::cout << '\t' << mbcs::ToUtf8(translation.note);
            std::cout << '\n';
        } else {
            allFound = false;
            std::cout << "\t?" << Joined(translation.nearMatches) << '\n';
        }
    }
    if (in.bad()) throw std::runtime_error("cannot read " + (input == "-" ? "the input" : input));
    return allFound ? 0 : 1;
}
