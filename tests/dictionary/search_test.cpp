// Word search: result order, case folding and character boundaries.
#include <random>

#include <gtest/gtest.h>

#include "dictionary/dict_store.h"
#include "dictionary/folded_query.h"
#include "tests/support/dict_file_builder.h"
#include "tests/support/temp_dir.h"
#include "text/mbcs.h"

namespace {

class SearchTest : public ::testing::Test {
protected:
    void Load(const std::vector<std::pair<std::string, std::string>>& pairs) {
        DictFileBuilder file;
        file.Count(static_cast<std::int32_t>(pairs.size()));
        for (const auto& [english, chinese] : pairs) file.Pair(english, chinese);
        file.WriteTo(m_dir / "search.dat");
        m_store.LoadFile((m_dir / "search.dat").string());
    }
    // The English texts of the results, in result order.
    std::vector<std::string> Find(std::string_view query) const {
        std::vector<std::string> found;
        for (const CDictEntry* entry : m_store.Search(query)) found.emplace_back(entry->english);
        return found;
    }

    TempDir m_dir;
    CDictStore m_store;
};

using Texts = std::vector<std::string>;

TEST_F(SearchTest, EntriesThatBeginWithTheQueryComeFirst) {
    Load({{"A dress shirt", ""}, {"shirt collar", ""}, {"collar", ""}, {"shirting", ""}});
    EXPECT_EQ(Find("shirt"), (Texts{"shirt collar", "shirting", "A dress shirt"}));
}

TEST_F(SearchTest, EitherTextBeginningWithTheQueryPutsTheEntryInFront) {
    Load({{"abcshirt", ""},              // English at 3, no Chinese match: back
          {"a shirt", "shirt cloth"},    // English further in, Chinese at start: front
          {"shirt", ""},                 // English at start: front
          {"top", "x shirt"},            // Chinese further in only: back
          {"tee", "shirt"},              // Chinese at start only: front
          {"dress shirt", "x shirt"}});  // both further in: back
    EXPECT_EQ(Find("shirt"), (Texts{"a shirt", "shirt", "tee", "abcshirt", "top", "dress shirt"}));
}

TEST_F(SearchTest, ChineseQueryFindsChineseTexts) {
    // "衬衫" (shirt) and "男衬衫" (men's shirt).
    Load({{"men's shirt", "\xC4\xD0\xB3\xC4\xC9\xC0"}, {"shirt", "\xB3\xC4\xC9\xC0"}});
    EXPECT_EQ(Find("\xB3\xC4\xC9\xC0"), (Texts{"shirt", "men's shirt"}));
}

TEST_F(SearchTest, IgnoresLetterCaseAndKeepsTheStoredCase) {
    Load({{"polo shirt", ""}, {"GSM", "\xBF\xCB\xD6\xD8"}, {"T-Shirt", ""}});
    EXPECT_EQ(Find("POLO"), (Texts{"polo shirt"}));
    EXPECT_EQ(Find("gsm"), (Texts{"GSM"}));
    EXPECT_EQ(Find("SHIRT"), (Texts{"polo shirt", "T-Shirt"}));
}

TEST_F(SearchTest, FoldsFullWidthLetters) {
    // "ＡＢＣ" (full-width capitals) and "ａｂｃ" (full-width small letters).
    const std::string capitals = "\xA3\xC1\xA3\xC2\xA3\xC3";
    const std::string small = "\xA3\xE1\xA3\xE2\xA3\xE3";
    Load({{"full width", capitals}, {"small", small}, {"ascii", "abc"}});
    EXPECT_EQ(Find(small), (Texts{"full width", "small"}));
    EXPECT_EQ(Find(capitals), (Texts{"full width", "small"}));
    EXPECT_EQ(Find("ABC"), (Texts{"ascii"}));
}

TEST_F(SearchTest, SpacesArePartOfTheQuery) {
    Load({{"shirt", ""}, {"dress shirt", ""}});
    EXPECT_EQ(Find(" shirt"), (Texts{"dress shirt"}));
}

TEST_F(SearchTest, ChineseQueryIsNotFoundAcrossACharacterBoundary) {
    // "衬衫" is B3 C4 C9 C0; C4 C9 is a character of its own that straddles the two.
    Load({{"shirt", "\xB3\xC4\xC9\xC0"}, {"other", "\xC4\xC9"}});
    EXPECT_EQ(Find("\xC4\xC9"), (Texts{"other"}));
}

TEST_F(SearchTest, EmptyQueryFindsEverythingInFileOrder) {
    Load({{"b", ""}, {"", ""}, {"a", ""}});
    EXPECT_EQ(Find(""), (Texts{"b", "", "a"}));
}

TEST_F(SearchTest, EmptyTextsAndEmptyStoreFindNothing) {
    EXPECT_TRUE(Find("a").empty());
    Load({{"", ""}});
    EXPECT_TRUE(Find("a").empty());
    EXPECT_TRUE(Find("|").empty());
}

TEST(FoldedQueryTest, AgreesWithSearchingAFoldedCopy) {
    // Random texts from bytes that matter: letters of both cases, bars, lead bytes, trail bytes
    // that look like letters or bars, and full-width letters.
    const std::string alphabet = "aAbB|| \x81\x7C\xA3\xC1\xE1\xB3\xC4\xC9\xC0\x41\xFE";
    std::mt19937 random(7);
    const auto randomText = [&](std::size_t maxLength) {
        std::string text(random() % (maxLength + 1), ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        return text;
    };
    for (int i = 0; i < 200000; ++i) {
        const std::string text = randomText(40);
        const std::string query = randomText(4);
        std::string foldedText = text;
        std::string foldedQuery = query;
        mbcs::FoldToLower(foldedText);
        mbcs::FoldToLower(foldedQuery);
        const FoldedQuery folded(query);
        const std::size_t expected = mbcs::FindOnBoundary(foldedText, foldedQuery);
        ASSERT_EQ(folded.FindIn(text), expected) << "text " << ::testing::PrintToString(text)
                                                 << " query " << ::testing::PrintToString(query);
        ASSERT_EQ(folded.StartsIn(text), expected == 0);
    }
}

}  // namespace
