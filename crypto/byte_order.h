// Big-endian 32-bit words, the byte order of every block and key word in the cipher library
// and of the SHA-256 message and digest words: the first of the four bytes is the most
// significant.
#pragma once

#include <cstdint>

// The word held in bytes[0..3], bytes[0] most significant.
inline std::uint32_t LoadWord(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | static_cast<std::uint32_t>(bytes[3]);
}

// Writes word into bytes[0..3], most significant byte first.
inline void StoreWord(unsigned char* bytes, std::uint32_t word) {
    bytes[0] = static_cast<unsigned char>(word >> 24);
    bytes[1] = static_cast<unsigned char>(word >> 16);
    bytes[2] = static_cast<unsigned char>(word >> 8);
    bytes[3] = static_cast<unsigned char>(word);
}
