// The store's search against the plain way of doing it, over random stores of code page 936
// texts.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dictionary/dict_store.h"
#include "tests/support/dict_file_builder.h"
#include "tests/support/plain_search.h"
#include "tests/support/random_cp936.h"
#include "tests/support/temp_dir.h"

namespace {

using plainsearch::PlainSearch;
using plainsearch::StoreSearch;

// An English text holds no bar and does not end in a lone lead byte, either of which would
// move the separator that follows it in the record.
std::string RandomEnglish(std::mt19937& random) {
    std::string text;
    for (std::size_t n = random() % 12; n > 0; --n) {
        const std::string_view character =
            kRandomCp936Characters[random() % std::size(kRandomCp936Characters)];
        if (character != "|") text += character;
    }
    return text;
}

// A query: most often a piece of a text of the store, with its letters' case changed at
// random, so that it is found; otherwise random characters, a zero byte or nothing.
std::string RandomQuery(std::mt19937& random, const std::vector<std::string>& texts) {
    switch (random() % 10) {
        case 0:
            return RandomCp936Text(random, 3);
        case 1:
            return random() % 2 ? std::string("a\0b", 3) : "";
        default: {
            const std::string& text = texts[random() % texts.size()];
            if (text.empty()) return "b";
            const std::size_t start = random() % text.size();
            std::string query = text.substr(start, 1 + random() % 6);
            for (char& c : query) {
                if (random() % 2 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            }
            return query;
        }
    }
}

TEST(SearchModelTest, FindsWhatFoldingAndSearchingEveryTextFinds) {
    TempDir dir;
    std::mt19937 random(17);
    for (int store = 0; store < 6; ++store) {
        std::vector<std::string> texts;
        const int entries = store == 0 ? 1 : 250 + static_cast<int>(random() % 250);
        DictFileBuilder file;
        file.Count(entries);
        for (int i = 0; i < entries; ++i) {
            texts.push_back(RandomEnglish(random));
            texts.push_back(RandomCp936Text(random, 10));
            file.Pair(texts[texts.size() - 2], texts.back());
        }
        const auto path = dir / ("store" + std::to_string(store) + ".dat");
        file.WriteTo(path);
        CDictStore loaded;
        loaded.LoadFile(path.string());
        ASSERT_EQ(loaded.size(), static_cast<std::size_t>(entries));
        for (int i = 0; i < entries; ++i) {
            ASSERT_EQ(loaded.entries()[i].english, texts[2 * i]) << i;
            ASSERT_EQ(loaded.entries()[i].chinese, texts[2 * i + 1]) << i;
        }
        for (int n = 0; n < 1000; ++n) {
            const std::string query = RandomQuery(random, texts);
            ASSERT_EQ(StoreSearch(loaded, query), PlainSearch(loaded, query))
                << "store " << store << " query " << ::testing::PrintToString(query);
        }
    }
}

}  // namespace
