#include "dictionary/folded_query.h"

#include <bit>
#include <bitset>
#include <cstdint>
#include <cstring>

#include "platform/mbcs.h"

namespace {

constexpr unsigned char FoldSingleByte(unsigned char b) {
    return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
}

constexpr std::size_t kWord = sizeof(std::uint64_t);
constexpr std::uint64_t kEveryByte = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

std::uint64_t LoadEightBytes(const unsigned char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, kWord);
    return word;
}

// The high bit set in the bytes of word that are zero. Exact up to the first zero byte in
// memory order; bytes after it may be marked too.
constexpr std::uint64_t ZeroBytes(std::uint64_t word) {
    return (word - kEveryByte) & ~word & kHighBits;
}

// Index, in memory order, of the first byte whose high bit is set in marks (not zero).
std::size_t FirstMarkedByte(std::uint64_t marks) {
    const int bit = std::endian::native == std::endian::little ? std::countr_zero(marks)
                                                               : std::countl_zero(marks);
    return static_cast<std::size_t>(bit) / 8;
}

// For each lead byte, the lead bytes its double-byte characters have once folded.
using FoldedLeads = std::array<std::bitset<256>, 256>;

const FoldedLeads& FoldedLeadTable() {
    static const FoldedLeads table = [] {
        FoldedLeads leads{};
        for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
            for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
                leads[lead].set(mbcs::FoldDoubleByte(static_cast<unsigned char>(lead),
                                                     static_cast<unsigned char>(trail)) >>
                                8);
            }
        }
        return leads;
    }();
    return table;
}

}  // namespace

FoldedQuery::FoldedQuery(std::string_view query) : m_folded(query) {
    mbcs::FoldToLower(m_folded);
    if (m_folded.empty()) return;
    const auto first = static_cast<unsigned char>(m_folded[0]);
    // The single-byte characters that fold to the first byte: itself and, for a small letter,
    // its capital. Each is repeated over a word; a Chinese query has none (0x80 never passes
    // the high-bit test).
    const unsigned char capital =
        first >= 'a' && first <= 'z' ? static_cast<unsigned char>(first - ('a' - 'A')) : first;
    m_asciiStarts[0] = (first < 0x80 ? first : 0x80) * kEveryByte;
    m_asciiStarts[1] = (capital < 0x80 ? capital : 0x80) * kEveryByte;
    for (unsigned b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        // A lead byte alone at the end of a text is a character of its own and stays as it is.
        m_mayStart[b] = FoldSingleByte(byte) == first ||
                        (mbcs::IsLeadByte(byte) && FoldedLeadTable()[b].test(first));
    }
}

std::uint64_t FoldedQuery::StopBytes(std::uint64_t word) const {
    // A byte from 0x80 up may be a lead byte, which changes where characters start.
    return (word & kHighBits) | ZeroBytes(word ^ m_asciiStarts[0]) |
           ZeroBytes(word ^ m_asciiStarts[1]);
}

bool FoldedQuery::MatchesAt(std::string_view text, std::size_t pos) const {
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const auto* p = reinterpret_cast<const unsigned char*>(m_folded.data());
    const std::size_t n = text.size();
    const std::size_t m = m_folded.size();
    // The caller guarantees pos + m <= n, and k - pos == j throughout, so k stays inside text.
    for (std::size_t j = 0, k = pos; j < m;) {
        const unsigned char b = t[k];
        if (mbcs::IsLeadByte(b) && k + 1 < n) {
            const unsigned folded = mbcs::FoldDoubleByte(b, t[k + 1]);
            if (static_cast<unsigned char>(folded >> 8) != p[j]) return false;
            if (j + 1 < m && static_cast<unsigned char>(folded) != p[j + 1]) return false;
            j += 2;
            k += 2;
        } else {
            if (FoldSingleByte(b) != p[j]) return false;
            ++j;
            ++k;
        }
    }
    return true;
}

std::size_t FoldedQuery::FindIn(std::string_view text) const {
    const std::size_t m = m_folded.size();
    const std::size_t n = text.size();
    if (m == 0) return 0;
    if (n < m) return std::string_view::npos;
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t last = n - m;
    for (std::size_t i = 0; i <= last;) {
        // Eight bytes at once: skip the single-byte characters that cannot start a match, up
        // to the first byte that may (or that may be a lead byte).
        if (i + kWord <= last + 1) {
            const std::uint64_t stops = StopBytes(LoadEightBytes(t + i));
            if (stops == 0) {
                i += kWord;
                continue;
            }
            i += FirstMarkedByte(stops);
        }
        const unsigned char b = t[i];
        if (m_mayStart[b] && MatchesAt(text, i)) return i;
        i += mbcs::IsLeadByte(b) && i + 1 < n ? 2 : 1;
    }
    return std::string_view::npos;
}

bool FoldedQuery::StartsIn(std::string_view text) const {
    return text.size() >= m_folded.size() && MatchesAt(text, 0);
}
