#include "crypto/xor256_stream.h"

#include <stdexcept>
#include <utility>

XOR256STREAM::XOR256STREAM() : CCipherMethod(1, kKeyLength) {
    m_blockSize = -1;
    m_initialChain.clear();
    m_chain.clear();
}

void XOR256STREAM::SetKey(const unsigned char* keyData, std::size_t keyDataLength, int rounds) {
    CheckKeyData(keyData, keyDataLength);
    if (rounds < 1) {
        throw std::runtime_error("Illegal Internal Rounds!");
    }
    std::vector<unsigned char> key(kKeyLength);
    StretchKey(keyData, keyDataLength, key.data(), key.size());
    if (rounds != m_rounds) {
        std::vector<unsigned char> xorBytes(static_cast<std::size_t>(rounds));
        std::vector<unsigned char> addBytes(static_cast<std::size_t>(rounds));
        m_xorBytes = std::move(xorBytes);
        m_addBytes = std::move(addBytes);
        m_rounds = rounds;
    }
    if (m_initialized && key == m_key) {
        ResetChain();
        return;
    }
    m_key = std::move(key);
    m_keyStream.SetKey(m_key.data(), m_key.size());
    m_initialFeedback = m_keyStream.NextByte();
    m_feedback = m_initialFeedback;
    m_initialized = true;
}

void XOR256STREAM::Signature(unsigned char out[32]) const {
    DigestSignature("XOR256STREAM", {m_rounds}, out);
}

void XOR256STREAM::CheckStreamCount(std::size_t n) const {
    CheckInitialized();
    if (n == 0) {
        throw std::runtime_error("Illegal Block Size!");
    }
}

void XOR256STREAM::Encrypt(const unsigned char* in, unsigned char* out, std::size_t n) {
    CheckStreamCount(n);
    for (std::size_t i = 0; i < n; ++i) {
        m_feedback ^= in[i];
        unsigned char x = m_feedback;
        for (int s = 0; s < m_rounds; ++s) {
            x ^= m_keyStream.NextByte();
            x = static_cast<unsigned char>(x + m_keyStream.NextByte());
        }
        out[i] = x;
    }
}

void XOR256STREAM::Decrypt(const unsigned char* in, unsigned char* out, std::size_t n) {
    CheckStreamCount(n);
    const auto rounds = static_cast<std::size_t>(m_rounds);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t s = 0; s < rounds; ++s) {
            m_xorBytes[s] = m_keyStream.NextByte();
            m_addBytes[s] = m_keyStream.NextByte();
        }
        unsigned char x = in[i];
        for (std::size_t s = rounds; s-- > 0;) {
            x = static_cast<unsigned char>((x - m_addBytes[s]) ^ m_xorBytes[s]);
        }
        const auto plain = static_cast<unsigned char>(x ^ m_feedback);
        out[i] = plain;
        m_feedback ^= plain;
    }
}

void XOR256STREAM::ResetChain() {
    CheckInitialized();
    m_keyStream.Restart();
    m_keyStream.NextByte();
    m_feedback = m_initialFeedback;
}

void XOR256STREAM::EncryptFile(const std::string& in, const std::string& out) {
    EncryptFileInPieces(in, out, kFilePieceLength, false);
}

void XOR256STREAM::DecryptFile(const std::string& in, const std::string& out) {
    DecryptFileInPieces(in, out, kFilePieceLength);
}
