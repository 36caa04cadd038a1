// The constants the Blowfish key schedule starts from: the P-array and the four S-boxes hold
// the hexadecimal digits of pi's fractional part, read 32 bits at a time, most significant
// digit first (P[0] = 0x243F6A88 are the first eight digits after the point).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kBlowfishPWords = 18;
inline constexpr std::size_t kBlowfishSBoxes = 4;
inline constexpr std::size_t kBlowfishSBoxWords = 256;

using BlowfishPArray = std::array<std::uint32_t, kBlowfishPWords>;
using BlowfishSBoxArray =
    std::array<std::array<std::uint32_t, kBlowfishSBoxWords>, kBlowfishSBoxes>;

// Words 0-17 of pi's fraction.
extern const BlowfishPArray kBlowfishInitialP;
// Words 18-1041 of pi's fraction: S-box 0 first, each box in index order.
extern const BlowfishSBoxArray kBlowfishInitialS;
