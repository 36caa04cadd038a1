#include "dictionary/folded_query.h"

namespace {

constexpr unsigned char Capital(unsigned char b) {
    return b >= 'a' && b <= 'z' ? static_cast<unsigned char>(b - ('a' - 'A')) : b;
}

}  // namespace

FoldedQuery::FoldedQuery(std::string_view query) : m_folded(query) {
    mbcs::FoldToLower(m_folded);
    if (m_folded.empty()) return;
    // A character that folds to a text beginning with a byte begins with that byte itself or,
    // for a small letter, its capital: folding never changes a lead byte.
    const auto first = static_cast<unsigned char>(m_folded[0]);
    m_candidates.first[0] = first;
    m_candidates.first[1] = Capital(first);
    if (m_folded.size() == 1) return;
    const auto second = static_cast<unsigned char>(m_folded[1]);
    m_candidates.pair = true;
    m_candidates.second[0] = second;
    m_candidates.second[1] = Capital(second);
    if (mbcs::IsLeadByte(first)) {
        // The second byte is the trail byte of a folded double-byte character; the one other
        // trail byte that folds to it, if any, is its capital's.
        m_candidates.second[1] = second;
        for (unsigned trail = 0; trail < 256; ++trail) {
            const auto other = static_cast<unsigned char>(trail);
            if (other != second && (mbcs::FoldDoubleByte(first, other) & 0xFF) == second) {
                m_candidates.second[1] = other;
            }
        }
    }
}

std::size_t FoldedQuery::FindIn(std::string_view text) const {
    if (m_folded.empty()) return 0;
    if (text.size() < m_folded.size()) return std::string_view::npos;
    // Places closer to the end than the query's length are not tried.
    const char* const end = text.data() + (text.size() - m_folded.size() + 1);
    mbcs::CharStarts starts(text);
    candidatescan::Scan candidates = Candidates(text.data(), end);
    for (const char* p = candidates.Next(); p != end; p = candidates.Next()) {
        const auto pos = static_cast<std::size_t>(p - text.data());
        if (MatchesAt(text, pos, starts)) return pos;
    }
    return std::string_view::npos;
}
