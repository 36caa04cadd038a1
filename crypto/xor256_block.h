// The XOR256BLOCK cipher method: a byte-oriented block cipher of adjustable block size n
// (1-256 bytes), external rounds R and internal rounds m, with ECB, CBC and CFB modes.
//
// Key material: an RC4 key stream keyed with the 256-byte stretched key fills two tables T1
// and T2 of n*m*R bytes, alternately (T1[0], T2[0], T1[1], T2[1], ...); round r uses the
// n*m bytes from r*n*m on. A round walks the block in one direction with a carry c (0 at the
// start) and a table position t, and turns each byte into x by m steps x = (x ^ T1[t]) + T2[t],
// t advancing each step (byte arithmetic modulo 256):
// - output-chained rounds start from x = byte ^ c and carry c = x;
// - input-chained rounds carry c ^= byte and start from x = c.
// Rounds 0 to R-2 are output-chained, the last round input-chained; even rounds walk forward
// (byte 0 first), odd rounds backward. Decipherment undoes the rounds last to first.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "crypto/cipher_method.h"
#include "crypto/key_stream.h"

class XOR256BLOCK final : public CCipherMethod {
public:
    static constexpr int kKeyLength = 256;
    static constexpr int kMaxBlockSize = 256;

    // An uninitialized instance with block size -1: SetKey must succeed before it enciphers
    // anything.
    XOR256BLOCK();

    // Keys the instance: the key data is stretched cyclically to 256 bytes, initialChain
    // (blockSize bytes) becomes the initial and the current chain, and the key tables are
    // drawn from the key stream. Re-keying with the same block size, round counts, initial
    // chain and key keeps the tables, resets the chain and restarts the key stream.
    // REQUIRES: initialChain points to blockSize bytes.
    // Throws, in this order, "FileCrypt ERROR: No Key DataSpecified!", "FileCrypt ERROR: Key
    // Data Length should be > 0!", "Illegal Block Size!" (outside 1-256), "Illegal External
    // Rounds!" (below 1), "Illegal Internal Rounds!" (below 1), "FileCrypt ERROR: Illegal
    // Operation Mode!", "FileCrypt ERROR: Illegal Padding Mode!"; std::bad_alloc when the
    // 2 * blockSize * internalRounds * externalRounds bytes of key tables cannot be had.
    // A failing SetKey leaves the instance as it was.
    void SetKey(const unsigned char* keyData, std::size_t keyDataLength,
                const unsigned char* initialChain, int blockSize, int externalRounds,
                int internalRounds, int operationMode, int paddingMode);

    // SHA-256 of "XOR256BLOCK", the 256 key bytes, then block size, internal rounds, external
    // rounds, operation mode and padding mode in decimal, up to the first zero byte.
    void Signature(unsigned char out[32]) const override;
    // The chain stays in the instance: a second call continues where the first ended.
    void Encrypt(const unsigned char* in, unsigned char* out, std::size_t n) override;
    void Decrypt(const unsigned char* in, unsigned char* out, std::size_t n) override;
    // The file operations in pieces of block size * (1024 / block size / 2) bytes (512 for a
    // 16-byte block), the last piece padded.
    void EncryptFile(const std::string& in, const std::string& out) override;
    void DecryptFile(const std::string& in, const std::string& out) override;
    // Copies the initial chain into the current chain and restarts the key stream.
    void ResetChain() override;

private:
    std::size_t FilePieceLength() const;
    // Copy in to out, then encipher / decipher out in place.
    void EncipherBlock(const unsigned char* in, unsigned char* out) const;
    void DecipherBlock(const unsigned char* in, unsigned char* out) const;

    KeyStream m_keyStream;
    int m_externalRounds = 0;
    int m_internalRounds = 0;
    std::vector<unsigned char> m_t1;
    std::vector<unsigned char> m_t2;
};
