// The BLOWFISH cipher method: the Blowfish block cipher (64-bit block, 16 rounds, key always
// stretched to 56 bytes = 448 bits) behind the common cipher method interface, with ECB, CBC
// and CFB modes. Blocks are read and written as two big-endian words (left = bytes 0-3).
//
// Two chaining properties differ from the other block methods:
// - the chain's two words are read from the initial chain's bytes 0-3 and 4-7 little-endian,
//   while blocks are big-endian, so a non-zero initial chain acts with its bytes reversed
//   within each half;
// - Encrypt and Decrypt chain on a copy: every call starts again from the stored chain.
#pragma once

#include <cstddef>
#include <cstdint>

#include "crypto/blowfish_tables.h"
#include "crypto/cipher_method.h"

class BLOWFISH final : public CCipherMethod {
public:
    static constexpr int kBlockSize = 8;
    static constexpr int kKeyLength = 56;

    // An uninitialized instance: SetKey must succeed before it enciphers anything.
    BLOWFISH();

    // Keys the instance: the key data is stretched cyclically to 56 bytes, initialChain
    // (8 bytes) becomes the initial and the current chain. Re-keying with the key already
    // installed keeps the key schedule and only takes the new modes and chain.
    // REQUIRES: initialChain points to 8 bytes.
    // Throws, in this order, "FileCrypt ERROR: No Key DataSpecified!", "FileCrypt ERROR: Key
    // Data Length should be > 0!", "FileCrypt ERROR: Illegal Operation Mode!", "FileCrypt
    // ERROR: Illegal Padding Mode!"; a failing SetKey leaves the instance as it was.
    void SetKey(const unsigned char* keyData, std::size_t keyDataLength,
                const unsigned char* initialChain, int operationMode, int paddingMode);

    // SHA-256 of "BLOWFISH", the 56 key bytes and the operation and padding mode in decimal,
    // up to the first zero byte of that text.
    void Signature(unsigned char out[32]) const override;
    // Each call chains from the stored current chain and leaves it unchanged, so enciphering
    // two blocks in two calls differs from enciphering them in one call in CBC and CFB.
    void Encrypt(const unsigned char* in, unsigned char* out, std::size_t n) override;
    void Decrypt(const unsigned char* in, unsigned char* out, std::size_t n) override;
    void ResetChain() override;

private:
    // The 16-round encipherment / decipherment of the words (left, right) in place.
    void Encipher(std::uint32_t& left, std::uint32_t& right) const;
    void Decipher(std::uint32_t& left, std::uint32_t& right) const;

    BlowfishPArray m_p{};
    BlowfishSBoxArray m_s{};
};
