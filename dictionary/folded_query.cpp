#include "dictionary/folded_query.h"

#include <bitset>

#include "platform/mbcs.h"

namespace {

constexpr unsigned char FoldSingleByte(unsigned char b) {
    return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
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
    for (unsigned b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        // A lead byte alone at the end of a text is a character of its own and stays as it is.
        m_mayStart[b] = FoldSingleByte(byte) == first ||
                        (mbcs::IsLeadByte(byte) && FoldedLeadTable()[b].test(first));
    }
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
        const unsigned char b = t[i];
        if (m_mayStart[b] && MatchesAt(text, i)) return i;
        // A lead byte steps over its trail byte; a lead byte at the very end steps past last,
        // which ends the loop just as a one-byte step would.
        i += 1 + mbcs::IsLeadByte(b);
    }
    return std::string_view::npos;
}

bool FoldedQuery::StartsIn(std::string_view text) const {
    return text.size() >= m_folded.size() && MatchesAt(text, 0);
}
