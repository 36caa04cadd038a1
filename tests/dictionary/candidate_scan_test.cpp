// The candidate scan: the vector path against the portable path and against the plain
// definition, on random code page 936 texts with the zero bytes that end a store's texts.
#include "dictionary/candidate_scan.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/random_cp936.h"

namespace {

using candidatescan::BasicScan;
using candidatescan::Pattern;
using candidatescan::PortableBlocks;

// A store's texts in miniature: random texts, each followed by a zero byte.
std::string RandomTexts(std::mt19937& random) {
    std::string texts;
    for (int n = static_cast<int>(random() % 12); n >= 0; --n) {
        texts += RandomCp936Text(random, 40);
        texts += '\0';
    }
    return texts;
}

// A pattern from bytes that occur in texts (or not), paired or not.
Pattern RandomPattern(std::mt19937& random, const std::string& texts) {
    const auto byte = [&]() -> unsigned char {
        return random() % 4 == 0 ? static_cast<unsigned char>(random())
                                 : static_cast<unsigned char>(texts[random() % texts.size()]);
    };
    Pattern pattern{{byte(), byte()}};
    pattern.pair = random() % 2 == 0;
    pattern.second[0] = byte();
    pattern.second[1] = byte();
    return pattern;
}

bool IsCandidate(const char* p, const Pattern& pattern) {
    const auto either = [](char c, const unsigned char(&values)[2]) {
        return static_cast<unsigned char>(c) == values[0] ||
               static_cast<unsigned char>(c) == values[1];
    };
    return either(p[0], pattern.first) && (!pattern.pair || either(p[1], pattern.second));
}

// Skips: after the candidate with number afterCandidate (from 1), go on from place `to`.
struct Skip {
    std::size_t afterCandidate;
    std::size_t to;
};
// Where to go on after the found.size()-th candidate at p, or p + 1.
const char* GoOn(const std::vector<const char*>& found, const char* from,
                 const std::vector<Skip>& skips) {
    const char* next = found.back() + 1;
    for (const Skip& skip : skips) {
        if (skip.afterCandidate == found.size()) next = std::max(next, from + skip.to);
    }
    return next;
}
// The candidates of [from, end) as scan finds them, skipping as told.
template <class Scan>
std::vector<const char*> Candidates(Scan scan, const char* from, const char* end,
                                    const std::vector<Skip>& skips) {
    std::vector<const char*> found;
    for (const char* p = scan.Next(); p != end; p = scan.Next()) {
        found.push_back(p);
        if (const char* next = GoOn(found, from, skips); next > p + 1) scan.SkipTo(next);
    }
    return found;
}
// The same, place by place.
std::vector<const char*> PlainCandidates(const char* from, const char* end, const Pattern& pattern,
                                         const std::vector<Skip>& skips) {
    std::vector<const char*> found;
    for (const char* p = from; p < end;) {
        if (!IsCandidate(p, pattern)) {
            ++p;
            continue;
        }
        found.push_back(p);
        p = GoOn(found, from, skips);
    }
    return found;
}

template <class Blocks>
void ExpectAgreesWithThePlainDefinition(int seed) {
    std::mt19937 random(seed);
    for (int round = 0; round < 20000; ++round) {
        const std::string texts = RandomTexts(random);
        const Pattern pattern = RandomPattern(random, texts);
        std::size_t from = random() % texts.size();
        std::size_t end = random() % texts.size();
        if (from > end) std::swap(from, end);
        // The range alone in memory of its own, with the byte after it for a pair pattern, so
        // that a memory checker sees any read outside it.
        const std::vector<char> range(texts.begin() + from, texts.begin() + end + pattern.pair);
        const char* const first = range.data();
        const char* const last = first + (end - from);
        const std::string where = "round " + std::to_string(round) + " [" + std::to_string(from) +
                                  ", " + std::to_string(end) + ")";

        const Blocks blocks(pattern);
        std::uint64_t expected = 0;
        for (const char* p = first; p != last && p - first < candidatescan::kBlock; ++p) {
            if (IsCandidate(p, pattern)) expected |= std::uint64_t{1} << (p - first);
        }
        ASSERT_EQ(blocks.Marks(first, last), expected) << where;
        ASSERT_EQ(
            Blocks::Count(first, last, pattern.first[0]),
            static_cast<std::size_t>(std::count(first, last, static_cast<char>(pattern.first[0]))))
            << where;

        std::vector<Skip> skips;
        for (int n = static_cast<int>(random() % 3); n > 0; --n) {
            skips.push_back({random() % 6 + 1, random() % (end - from + 1)});
        }
        ASSERT_EQ(Candidates(BasicScan<Blocks>(first, last, pattern), first, last, skips),
                  PlainCandidates(first, last, pattern, skips))
            << where;
    }
}

TEST(CandidateScanTest, PortablePathFindsWhatThePlainDefinitionFinds) {
    ExpectAgreesWithThePlainDefinition<PortableBlocks>(11);
}

#ifdef GDICT_CANDIDATE_SCAN_SSE2
TEST(CandidateScanTest, VectorPathFindsWhatThePortablePathFinds) {
    ExpectAgreesWithThePlainDefinition<candidatescan::Sse2Blocks>(11);
    // And the two side by side on long ranges, where the vector path takes whole blocks.
    std::mt19937 random(12);
    for (int round = 0; round < 2000; ++round) {
        std::string texts;
        while (texts.size() < 2000) texts += RandomTexts(random);
        const Pattern pattern = RandomPattern(random, texts);
        const std::size_t from = random() % 100;
        const char* const first = texts.data() + from;
        const char* const last = texts.data() + texts.size() - 1 - random() % 100;
        const std::vector<Skip> skips = {{random() % 20 + 1, random() % 1000},
                                         {random() % 20 + 1, random() % 1800}};
        ASSERT_EQ(Candidates(candidatescan::Scan(first, last, pattern), first, last, skips),
                  Candidates(BasicScan<PortableBlocks>(first, last, pattern), first, last, skips))
            << "round " << round;
        ASSERT_EQ(candidatescan::Count(first, last, 0), PortableBlocks::Count(first, last, 0));
    }
}
#endif

}  // namespace
