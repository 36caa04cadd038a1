// The constant tables of the Rijndael rounds: the S-box, its inverse, and the round tables that
// fold the byte substitution and the column mixing of one state byte into one column word.
//
// Column words are big-endian: row 0 of the column is the most significant byte. Every value is
// the published one; the tables are built at compile time from the GF(2^8) construction
// (multiplication modulo x^8 + x^4 + x^3 + x + 1, inverse, affine map with constant 0x63).
#pragma once

#include <array>
#include <cstdint>

struct RijndaelTables {
    // encipher[r][x]: the column that state byte x in row r contributes to a full enciphering
    // round, S(x) multiplied by the mixing column (2, 1, 1, 3) rotated down by r rows.
    std::array<std::array<std::uint32_t, 256>, 4> encipher;
    // decipher[r][x]: the same for deciphering, InvS(x) multiplied by the inverse mixing column
    // (14, 9, 13, 11) rotated down by r rows.
    std::array<std::array<std::uint32_t, 256>, 4> decipher;
    std::array<std::uint8_t, 256> sbox;
    std::array<std::uint8_t, 256> inverseSbox;
};

extern const RijndaelTables kRijndaelTables;

// Multiplication by x (0x02) in GF(2^8), the step of the key schedule's round constants.
constexpr std::uint8_t RijndaelTimes2(std::uint8_t a) {
    return static_cast<std::uint8_t>((a << 1) ^ ((a & 0x80) != 0 ? 0x1B : 0x00));
}
