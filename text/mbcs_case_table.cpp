// The lower-case table of the double-byte characters of code page 936 and its lookup.
//
// The pairs below were derived once from the C library's code page 936 converter and the
// lower-case mapping of the C.UTF-8 locale: every double-byte character whose lower-case
// letter is itself a double-byte character of the code page. Small Roman numerals eleven and
// twelve are not in the code page, so their capitals have no partner. The table is built at
// compile time; nothing is converted at run time.
#include <array>
#include <cstddef>
#include <cstdint>

#include "text/mbcs.h"

namespace mbcs {
namespace {

struct CasePair {
    std::uint16_t upper;  // lead << 8 | trail
    std::uint16_t lower;
};

// clang-format off
constexpr CasePair kCasePairs[] = {
    // Roman numerals one to ten.
    {0xA2F1, 0xA2A1}, {0xA2F2, 0xA2A2}, {0xA2F3, 0xA2A3}, {0xA2F4, 0xA2A4}, {0xA2F5, 0xA2A5},
    {0xA2F6, 0xA2A6}, {0xA2F7, 0xA2A7}, {0xA2F8, 0xA2A8}, {0xA2F9, 0xA2A9}, {0xA2FA, 0xA2AA},
    // Full-width Latin letters.
    {0xA3C1, 0xA3E1}, {0xA3C2, 0xA3E2}, {0xA3C3, 0xA3E3}, {0xA3C4, 0xA3E4}, {0xA3C5, 0xA3E5},
    {0xA3C6, 0xA3E6}, {0xA3C7, 0xA3E7}, {0xA3C8, 0xA3E8}, {0xA3C9, 0xA3E9}, {0xA3CA, 0xA3EA},
    {0xA3CB, 0xA3EB}, {0xA3CC, 0xA3EC}, {0xA3CD, 0xA3ED}, {0xA3CE, 0xA3EE}, {0xA3CF, 0xA3EF},
    {0xA3D0, 0xA3F0}, {0xA3D1, 0xA3F1}, {0xA3D2, 0xA3F2}, {0xA3D3, 0xA3F3}, {0xA3D4, 0xA3F4},
    {0xA3D5, 0xA3F5}, {0xA3D6, 0xA3F6}, {0xA3D7, 0xA3F7}, {0xA3D8, 0xA3F8}, {0xA3D9, 0xA3F9},
    {0xA3DA, 0xA3FA},
    // Greek letters.
    {0xA6A1, 0xA6C1}, {0xA6A2, 0xA6C2}, {0xA6A3, 0xA6C3}, {0xA6A4, 0xA6C4}, {0xA6A5, 0xA6C5},
    {0xA6A6, 0xA6C6}, {0xA6A7, 0xA6C7}, {0xA6A8, 0xA6C8}, {0xA6A9, 0xA6C9}, {0xA6AA, 0xA6CA},
    {0xA6AB, 0xA6CB}, {0xA6AC, 0xA6CC}, {0xA6AD, 0xA6CD}, {0xA6AE, 0xA6CE}, {0xA6AF, 0xA6CF},
    {0xA6B0, 0xA6D0}, {0xA6B1, 0xA6D1}, {0xA6B2, 0xA6D2}, {0xA6B3, 0xA6D3}, {0xA6B4, 0xA6D4},
    {0xA6B5, 0xA6D5}, {0xA6B6, 0xA6D6}, {0xA6B7, 0xA6D7}, {0xA6B8, 0xA6D8},
    // Cyrillic letters.
    {0xA7A1, 0xA7D1}, {0xA7A2, 0xA7D2}, {0xA7A3, 0xA7D3}, {0xA7A4, 0xA7D4}, {0xA7A5, 0xA7D5},
    {0xA7A6, 0xA7D6}, {0xA7A7, 0xA7D7}, {0xA7A8, 0xA7D8}, {0xA7A9, 0xA7D9}, {0xA7AA, 0xA7DA},
    {0xA7AB, 0xA7DB}, {0xA7AC, 0xA7DC}, {0xA7AD, 0xA7DD}, {0xA7AE, 0xA7DE}, {0xA7AF, 0xA7DF},
    {0xA7B0, 0xA7E0}, {0xA7B1, 0xA7E1}, {0xA7B2, 0xA7E2}, {0xA7B3, 0xA7E3}, {0xA7B4, 0xA7E4},
    {0xA7B5, 0xA7E5}, {0xA7B6, 0xA7E6}, {0xA7B7, 0xA7E7}, {0xA7B8, 0xA7E8}, {0xA7B9, 0xA7E9},
    {0xA7BA, 0xA7EA}, {0xA7BB, 0xA7EB}, {0xA7BC, 0xA7EC}, {0xA7BD, 0xA7ED}, {0xA7BE, 0xA7EE},
    {0xA7BF, 0xA7EF}, {0xA7C0, 0xA7F0}, {0xA7C1, 0xA7F1},
};
// clang-format on

constexpr bool IsDoubleByteCode(unsigned code) {
    const unsigned lead = code >> 8;
    const unsigned trail = code & 0xFF;
    return IsLeadByte(static_cast<unsigned char>(lead)) && trail >= 0x40 && trail != 0x7F &&
           trail != 0xFF;
}

constexpr bool PairsAreDoubleByte() {
    for (const CasePair& pair : kCasePairs) {
        if (!IsDoubleByteCode(pair.upper) || !IsDoubleByteCode(pair.lower)) {
            return false;
        }
    }
    return true;
}
static_assert(PairsAreDoubleByte());

// Folding never changes a lead byte, so the characters that fold to a text beginning with a
// given byte all begin with that byte themselves.
constexpr bool PairsKeepTheirLead() {
    for (const CasePair& pair : kCasePairs) {
        if (pair.upper >> 8 != pair.lower >> 8) return false;
    }
    return true;
}
static_assert(PairsKeepTheirLead());

// Every small letter has one capital, and no small letter is a capital: folding a folded text
// changes nothing, and a folded character has one other form at most.
constexpr bool PairsAreOneToOne() {
    for (const CasePair& pair : kCasePairs) {
        for (const CasePair& other : kCasePairs) {
            if (&pair != &other && pair.lower == other.lower) return false;
            if (pair.lower == other.upper) return false;
        }
    }
    return true;
}
static_assert(PairsAreOneToOne());

constexpr std::size_t CountCasedLeads() {
    std::array<bool, 256> seen{};
    std::size_t count = 0;
    for (const CasePair& pair : kCasePairs) {
        const unsigned lead = pair.upper >> 8;
        if (!seen[lead]) {
            seen[lead] = true;
            ++count;
        }
    }
    return count;
}
constexpr std::size_t kCasedLeadCount = CountCasedLeads();
static_assert(kCasedLeadCount < 256);

// rowOfLead[lead] is 0 for a lead byte without any cased character, otherwise one more than
// the index of its row. A row maps every trail byte to the folded code (lead << 8 | trail),
// which is the code itself for the characters without a partner.
struct FoldTable {
    std::array<std::uint8_t, 256> rowOfLead{};
    std::array<std::array<std::uint16_t, 256>, kCasedLeadCount> rows{};
};

constexpr FoldTable BuildFoldTable() {
    FoldTable table;
    std::uint8_t usedRows = 0;
    for (const CasePair& pair : kCasePairs) {
        const unsigned lead = pair.upper >> 8;
        if (table.rowOfLead[lead] == 0) {
            table.rowOfLead[lead] = ++usedRows;
            for (unsigned trail = 0; trail < 256; ++trail) {
                table.rows[usedRows - 1][trail] = static_cast<std::uint16_t>(lead << 8 | trail);
            }
        }
        table.rows[table.rowOfLead[lead] - 1][pair.upper & 0xFF] = pair.lower;
    }
    return table;
}

constexpr FoldTable kFoldTable = BuildFoldTable();

}  // namespace

unsigned FoldDoubleByte(unsigned char lead, unsigned char trail) {
    const unsigned row = kFoldTable.rowOfLead[lead];
    if (row == 0) {
        return static_cast<unsigned>(lead) << 8 | trail;
    }
    return kFoldTable.rows[row - 1][trail];
}

}  // namespace mbcs
