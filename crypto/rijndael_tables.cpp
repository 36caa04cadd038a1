#include "crypto/rijndael_tables.h"

#include <bit>

namespace {

constexpr std::uint8_t Multiply(std::uint8_t a, std::uint8_t b) {
    std::uint8_t product = 0;
    for (; b != 0; b >>= 1, a = RijndaelTimes2(a)) {
        if ((b & 1) != 0) product ^= a;
    }
    return product;
}

// a^254, the multiplicative inverse of a (and 0 for 0).
constexpr std::uint8_t Inverse(std::uint8_t a) {
    std::uint8_t result = 1;
    std::uint8_t power = a;
    for (int exponent = 254; exponent != 0; exponent >>= 1, power = Multiply(power, power)) {
        if ((exponent & 1) != 0) result = Multiply(result, power);
    }
    return result;
}

constexpr std::uint8_t RotateLeft(std::uint8_t b, int n) {
    return static_cast<std::uint8_t>((b << n) | (b >> (8 - n)));
}

constexpr std::uint32_t Column(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
    return static_cast<std::uint32_t>(b0) << 24 | static_cast<std::uint32_t>(b1) << 16 |
           static_cast<std::uint32_t>(b2) << 8 | b3;
}

constexpr RijndaelTables MakeTables() {
    RijndaelTables t{};
    for (int x = 0; x < 256; ++x) {
        const std::uint8_t inverse = Inverse(static_cast<std::uint8_t>(x));
        const auto s =
            static_cast<std::uint8_t>(inverse ^ RotateLeft(inverse, 1) ^ RotateLeft(inverse, 2) ^
                                      RotateLeft(inverse, 3) ^ RotateLeft(inverse, 4) ^ 0x63);
        t.sbox[x] = s;
        t.inverseSbox[s] = static_cast<std::uint8_t>(x);
    }
    for (int x = 0; x < 256; ++x) {
        const std::uint8_t s = t.sbox[x];
        const std::uint8_t v = t.inverseSbox[x];
        const std::uint32_t mix = Column(Multiply(s, 2), s, s, Multiply(s, 3));
        const std::uint32_t unmix =
            Column(Multiply(v, 14), Multiply(v, 9), Multiply(v, 13), Multiply(v, 11));
        for (int row = 0; row < 4; ++row) {
            t.encipher[row][x] = std::rotr(mix, 8 * row);
            t.decipher[row][x] = std::rotr(unmix, 8 * row);
        }
    }
    return t;
}

constexpr RijndaelTables kBuilt = MakeTables();

// Anchors of the published tables.
static_assert(kBuilt.sbox[0x00] == 0x63 && kBuilt.sbox[0x53] == 0xED && kBuilt.sbox[0xFF] == 0x16);
static_assert(kBuilt.inverseSbox[0x00] == 0x52 && kBuilt.inverseSbox[0xFF] == 0x7D);
static_assert(kBuilt.encipher[0][0x00] == 0xC66363A5 && kBuilt.encipher[0][0xFF] == 0x2C16163A);
static_assert(kBuilt.decipher[0][0x00] == 0x51F4A750 && kBuilt.decipher[1][0x00] == 0x5051F4A7);

}  // namespace

constinit const RijndaelTables kRijndaelTables = kBuilt;
