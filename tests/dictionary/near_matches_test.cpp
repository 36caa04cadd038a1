// Near matches of a search text that found nothing: English by edit distance, Chinese by shared
// characters, best first, each headword once.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dictionary/dict_store.h"
#include "dictionary/near_matches.h"
#include "tests/support/dict_file_builder.h"
#include "tests/support/temp_dir.h"
#include "text/mbcs.h"

namespace {

using Texts = std::vector<std::string>;

std::string Cp936(std::string_view utf8) {
    return mbcs::FromUtf8(utf8).value();
}

class NearMatchesTest : public ::testing::Test {
protected:
    // pairs in UTF-8.
    void Load(const std::vector<std::pair<std::string, std::string>>& pairs) {
        DictFileBuilder file;
        file.Count(static_cast<std::int32_t>(pairs.size()));
        for (const auto& [english, chinese] : pairs) file.Pair(Cp936(english), Cp936(chinese));
        file.WriteTo(m_dir / "near.dat");
        m_store.LoadFile((m_dir / "near.dat").string());
    }
    // The headwords of the near matches of query (both in UTF-8), best first.
    Texts Near(std::string_view query, std::size_t maxCount = 8) const {
        Texts headwords;
        for (const CNearMatch& match : FindNearMatches(m_store, Cp936(query), maxCount)) {
            headwords.push_back(mbcs::ToUtf8(match.headword));
        }
        return headwords;
    }

    TempDir m_dir;
    CDictStore m_store;
};

const std::vector<std::pair<std::string, std::string>> kGarments = {
    {"pocket", "口袋"},      {"Pocket", "口袋"}, {"pocket flap", "袋盖"},
    {"packet", "小包"},      {"cuff", "袖口"},   {"collar", "领子"},
    {"interlining", "衬布"}, {"shirt", "衬衫"},  {"dress shirt", "礼服衬衫"},
    {"", "衬衫衬衫"},        {"flap", "袋盖"},
};

TEST_F(NearMatchesTest, EnglishQueriesFindHeadwordsWithinTheirEditDistance) {
    Load(kGarments);
    const struct {
        const char* query;
        Texts expected;
    } cases[] = {
        // One letter too many, then "packet" two edits away; "Pocket" is "pocket" again.
        {"pockett", {"pocket", "packet"}},
        {"POCKETT", {"pocket", "packet"}},
        {"  pockett ", {"pocket", "packet"}},
        {"pocet", {"pocket", "packet"}},   // a letter missing
        {"pokcet", {"pocket", "packet"}},  // two letters swapped, one edit
        {"cfuf", {"cuff"}},                // a swap is one edit even where only one is allowed
        {"pecket", {"pocket", "packet"}},  // equally close: file order
        {"cuxx", {}},                      // two edits from "cuff", one is allowed at 4 letters
        {"collarss", {"collar"}},          // two edits allowed from 5 letters up
        {"interlinnig", {"interlining"}},  // a swap and more room from 9 letters up
        {"interlxxxngs", {}},              // four edits
        {"qqqqqqq", {}},
        {"   ", {}},
    };
    for (const auto& [query, expected] : cases) {
        EXPECT_EQ(Near(query), expected) << query;
    }
    EXPECT_EQ(Near("pecket", 1), (Texts{"pocket"}));
    EXPECT_EQ(Near("pecket", 0), Texts{});
}

TEST_F(NearMatchesTest, ChineseQueriesFindHeadwordsSharingTheMostCharacters) {
    Load(kGarments);
    const struct {
        const char* query;
        Texts expected;
    } cases[] = {
        // Two of three characters shared; the one with no other characters first.
        {"衬衫裙", {"衬衫", "衬衫衬衫", "礼服衬衫"}},
        // "口袋" twice in the file, given once; then "袋盖"; "袖口" shares one of three.
        {"口袋盖", {"口袋", "袋盖"}},
        {"袋盖口", {"口袋", "袋盖"}},
        {"袖扣", {"袖口"}},  // one of two is enough
        {"鞋", {}},
        {"T衬衫", {"衬衫", "衬衫衬衫", "礼服衬衫"}},  // a Latin letter first: still Chinese
    };
    for (const auto& [query, expected] : cases) {
        EXPECT_EQ(Near(query), expected) << query;
    }
}

TEST_F(NearMatchesTest, AQueryOfWordsFirstOffersTheHeadwordsHoldingThemAll) {
    Load({{"cotton woven fabric", "棉梭织布"},
          {"cotton", "棉"},
          {"fabric weight", "克重"},
          {"organic cotton knit fabric", "有机棉针织布"},
          {"fabrics of cotton", "棉布"},
          {"cotton fabrc", "棉布"},
          {"colour fastness", "色牢度"}});
    const struct {
        const char* query;
        Texts expected;
    } cases[] = {
        // The ranked search of the first word in its order, then the near ones by edit distance.
        {"cotton fabric",
         {"cotton woven fabric", "organic cotton knit fabric", "fabrics of cotton",
          "cotton fabrc"}},
        {"FABRIC  cotton",
         {"fabrics of cotton", "cotton woven fabric", "organic cotton knit fabric"}},
        // Another form of a word will do: a singular, another spelling.
        {"cotton fabrics",
         {"cotton woven fabric", "organic cotton knit fabric", "fabrics of cotton",
          "cotton fabrc"}},
        {"color fastness", {"colour fastness"}},
        {"linen fabric", {}},
    };
    for (const auto& [query, expected] : cases) {
        EXPECT_EQ(Near(query), expected) << query;
    }
    EXPECT_EQ(Near("cotton fabric", 2),
              (Texts{"cotton woven fabric", "organic cotton knit fabric"}));
}

TEST_F(NearMatchesTest, MatchesPointIntoTheStore) {
    Load(kGarments);
    const std::vector<CNearMatch> matches = FindNearMatches(m_store, "pockett", 5);
    ASSERT_EQ(matches.size(), 2u);
    EXPECT_EQ(matches[0].entry, &m_store.entries()[0]);
    EXPECT_EQ(matches[1].entry, &m_store.entries()[3]);
    EXPECT_EQ(matches[0].headword.data(), m_store.entries()[0].english.data());
}

// The optimal string alignment distance, computed in full.
std::size_t FullDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min(
                {d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

TEST_F(NearMatchesTest, EnglishOrderAgreesWithTheFullDistance) {
    // Random small-alphabet texts, so that many lie within reach of each other.
    std::mt19937 random(13);
    const auto randomText = [&](std::size_t maxLength) {
        std::string text(1 + random() % maxLength, 'a');
        for (char& c : text) c = "abcd"[random() % 4];
        return text;
    };
    std::vector<std::pair<std::string, std::string>> pairs;
    for (int i = 0; i < 1500; ++i) pairs.emplace_back(randomText(14), "");
    Load(pairs);
    for (int i = 0; i < 300; ++i) {
        const std::string query = randomText(14);
        const std::size_t bound = query.size() <= 4 ? 1 : query.size() <= 8 ? 2 : 3;
        std::vector<std::pair<std::size_t, std::size_t>> ranked;  // distance, file position
        for (std::size_t index = 0; index < pairs.size(); ++index) {
            const std::size_t distance = FullDistance(query, pairs[index].first);
            if (distance <= bound) ranked.emplace_back(distance, index);
        }
        std::sort(ranked.begin(), ranked.end());
        Texts expected;
        for (const auto& [distance, index] : ranked) {
            if (std::find(expected.begin(), expected.end(), pairs[index].first) == expected.end())
                expected.push_back(pairs[index].first);
        }
        ASSERT_EQ(Near(query, pairs.size()), expected) << query;
    }
}

}  // namespace
