// The XOR256STREAM cipher method: a byte stream cipher with plaintext feedback. An RC4 key
// stream keyed with the 256-byte stretched key gives a feedback byte f0 (its first byte) and
// then 2R bytes per data byte (R = rounds). Each plain byte p is folded into the feedback,
// f ^= p, and enciphered as x = f; R times x = (x ^ X) + A, X and A being the next two
// key-stream bytes (byte arithmetic modulo 256).
//
// There are no blocks (block size -1): any byte count from 1 on is enciphered, and the
// operation and padding modes have no effect. Encrypt and Decrypt advance one running state
// (key-stream position and feedback byte); SetKey and ResetChain set it to its start.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "crypto/cipher_method.h"
#include "crypto/key_stream.h"

class XOR256STREAM final : public CCipherMethod {
public:
    static constexpr int kKeyLength = 256;

    // An uninitialized instance: SetKey must succeed before it enciphers anything.
    XOR256STREAM();

    // Keys the instance with the key data stretched cyclically to 256 bytes and R = rounds.
    // Re-keying with the key already installed only resets the running state, as ResetChain.
    // Throws, in this order, "FileCrypt ERROR: No Key DataSpecified!", "FileCrypt ERROR: Key
    // Data Length should be > 0!", "Illegal Internal Rounds!" (rounds below 1); std::bad_alloc
    // when the work buffers of 2 * rounds bytes cannot be had. A failing SetKey leaves the
    // instance as it was.
    void SetKey(const unsigned char* keyData, std::size_t keyDataLength, int rounds);

    // SHA-256 of "XOR256STREAM", the 256 key bytes and the rounds in decimal, up to the first
    // zero byte.
    void Signature(unsigned char out[32]) const override;
    // Enciphers / deciphers n bytes, continuing the running state.
    // REQUIRES: in and out do not overlap.
    // Throws the not-initialized error before a successful SetKey, "Illegal Block Size!" for
    // n = 0; nothing is written then.
    void Encrypt(const unsigned char* in, unsigned char* out, std::size_t n) override;
    void Decrypt(const unsigned char* in, unsigned char* out, std::size_t n) override;
    // The file operations in pieces of 384 bytes; the last piece is not padded.
    void EncryptFile(const std::string& in, const std::string& out) override;
    void DecryptFile(const std::string& in, const std::string& out) override;
    // Restarts the key stream, draws and discards its first byte (the one that gave f0) and
    // sets the feedback byte back to f0. Throws the not-initialized error before SetKey.
    void ResetChain() override;

private:
    void CheckStreamCount(std::size_t n) const;

    KeyStream m_keyStream;
    int m_rounds = 0;
    unsigned char m_feedback = 0;
    unsigned char m_initialFeedback = 0;
    // Decrypt's copies of one data byte's key-stream bytes: X into m_xorBytes, A into m_addBytes.
    std::vector<unsigned char> m_xorBytes;
    std::vector<unsigned char> m_addBytes;
};
