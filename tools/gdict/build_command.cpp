#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "dictionary/dict_entry.h"
#include "dictionary/dict_file_writer.h"
#include "files/file_name.h"
#include "text/mbcs.h"
#include "tools/gdict/arguments.h"
#include "tools/gdict/commands.h"

namespace {

constexpr unsigned long kDefaultSeed = 1;

// Record keys drawn from a generator whose sequence the C++ standard fixes for a seed, so the
// same input and seed always give the same file.
class RecordKeys {
public:
    explicit RecordKeys(unsigned long seed) : m_generator(static_cast<std::uint32_t>(seed)) {}

    std::string Next() {
        static constexpr char kAlphabet[] =
            "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        std::string key(CDictEntry::kKeyLength, '0');
        for (char& c : key) c = kAlphabet[m_generator() % (sizeof kAlphabet - 1)];
        return key;
    }

private:
    std::mt19937 m_generator;
};

struct SourceLine {
    std::string english;
    std::string chinese;
};

// The entries of a UTF-8 TSV source: "english TAB chinese" lines; blank lines and lines that
// start with # are skipped. Faults name the file and line.
std::vector<SourceLine> ReadSource(const std::string& path) {
    std::ifstream in(PathOfName(path), std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::vector<SourceLine> lines;
    std::string line;
    for (long number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::string where = path + ":" + std::to_string(number);
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            throw std::runtime_error(where + ": no TAB between the English and Chinese text");
        }
        lines.push_back({ArgumentToCp936(line.substr(0, tab), where.c_str()),
                         ArgumentToCp936(line.substr(tab + 1), where.c_str())});
    }
    if (in.bad()) throw std::runtime_error("cannot read " + path);
    return lines;
}

// Orders lines by their English text compared ignoring letter case, keeping lines of equal
// English text in source order, so that a headword comes before its compounds and the renderings
// of one headword stand together.
void OrderByEnglish(std::vector<SourceLine>& lines) {
    std::vector<std::pair<std::string, SourceLine>> keyed;
    keyed.reserve(lines.size());
    for (SourceLine& line : lines) {
        std::string key = line.english;
        mbcs::FoldToLower(key);
        keyed.emplace_back(std::move(key), std::move(line));
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = std::move(keyed[i].second);
}

}  // namespace

int RunBuild(const std::vector<std::string>& args) {
    const Arguments arguments(args, {"seed", "order"}, 2);
    RecordKeys keys(arguments.NumberOption("seed", kDefaultSeed, UINT32_MAX));
    const std::string order = arguments.Option("order").value_or("source");
    if (order != "source" && order != "english") {
        throw UsageError("--order takes source or english");
    }
    std::vector<SourceLine> lines = ReadSource(arguments.Positional(0));
    if (order == "english") OrderByEnglish(lines);
    if (lines.size() > INT32_MAX) throw std::runtime_error("too many entries for one file");

    // Written beside the target and renamed over it once complete, so that a failed build
    // never leaves a half-written dictionary behind.
    const std::string output = arguments.Positional(1);
    const std::string partial = output + ".partial";
    {
        std::ofstream out(PathOfName(partial), std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error("cannot create " + partial);
        dictfile::WriteInt32(out, static_cast<std::int32_t>(lines.size()));
        for (std::size_t i = 0; i < lines.size(); ++i) {
            try {
                dictfile::WriteRecord(
                    out, dictfile::MakeRecordText(keys.Next(), lines[i].english, lines[i].chinese));
            } catch (const std::invalid_argument& error) {
                out.close();
                std::filesystem::remove(PathOfName(partial));
                throw std::runtime_error("entry " + std::to_string(i + 1) + ": " + error.what());
            }
        }
        out.close();
        if (!out) {
            std::filesystem::remove(PathOfName(partial));
            throw std::runtime_error("cannot write " + partial);
        }
    }
    std::filesystem::rename(PathOfName(partial), PathOfName(output));
    return 0;
}
