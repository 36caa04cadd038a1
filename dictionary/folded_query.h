// FoldedQuery: a search text folded to lower case once, matched against texts that are folded
// on the fly, one character at a time, so that a search copies no entry text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class FoldedQuery {
public:
    explicit FoldedQuery(std::string_view query);

    // Byte offset of the first occurrence of the query in text folded to lower case, on a
    // character boundary of code page 936, or npos. Equal to mbcs::FindOnBoundary over a folded
    // copy of text.
    std::size_t FindIn(std::string_view text) const;

    // True when text folded to lower case begins with the query.
    bool StartsIn(std::string_view text) const;

private:
    bool MatchesAt(std::string_view text, std::size_t pos) const;
    // Marks (high bit set) the bytes of word, loaded in memory order, from 0x80 up and those
    // that can start a match; exact up to the first marked byte.
    std::uint64_t StopBytes(std::uint64_t word) const;

    std::string m_folded;
    // Bytes that can begin a character whose folded form begins with the query's first byte.
    std::array<bool, 256> m_mayStart{};
    // The single-byte characters that can start a match, each repeated in all eight bytes.
    std::uint64_t m_asciiStarts[2] = {};
};
