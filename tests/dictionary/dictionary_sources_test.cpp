// The dictionary sources in data/: every line a clean pair that the build can store.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dictionary/dict_store.h"
#include "platform/mbcs.h"

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
    EXPECT_GE(entries, 3000u);
}

// The bundled file lists entries by English text ignoring letter case, so a headword comes before
// its compounds in every search.
TEST(DictionarySourcesTest, TheBundledFileIsInEnglishOrder) {
    CDictStore store;
    store.LoadFile(GDICT_BIN_DIR "/" GDICT_DICTIONARY_NAME);
    std::string previous;
    for (const CDictEntry& entry : store.entries()) {
        std::string folded(entry.english);
        mbcs::FoldToLower(folded);
        ASSERT_LE(previous, folded) << mbcs::ToUtf8(entry.english);
        previous = std::move(folded);
    }
    for (const char* headword : {"pocket", "zip", "waist", "collar", "hem"}) {
        const CResultList results = store.Search(headword);
        ASSERT_FALSE(results.empty()) << headword;
        EXPECT_EQ(results.front()->english, headword);
    }
}

}  // namespace
