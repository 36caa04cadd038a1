// The TEA cipher method: the XTEA block cipher (64-bit block, 128-bit key, 32 cycles of two
// Feistel rounds each, delta 0x9E3779B9) behind the common cipher method interface, with
// ECB, CBC and CFB modes. Block and key words are read and written big-endian: key word i
// comes from key bytes 4i..4i+3, the block is y (bytes 0-3) and z (bytes 4-7).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "crypto/cipher_method.h"

#if defined(__x86_64__) || defined(_M_X64)
#define GDICT_TEA_SSE2 1
#endif

class TEA final : public CCipherMethod {
public:
    static constexpr int kBlockSize = 8;
    static constexpr int kKeyLength = 16;

    // An uninitialized instance: SetKey must succeed before it enciphers anything.
    TEA();

    // Keys the instance: the key data is stretched cyclically to 16 bytes, initialChain
    // (8 bytes) becomes the initial and the current chain. Re-keying with the key already
    // installed only resets the chain.
    // REQUIRES: initialChain points to 8 bytes.
    // Throws, in this order, "FileCrypt ERROR: No Key DataSpecified!", "FileCrypt ERROR: Key
    // Data Length should be > 0!", "FileCrypt ERROR: Illegal Operation Mode!", "FileCrypt
    // ERROR: Illegal Padding Mode!"; a failing SetKey leaves the instance as it was.
    void SetKey(const unsigned char* keyData, std::size_t keyDataLength,
                const unsigned char* initialChain, int operationMode, int paddingMode);

    // SHA-256 of "TEA", the 16 key bytes and the operation and padding mode in decimal, up to
    // the first zero byte of that text.
    void Signature(unsigned char out[32]) const override;
    // The chain stays in the instance: a second call continues where the first ended.
    void Encrypt(const unsigned char* in, unsigned char* out, std::size_t n) override;
    void Decrypt(const unsigned char* in, unsigned char* out, std::size_t n) override;
    void ResetChain() override;

private:
    void EncipherBlock(const unsigned char* in, unsigned char* out) const;
    void DecipherBlock(const unsigned char* in, unsigned char* out) const;
    // Deciphers the blocks consecutive blocks at in into out, as many side by side as the
    // processor lends itself to, so that their rounds overlap instead of waiting on one long
    // chain of dependent operations.
    void DecipherSideBySide(const unsigned char* in, unsigned char* out, std::size_t blocks) const;
#ifdef GDICT_TEA_SSE2
    // Up to eight blocks (1 to 8), four in each of two SSE2 vectors.
    void DecipherEight(const unsigned char* in, unsigned char* out, std::size_t blocks) const;
#else
    // The two consecutive blocks in[0..15] into out[0..15].
    void DecipherPair(const unsigned char* in, unsigned char* out) const;
#endif

    std::array<std::uint32_t, 4> m_keyWords{};
};
