// The other forms of an English query: number, British and American spelling, separators.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dictionary/word_forms.h"

namespace {

using Texts = std::vector<std::string>;

// The forms of query, a stripped ending marked with a star.
Texts Forms(std::string_view query) {
    Texts forms;
    for (const CWordForm& form : WordForms(query)) {
        forms.push_back(form.text + (form.endsWord ? "*" : ""));
    }
    return forms;
}

TEST(WordFormsTest, FormsOfTheTradesWords) {
    const struct {
        const char* query;
        Texts expected;
    } cases[] = {
        // The number of the last word, both ways, in the query's letter case.
        {"shirts", {"shirt*"}},
        {"Shirts", {"Shirt*"}},
        {"boxes", {"box*"}},
        {"sizes", {"size*"}},
        {"dresses", {"dress*"}},
        {"accessories", {"accessory"}},
        {"accessory", {"accessories"}},
        {"ties", {"tie*"}},
        {"box", {"boxes"}},
        {"women", {"woman"}},
        {"specimen", {"specimens"}},
        {"calf", {"calves"}},
        {"shorts", {}},
        {"lens", {}},
        {"men's", {}},
        {"mercerised", {"mercerized"}},
        {"SPI", {}},
        // British and American spellings, every word at once.
        {"colour", {"colours", "color", "colors"}},
        {"COLOR", {"COLORS", "COLOUR", "COLOURS"}},
        {"grey", {"greys", "gray", "grays"}},
        {"fibre", {"fibres", "fiber", "fibers"}},
        {"centred", {"centered"}},
        {"catalogue", {"catalogues", "catalog", "catalogs"}},
        {"catalog", {"catalogs", "catalogue", "catalogues"}},
        {"fulfil", {"fulfils", "fulfill", "fulfills"}},
        {"labelling", {"labellings", "labeling", "labelings"}},
        {"labeled", {"labelled"}},
        {"analysed", {"analyzed"}},
        {"vulcanized", {"vulcanised"}},
        {"jewelry", {"jewelries", "jewellery"}},
        {"pyjamas", {"pyjama*", "pajamas", "pajama*"}},
        {"oversized", {}},
        {"merchandise", {"merchandises"}},
        {"selling", {"sellings"}},
        {"packaging", {"packagings"}},
        {"laboratory", {"laboratories"}},
        // Separators: one turned into the other and, between letters, nothing; more turned one
        // at a time, then all together.
        {"t shirt", {"t shirts", "t-shirt", "tshirt", "t-shirts", "tshirts"}},
        {"T-shirt", {"T-shirts", "T shirt", "Tshirt", "T shirts", "Tshirts"}},
        {"10 gauge", {"10 gauges", "10-gauge", "10-gauges"}},
        {"hook and loop",
         {"hook and loops", "hook-and loop", "hook and-loop", "hook-and-loop", "hook-and loops",
          "hook and-loops"}},
        {"grey marl",
         {"grey marls", "gray marl", "grey-marl", "greymarl", "gray marls", "grey-marls"}},
        // No forms for Chinese text or text without words.
        {"\xB3\xC4\xC9\xC0", {}},
        {"200", {}},
        {"", {}},
    };
    for (const auto& [query, expected] : cases) {
        EXPECT_EQ(Forms(query), expected) << query;
    }
}

TEST(WordFormsTest, AtMostAHandfulEachOnce) {
    const std::vector<CWordForm> forms = WordForms("grey colour t shirt with cotton fibre trims");
    EXPECT_EQ(forms.size(), kMaxWordForms);
    for (std::size_t i = 0; i < forms.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) EXPECT_NE(forms[i].text, forms[j].text);
    }
}

}  // namespace
