// The dictionary sources in data/: every line a clean pair that the build can store.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "dictionary/dict_store.h"
#include "text/mbcs.h"

namespace {

std::vector<std::filesystem::path> SourceFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(GDICT_SOURCE_DIR) / "data")) {
        if (entry.path().extension() == ".tsv") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The English text of every entry line of every source file.
std::vector<std::string> EnglishTexts() {
    std::vector<std::string> texts;
    for (const std::filesystem::path& file : SourceFiles()) {
        std::ifstream in(file, std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line[0] != '#') texts.push_back(line.substr(0, line.find('\t')));
        }
    }
    return texts;
}

std::size_t Capitals(std::string_view word) {
    return std::count_if(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool IsRomanNumeral(std::string_view word) {
    return word.find_first_not_of("IVX") == std::string_view::npos;
}

// The words of an English text that look like abbreviations (two or more capitals, not a Roman
// numeral), outside any parentheses, with the punctuation that ends a word taken off.
std::vector<std::string> AbbreviationWords(const std::string& english) {
    std::string outside;
    int depth = 0;
    for (char c : english) {
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        if (depth == 0 && c != ')') outside += c;
    }
    std::vector<std::string> words;
    std::istringstream split(outside);
    for (std::string word; split >> word;) {
        while (!word.empty() && std::string_view(",;:").find(word.back()) != std::string::npos) {
            word.pop_back();
        }
        if (Capitals(word) >= 2 && !IsRomanNumeral(word)) words.push_back(word);
    }
    return words;
}

bool HasStraySpace(const std::string& text) {
    return !text.empty() && (text.front() == ' ' || text.back() == ' ');
}

TEST(DictionarySourcesTest, EveryLineIsACleanPair) {
    const std::vector<std::filesystem::path> files = SourceFiles();
    ASSERT_FALSE(files.empty());
    std::map<std::pair<std::string, std::string>, std::string> seen;
    std::size_t entries = 0;
    for (const std::filesystem::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::string content((std::istreambuf_iterator<char>(in)), {});
        EXPECT_FALSE(content.empty()) << file;
        EXPECT_EQ(content.back(), '\n') << file << ": the last line ends without a line end";
        EXPECT_EQ(content.find('\r'), std::string::npos) << file << ": carriage return";
        std::size_t start = 0;
        for (int number = 1; start < content.size(); ++number) {
            const std::size_t end = content.find('\n', start);
            const std::string line = content.substr(start, end - start);
            start = end == std::string::npos ? content.size() : end + 1;
            if (line.empty() || line[0] == '#') continue;
            const std::string where = file.filename().string() + ":" + std::to_string(number);
            const std::size_t tab = line.find('\t');
            ASSERT_NE(tab, std::string::npos) << where << ": no TAB";
            const std::string english = line.substr(0, tab);
            const std::string chinese = line.substr(tab + 1);
            EXPECT_EQ(chinese.find('\t'), std::string::npos) << where << ": more than two fields";
            EXPECT_FALSE(english.empty() || chinese.empty()) << where << ": empty field";
            EXPECT_FALSE(HasStraySpace(english) || HasStraySpace(chinese)) << where;
            EXPECT_EQ(line.find("|||"), std::string::npos) << where;
            EXPECT_TRUE(mbcs::FromUtf8(english) && mbcs::FromUtf8(chinese))
                << where << ": not encodable in code page 936";
            const auto [previous, added] = seen.emplace(std::pair(english, chinese), where);
            EXPECT_TRUE(added) << where << ": the same pair as " << previous->second;
            ++entries;
        }
    }
    EXPECT_GE(entries, 10000u);
}

// Every abbreviation in the data is spelt out by an entry that begins with it and its expansion,
// "GSM (grams per square metre)", so a user who meets the abbreviation learns what it stands for. A
// hyphenated word such as "PU-coated" is spelt out through its capital parts.
TEST(DictionarySourcesTest, EveryAbbreviationHasItsExpansion) {
    const std::vector<std::string> texts = EnglishTexts();
    std::set<std::string, std::less<>> expanded;
    for (const std::string& english : texts) {
        const std::size_t bracket = english.find(" (");
        if (bracket != std::string::npos && bracket > 0)
            expanded.insert(english.substr(0, bracket));
    }
    const auto covered = [&expanded](const std::string& word) {
        if (expanded.count(word)) return true;
        if (word.find('-') == std::string::npos) return false;
        std::istringstream pieces(word);
        for (std::string piece; std::getline(pieces, piece, '-');) {
            if (Capitals(piece) >= 2 && !IsRomanNumeral(piece) && !expanded.count(piece)) {
                return false;
            }
        }
        return true;
    };
    std::set<std::string> missing;
    for (const std::string& english : texts) {
        for (const std::string& word : AbbreviationWords(english)) {
            if (!covered(word)) missing.insert(word);
        }
    }
    for (const std::string& word : missing) ADD_FAILURE() << word << " has no \"" << word << " (\"";
}

// The bundled file lists entries by English text ignoring letter case, so a headword comes before
// its compounds in every search.
TEST(DictionarySourcesTest, TheBundledFileIsInEnglishOrder) {
    CDictStore store;
    store.LoadFile(GDICT_BIN_DIR "/" GDICT_DICTIONARY_NAME);
    // Among the renderings of one headword, the standard term comes before a shop-floor word, so
    // that the first rendering a user (or gdict translate) meets is the one to write.
    const std::string shopFloorMark = *mbcs::FromUtf8("（车间用语）");
    std::string previous;
    bool shopFloorSeen = false;
    for (const CDictEntry& entry : store.entries()) {
        std::string folded(entry.english);
        mbcs::FoldToLower(folded);
        ASSERT_LE(previous, folded) << mbcs::ToUtf8(entry.english);
        const bool shopFloor = entry.chinese.find(shopFloorMark) != std::string_view::npos;
        if (folded != previous) shopFloorSeen = false;
        EXPECT_FALSE(shopFloorSeen && !shopFloor)
            << mbcs::ToUtf8(entry.english) << ": " << mbcs::ToUtf8(entry.chinese)
            << " comes after the shop-floor word";
        shopFloorSeen = shopFloorSeen || shopFloor;
        previous = std::move(folded);
    }
    for (const char* headword : {"pocket", "zip", "waist", "collar", "hem"}) {
        const CResultList results = store.Search(headword);
        ASSERT_FALSE(results.empty()) << headword;
        EXPECT_EQ(results.front()->english, headword);
    }
}

}  // namespace
