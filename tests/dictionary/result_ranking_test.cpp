// The ranking of search results: the groups and their order for English and Chinese queries,
// trailing notes, other forms of a query, the user's own terms, and linear work.
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dictionary/dict_store.h"
#include "dictionary/result_ranking.h"
#include "text/mbcs.h"
#include "tests/support/dict_file_builder.h"
#include "tests/support/temp_dir.h"

namespace {

using Texts = std::vector<std::string>;
using Pairs = std::vector<std::pair<std::string, std::string>>;

std::string Cp936(std::string_view utf8) {
    return mbcs::FromUtf8(utf8).value();
}

// pairs in UTF-8, in file order.
void Load(CDictStore& store, const TempDir& dir, const char* name, const Pairs& pairs) {
    DictFileBuilder file;
    file.Count(static_cast<std::int32_t>(pairs.size()));
    for (const auto& [english, chinese] : pairs) file.Pair(Cp936(english), Cp936(chinese));
    file.WriteTo(dir / name);
    store.LoadFile((dir / name).string());
}

const Pairs kDictionary = {
    {"A dress shirt", "礼服衬衫"},
    {"chain of zip teeth", "拉链牙链条"},
    {"DTY (draw textured yarn)", "低弹丝（DTY）"},
    {"DTY", "低弹丝"},
    {"full-grain leather", "全粒面皮"},
    {"grey marl", "麻灰"},
    {"invisible zipper", "隐形拉链"},
    {"knit shirt", "针织衫"},
    {"overlock", "拷边（车间用语）"},
    {"overlock stitch", "拷边线（车间用语）"},
    {"overlocked seam", "拷边缝"},
    {"Shirt", "衬衫"},
    {"shirt", "衬衣"},
    {"shirt collar", "衬衫领"},
    {"shirting", "衬衫布"},
    {"slider", "拉链头"},
    {"T-shirt", "T恤"},
    {"T-shirts", "T恤衫"},
    {"zip", "拉链"},
    {"zipper", "拉链（车间用语）"},
    {"zipper strength test", "拉链强力测试"},
};

class RankingTest : public ::testing::Test {
protected:
    void SetUp() override { Load(m_store, m_dir, "ranking.dat", kDictionary); }

    // The English texts of the ranked rows of query (UTF-8), in result order.
    Texts Ranked(std::string_view query, const CDictStore* own = nullptr) const {
        Texts found;
        for (const CRankedRow& row : SearchRanked(m_store, own, Cp936(query)).rows) {
            found.push_back(mbcs::ToUtf8(row.entry->english) + (row.ownTerm ? " (own)" : ""));
        }
        return found;
    }

    TempDir m_dir;
    CDictStore m_store;
};

TEST_F(RankingTest, ExactThenPrefixThenTheRest) {
    const struct {
        const char* query;
        Texts expected;
    } cases[] = {
        // English ignores case; equal texts and prefixes in file order.
        {"SHIRT",
         {"Shirt", "shirt", "shirt collar", "shirting", "A dress shirt", "knit shirt", "T-shirt",
          "T-shirts"}},
        {"zip",
         {"zip", "zipper", "zipper strength test", "chain of zip teeth", "invisible zipper"}},
        // Chinese: the equal text, the one equal but for its note, then the shorter texts first.
        {"拉链",
         {"zip", "zipper", "slider", "chain of zip teeth", "zipper strength test",
          "invisible zipper"}},
        // A note is ignored; equal lengths of the term keep file order.
        {"拷边", {"overlock", "overlock stitch", "overlocked seam"}},
        // The text as typed before the one that equals it only without its note.
        {"dty", {"DTY", "DTY (draw textured yarn)"}},
        {"低弹丝", {"DTY", "DTY (draw textured yarn)"}},
        {"DTY (draw textured yarn)", {"DTY (draw textured yarn)"}},
        // Forms: the query's own rows first within each group, then those of its forms.
        {"shirts",
         {"Shirt", "shirt", "shirt collar", "T-shirts", "A dress shirt", "knit shirt", "T-shirt"}},
        {"t shirt", {"T-shirt", "T-shirts", "knit shirt"}},
        {"gray marl", {"grey marl"}},
        {"full grain leather", {"full-grain leather"}},
        {"zippers", {"zipper", "zipper strength test", "invisible zipper"}},
        {"qqq", {}},
    };
    for (const auto& [query, expected] : cases) {
        EXPECT_EQ(Ranked(query), expected) << query;
    }
}

TEST_F(RankingTest, RowsTellTheFormThatFoundThemAndTheOwnTerms) {
    CDictStore own;
    Load(own, m_dir, "own.dat", {{"shirt", "公司衬衫"}, {"shirt tail", "衬衫下摆"}});
    EXPECT_EQ(Ranked("shirt", &own),
              (Texts{"shirt (own)", "Shirt", "shirt", "shirt tail (own)", "shirt collar",
                     "shirting", "A dress shirt", "knit shirt", "T-shirt", "T-shirts"}));

    const CRankedResults ranked = SearchRanked(m_store, &own, Cp936("t shirts"));
    ASSERT_EQ(ranked.rows.size(), 3u);
    EXPECT_EQ(ranked.rows[0].entry->english, "T-shirts");
    EXPECT_EQ(ranked.FormOf(ranked.rows[0]), "t-shirts");
    EXPECT_EQ(ranked.rows[1].entry->english, "T-shirt");
    EXPECT_EQ(ranked.FormOf(ranked.rows[1]), "t-shirt");
    EXPECT_EQ(ranked.rows[1].group, CMatchGroup::exact);
    EXPECT_EQ(ranked.FormOf(ranked.rows[2]), "t shirt");  // "knit shirt", through the singular
    EXPECT_EQ(ranked.rows[2].group, CMatchGroup::inside);
    EXPECT_FALSE(ranked.rows[2].ownTerm);
}

TEST_F(RankingTest, AnEmptyQueryFindsEveryEntryInFileOrder) {
    const CRankedResults ranked = SearchRanked(m_store, nullptr, "");
    ASSERT_EQ(ranked.rows.size(), kDictionary.size());
    for (std::size_t i = 0; i < ranked.rows.size(); ++i) {
        EXPECT_EQ(ranked.rows[i].entry, &m_store.entries()[i]);
    }
}

TEST(IsChineseQueryTest, ChineseCharactersButNotSymbolsOrAccentedLetters) {
    EXPECT_TRUE(IsChineseQuery(Cp936("衬衫")));
    EXPECT_TRUE(IsChineseQuery(Cp936("T恤")));
    EXPECT_FALSE(IsChineseQuery(Cp936("machine wash 30°C")));
    EXPECT_FALSE(IsChineseQuery(Cp936("barré")));
    EXPECT_FALSE(IsChineseQuery(Cp936("ＧＳＭ")));
    EXPECT_FALSE(IsChineseQuery("shirt"));
}

// Many results, forms that find the same entries and long Chinese texts: work linear in the
// results (quadratic work would take minutes at this size).
TEST(RankResultsTest, ManyResultsOfManyFormsInLinearTime) {
    constexpr std::size_t kEntries = 300'000;
    const std::string shirt = Cp936("衬衫");
    std::vector<std::string> chinese;
    for (std::size_t i = 0; i < kEntries; ++i) {
        // Lengths from 2 to about 100,000 characters: sorting them takes three counting passes.
        chinese.push_back(shirt + std::string(i % 1000 == 0 ? 70'000 + i / 10 : i % 5, 'x'));
    }
    std::vector<CDictEntry> entries(kEntries);
    CResultList all;
    for (std::size_t i = 0; i < kEntries; ++i) {
        entries[i].english = "entry";
        entries[i].chinese = chinese[i];
        all.push_back(&entries[i]);
    }
    std::vector<CFormResults> forms;
    for (int form = 0; form < 4; ++form) forms.push_back({shirt, {&all}, {}, false});
    const std::vector<CRankedRow> rows = RankResults(forms, true);
    ASSERT_EQ(rows.size(), kEntries);
    std::set<const CDictEntry*> seen;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].form, 0u);
        seen.insert(rows[i].entry);
        if (i > 0) {
            const std::size_t before = rows[i - 1].entry->chinese.size();
            const std::size_t length = rows[i].entry->chinese.size();
            ASSERT_TRUE(before < length || (before == length && rows[i - 1].entry < rows[i].entry))
                << i;
        }
    }
    EXPECT_EQ(seen.size(), kEntries);
    EXPECT_EQ(rows[0].group, CMatchGroup::exact);
    EXPECT_EQ(rows.back().group, CMatchGroup::prefix);
}

// Over the bundled dictionary, the search for each distinct text of it shows an entry that holds
// that text first.
TEST(BundledRankingTest, EveryTextOfTheDictionaryFindsItsEntryFirst) {
    CDictStore store;
    store.LoadFile(GDICT_BIN_DIR "/" GDICT_DICTIONARY_NAME);
    ASSERT_GT(store.size(), 10'000u);
    std::set<std::string> english;
    std::set<std::string> chinese;
    for (const CDictEntry& entry : store.entries()) {
        if (!entry.english.empty()) english.emplace(entry.english);
        if (!entry.chinese.empty()) chinese.emplace(entry.chinese);
    }
    const auto folded = [](std::string_view text) {
        std::string copy(text);
        mbcs::FoldToLower(copy);
        return copy;
    };
    for (const std::string& text : chinese) {
        const CRankedResults ranked = SearchRanked(store, nullptr, text);
        ASSERT_FALSE(ranked.rows.empty());
        EXPECT_EQ(ranked.rows[0].entry->chinese, text) << mbcs::ToUtf8(text);
    }
    for (const std::string& text : english) {
        const CRankedResults ranked = SearchRanked(store, nullptr, text);
        ASSERT_FALSE(ranked.rows.empty());
        EXPECT_EQ(folded(ranked.rows[0].entry->english), folded(text)) << text;
    }
}

}  // namespace
