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

struct SourceEntry {
    std::string where;  // file name and line number
    std::string english;
    std::string chinese;  // empty when the line has no TAB
};

// Every entry line of every source file.
std::vector<SourceEntry> SourceEntries() {
    std::vector<SourceEntry> entries;
    for (const std::filesystem::path& file : SourceFiles()) {
        std::ifstream in(file, std::ios::binary);
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            if (line.empty() || line[0] == '#') continue;
            const std::size_t tab = line.find('\t');
            entries.push_back({file.filename().string() + ":" + std::to_string(number),
                               line.substr(0, tab),
                               tab == std::string::npos ? std::string() : line.substr(tab + 1)});
        }
    }
    return entries;
}

// The English text of every entry line of every source file.
std::vector<std::string> EnglishTexts() {
    std::vector<std::string> texts;
    for (SourceEntry& entry : SourceEntries()) texts.push_back(std::move(entry.english));
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

// The sense labels of data/README.md. A note may also be a short free label or the abbreviation
// that the English text spells out.
constexpr std::string_view kSenseLabels[] = {
    "成本", "长度",   "贸易", "单证", "付款", "合同", "物流", "海关",    "认证",
    "审核", "化学品", "纤维", "纱线", "面料", "针织", "梭织", "缝制",    "印染",
    "整理", "检验",   "测试", "疵点", "部位", "尺码", "颜色", "童装",    "婴儿",
    "鞋",   "箱包",   "皮革", "文胸", "内衣", "袜子", "塑料", "车间用语"};
constexpr std::size_t kFreeLabelMaxCharacters = 6;

std::size_t Utf8Characters(std::string_view text) {
    return std::count_if(text.begin(), text.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

bool IsAbbreviationNote(std::string_view note) {
    return note.find_first_not_of(
               "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789/&.'%-") ==
           std::string_view::npos;
}

// What is wrong with the note of an entry's Chinese text, or an empty text when nothing is: at most
// one full-width bracket pair, closing the text, holding a sense label, a free label of at most six
// characters without a separator, or an abbreviation found in the English text.
std::string NoteProblem(std::string_view english, std::string_view chinese) {
    constexpr std::string_view open = "（";
    constexpr std::string_view close = "）";
    if (chinese.find_first_of("()") != std::string_view::npos) return "half-width bracket";
    const std::size_t start = chinese.find(open);
    const std::size_t end = chinese.find(close);
    if (start == std::string_view::npos && end == std::string_view::npos) return "";
    if (start == std::string_view::npos || end != chinese.size() - close.size() || end < start ||
        chinese.find(open, start + 1) != std::string_view::npos ||
        chinese.find(close, start) != end) {
        return "a note only at the end, in one pair of full-width brackets";
    }
    const std::string_view note = chinese.substr(start + open.size(), end - start - open.size());
    if (note.empty()) return "empty note";
    if (IsAbbreviationNote(note)) {
        return english.find(note) == std::string_view::npos ? "abbreviation not in the English"
                                                            : "";
    }
    if (std::find(std::begin(kSenseLabels), std::end(kSenseLabels), note) != std::end(kSenseLabels))
        return "";
    for (std::string_view separator : {" ", "、", "，", "；", "：", "/", "|"}) {
        if (note.find(separator) != std::string_view::npos) return "separator in the note";
    }
    return Utf8Characters(note) > kFreeLabelMaxCharacters ? "free label too long" : "";
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

// A note tells senses apart (CM: 加工费（成本）, 厘米（长度）), marks a shop-floor word or repeats
// the abbreviation; it closes the Chinese text, so a search and a reader meet the term first.
TEST(DictionarySourcesTest, NotesCloseTheChineseText) {
    const struct {
        const char* english;
        const char* chinese;
        bool fine;
    } cases[] = {
        {"CM", "加工费（成本）", true},
        {"armhole", "夹圈（车间用语）", true},
        {"wing", "侧比（文胸）", true},
        {"ISO 105-C06", "耐洗色牢度（试验通则）", true},
        {"WIP (work in progress)", "在制品（WIP）", true},
        {"75D/72F (75 denier, 72 filaments)", "75旦72孔（75D/72F）", true},
        {"shirt", "衬衫", true},
        {"WIP (work in progress)", "在制品（QC）", false},
        {"DEHP", "邻苯二甲酸二（2-乙基己基）酯", false},
        {"CM", "加工费（成本）（贸易）", false},
        {"CM", "加工费(成本)", false},
        {"CM", "（成本）加工费", false},
        {"CM", "加工费（）", false},
        {"CM", "加工费（成本、贸易）", false},
        {"ISO 12945-2", "起毛起球（改型马丁代尔法）", false},
        {"CM", "加工费）（成本", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NoteProblem(c.english, c.chinese).empty(), c.fine)
            << c.english << " " << c.chinese;
    }
    for (const SourceEntry& entry : SourceEntries()) {
        const std::string problem = NoteProblem(entry.english, entry.chinese);
        EXPECT_TRUE(problem.empty()) << entry.where << ": " << entry.chinese << ": " << problem;
    }
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
