// SHA-256 digest (FIPS 180-2). The cipher library uses it for the signature of a cipher
// method; it refuses an empty message and resets itself after every digest.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class CSHA {
public:
    static constexpr std::size_t kDigestSize = 32;

    CSHA();

    // Appends length bytes of data to the message.
    // Throws std::runtime_error when length is 0; the object is then unchanged.
    void AddData(const unsigned char* data, std::size_t length);

    // Completes the digest of the message added since construction or the last digest,
    // writes it to out (32 bytes, the eight state words big-endian) and starts a new message.
    // Throws std::runtime_error when no data was added; the object is then unchanged.
    void FinalDigest(unsigned char out[kDigestSize]);

private:
    void Reset();
    void Compress(const unsigned char* block);

    std::array<std::uint32_t, 8> m_state;
    std::uint64_t m_bitCount;
    std::array<unsigned char, 64> m_buffer;
    bool m_dataAdded;
};
