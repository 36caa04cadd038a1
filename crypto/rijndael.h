// The RIJNDAEL cipher method: the Rijndael block cipher with 16-, 24- or 32-byte blocks and keys
// behind the common cipher method interface, with ECB, CBC and CFB modes. With 16-byte blocks it
// is AES (AES-128, AES-192 or AES-256 by key length).
//
// Byte order: a block is block size / 4 column words and a key is key length / 4 key words, each
// read big-endian (the first byte of every 4-byte group is the most significant, row 0 of its
// column). The round count is the larger of the key words and the block words, plus 6.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "crypto/cipher_method.h"

// The Rijndael block transform for one key and block size: the round keys for enciphering, the
// round keys of the equivalent inverse cipher for deciphering, and the transforms of one block.
class RijndaelBlockCipher {
public:
    static constexpr int kMaxRounds = 14;
    static constexpr int kMaxColumns = 8;

    // Expands the key (keyLength bytes) for blocks of blockSize bytes.
    // REQUIRES: keyLength and blockSize are 16, 24 or 32.
    void Expand(const unsigned char* key, int keyLength, int blockSize);

    int Rounds() const { return m_rounds; }

    // Enciphers / deciphers one block of the block size given to Expand with the general rounds
    // over any number of columns. in and out may be the same buffer.
    void Encipher(const unsigned char* in, unsigned char* out) const;
    void Decipher(const unsigned char* in, unsigned char* out) const;

    // The same for one 16-byte block with the rounds written out for four columns; same result
    // as Encipher / Decipher, in and out may again be the same buffer.
    // REQUIRES: the block size given to Expand is 16.
    void Encipher16(const unsigned char* in, unsigned char* out) const;
    void Decipher16(const unsigned char* in, unsigned char* out) const;

    // CBC over `blocks` consecutive 16-byte blocks, continuing from the 16-byte chain block and
    // leaving the last cipher block in it. Enciphering: chain ^= in block, out block = E(chain),
    // chain = out block. Deciphering: out block = D(in block) ^ chain, chain = in block.
    // REQUIRES: the block size given to Expand is 16; in, out and chain do not overlap.
    void EncipherCbc16(const unsigned char* in, unsigned char* out, std::size_t blocks,
                       unsigned char* chain) const;
    void DecipherCbc16(const unsigned char* in, unsigned char* out, std::size_t blocks,
                       unsigned char* chain) const;

private:
    using RoundKeys = std::array<std::uint32_t, (kMaxRounds + 1) * kMaxColumns>;
    // For rows 1-3: the column each column's byte of that row is taken from, after the row
    // shift (enciphering) or the inverse row shift (deciphering).
    using RowSources = std::array<std::array<std::uint8_t, kMaxColumns>, 3>;

    RoundKeys m_encipherKeys{};
    RoundKeys m_decipherKeys{};
    RowSources m_encipherSources{};
    RowSources m_decipherSources{};
    int m_columns = 4;
    int m_rounds = 10;
};

class RIJNDAEL final : public CCipherMethod {
public:
    // An uninitialized instance (block size and key length 16 until SetKey sets them): SetKey
    // must succeed before it enciphers anything.
    RIJNDAEL();

    // Keys the instance: the key data is stretched cyclically to keyLength bytes, initialChain
    // (blockSize bytes) becomes the initial and the current chain, and the key schedule is
    // rebuilt, also when the key is the one already installed.
    // REQUIRES: initialChain points to blockSize bytes.
    // Throws, in this order, "FileCrypt ERROR: No Key DataSpecified!", "FileCrypt ERROR: Key
    // Data Length should be > 0!", "Illegal Key Length!" (keyLength not 16, 24 or 32), "Illegal
    // Block Size!" (blockSize not 16, 24 or 32), "FileCrypt ERROR: Illegal Operation Mode!",
    // "FileCrypt ERROR: Illegal Padding Mode!"; a failing SetKey leaves the instance as it was.
    void SetKey(const unsigned char* keyData, std::size_t keyDataLength,
                const unsigned char* initialChain, int keyLength, int blockSize, int operationMode,
                int paddingMode);

    // SHA-256 of "RIJNDAEL", the key bytes and block size, key length, operation mode and
    // padding mode in decimal, up to the first zero byte of that text.
    void Signature(unsigned char out[32]) const override;
    // The chain stays in the instance: a second call continues where the first ended.
    void Encrypt(const unsigned char* in, unsigned char* out, std::size_t n) override;
    void Decrypt(const unsigned char* in, unsigned char* out, std::size_t n) override;
    void ResetChain() override;

private:
    RijndaelBlockCipher m_cipher;
};
