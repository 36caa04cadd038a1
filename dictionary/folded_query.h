// FoldedQuery: a search text folded to lower case once, matched against texts that are folded
// on the fly, one character at a time, so that a search copies no entry text.
//
// A match is found in three steps: the candidate scan finds the next place whose byte can
// begin one and whose next byte can follow it (each in the forms that fold to the query's
// first and second byte), then the place must start a character of its text, then the text
// folded from there must begin with the query.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "dictionary/candidate_scan.h"
#include "text/ascii.h"
#include "text/mbcs.h"

class FoldedQuery {
public:
    explicit FoldedQuery(std::string_view query);

    // The folded query's length in bytes; 0 for an empty query, which is found everywhere.
    std::size_t size() const { return m_folded.size(); }

    // Byte offset of the first occurrence of the query in text folded to lower case, on a
    // character boundary of code page 936, or npos. Equal to mbcs::FindOnBoundary over a folded
    // copy of text.
    std::size_t FindIn(std::string_view text) const;

    // True when text folded to lower case begins with the query.
    bool StartsIn(std::string_view text) const;

    // The places of [from, end) at which a match can begin, in memory order; every match
    // begins at one of them. For a query of two bytes or more the byte at end is read too.
    // REQUIRES: size() > 0.
    candidatescan::Scan Candidates(const char* from, const char* end) const {
        return candidatescan::Scan(from, end, m_candidates);
    }

    // True when the query occurs in text at pos: pos starts a character (as starts, made for
    // text, tells), the query fits before the end of text, and the text folded from pos begins
    // with it. REQUIRES: size() > 0; pos < text.size() and not below the pos of the previous
    // call with the same starts.
    bool MatchesAt(std::string_view text, std::size_t pos, mbcs::CharStarts& starts) const {
        return pos + m_folded.size() <= text.size() && FoldedEquals(text, pos) &&
               starts.IsStart(pos);
    }

private:
    static constexpr unsigned char FoldSingleByte(unsigned char b) { return ascii::ToLower(b); }

    // True when text folded from pos begins with the query. REQUIRES: pos + size() <= text.size().
    bool FoldedEquals(std::string_view text, std::size_t pos) const {
        const auto* t = reinterpret_cast<const unsigned char*>(text.data());
        const auto* q = reinterpret_cast<const unsigned char*>(m_folded.data());
        const std::size_t n = text.size();
        const std::size_t m = m_folded.size();
        // k - pos == j throughout, so k stays inside text.
        for (std::size_t j = 0, k = pos; j < m;) {
            const unsigned char b = t[k];
            if (mbcs::IsLeadByte(b) && k + 1 < n) {
                const unsigned folded = mbcs::FoldDoubleByte(b, t[k + 1]);
                if (static_cast<unsigned char>(folded >> 8) != q[j]) return false;
                if (j + 1 < m && static_cast<unsigned char>(folded) != q[j + 1]) return false;
                j += 2;
                k += 2;
            } else {
                if (FoldSingleByte(b) != q[j]) return false;
                ++j;
                ++k;
            }
        }
        return true;
    }

    std::string m_folded;
    // Where a match can begin: the first folded byte or its capital, and then the second
    // folded byte or the other byte that folds to it.
    candidatescan::Pattern m_candidates{};
};
