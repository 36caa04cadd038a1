#include "crypto/xor256_block.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

XOR256BLOCK::XOR256BLOCK() : CCipherMethod(1, kKeyLength) {
    m_blockSize = -1;
    m_initialChain.clear();
    m_chain.clear();
}

void XOR256BLOCK::SetKey(const unsigned char* keyData, std::size_t keyDataLength,
                         const unsigned char* initialChain, int blockSize, int externalRounds,
                         int internalRounds, int operationMode, int paddingMode) {
    CheckKeyData(keyData, keyDataLength);
    if (blockSize < 1 || blockSize > kMaxBlockSize) {
        throw std::runtime_error("Illegal Block Size!");
    }
    if (externalRounds < 1) {
        throw std::runtime_error("Illegal External Rounds!");
    }
    if (internalRounds < 1) {
        throw std::runtime_error("Illegal Internal Rounds!");
    }
    CheckModes(operationMode, paddingMode);

    std::vector<unsigned char> key(kKeyLength);
    StretchKey(keyData, keyDataLength, key.data(), key.size());
    const auto n = static_cast<std::size_t>(blockSize);
    std::vector<unsigned char> chain(initialChain, initialChain + n);
    if (m_initialized && blockSize == m_blockSize && externalRounds == m_externalRounds &&
        internalRounds == m_internalRounds && chain == m_initialChain && key == m_key) {
        m_operationMode = operationMode;
        m_paddingMode = paddingMode;
        std::copy(m_initialChain.begin(), m_initialChain.end(), m_chain.begin());
        m_keyStream.Restart();
        return;
    }

    const auto rounds = static_cast<std::size_t>(externalRounds);
    const auto steps = static_cast<std::size_t>(internalRounds);
    if (steps > std::numeric_limits<std::size_t>::max() / 2 / n / rounds) {
        throw std::bad_array_new_length();
    }
    const std::size_t tableSize = n * steps * rounds;
    std::vector<unsigned char> t1(tableSize);
    std::vector<unsigned char> t2(tableSize);
    std::vector<unsigned char> currentChain = chain;
    KeyStream keyStream;
    keyStream.SetKey(key.data(), key.size());
    for (std::size_t l = 0; l < tableSize; ++l) {
        t1[l] = keyStream.NextByte();
        t2[l] = keyStream.NextByte();
    }

    m_keyStream = keyStream;
    m_t1 = std::move(t1);
    m_t2 = std::move(t2);
    m_key = std::move(key);
    m_initialChain = std::move(chain);
    m_chain = std::move(currentChain);
    m_blockSize = blockSize;
    m_externalRounds = externalRounds;
    m_internalRounds = internalRounds;
    m_operationMode = operationMode;
    m_paddingMode = paddingMode;
    m_initialized = true;
}

void XOR256BLOCK::Signature(unsigned char out[32]) const {
    DigestSignature(
        "XOR256BLOCK",
        {m_blockSize, m_internalRounds, m_externalRounds, m_operationMode, m_paddingMode}, out);
}

void XOR256BLOCK::Encrypt(const unsigned char* in, unsigned char* out, std::size_t n) {
    ChainEncrypt(in, out, n, m_chain.data(),
                 [this](const unsigned char* block, unsigned char* result) {
                     EncipherBlock(block, result);
                 });
}

void XOR256BLOCK::Decrypt(const unsigned char* in, unsigned char* out, std::size_t n) {
    ChainDecrypt(
        in, out, n, m_chain.data(),
        [this](const unsigned char* block, unsigned char* result) { EncipherBlock(block, result); },
        [this](const unsigned char* block, unsigned char* result) {
            DecipherBlock(block, result);
        });
}

void XOR256BLOCK::ResetChain() {
    CopyInitialChain();
    m_keyStream.Restart();
}

void XOR256BLOCK::EncipherBlock(const unsigned char* in, unsigned char* out) const {
    const auto n = static_cast<std::size_t>(m_blockSize);
    const auto m = static_cast<std::size_t>(m_internalRounds);
    const auto rounds = static_cast<std::size_t>(m_externalRounds);
    std::copy_n(in, n, out);
    for (std::size_t r = 0; r < rounds; ++r) {
        const bool inputChained = r + 1 == rounds;
        const bool forward = r % 2 == 0;
        const unsigned char* t1 = m_t1.data() + r * n * m;
        const unsigned char* t2 = m_t2.data() + r * n * m;
        unsigned char c = 0;
        for (std::size_t k = 0; k < n; ++k) {
            unsigned char& byte = out[forward ? k : n - 1 - k];
            unsigned char x;
            if (inputChained) {
                c ^= byte;
                x = c;
            } else {
                x = byte ^ c;
            }
            for (std::size_t s = 0; s < m; ++s, ++t1, ++t2) {
                x = static_cast<unsigned char>((x ^ *t1) + *t2);
            }
            byte = x;
            if (!inputChained) {
                c = x;
            }
        }
    }
}

void XOR256BLOCK::DecipherBlock(const unsigned char* in, unsigned char* out) const {
    const auto n = static_cast<std::size_t>(m_blockSize);
    const auto m = static_cast<std::size_t>(m_internalRounds);
    const auto rounds = static_cast<std::size_t>(m_externalRounds);
    std::copy_n(in, n, out);
    for (std::size_t r = rounds; r-- > 0;) {
        const bool inputChained = r + 1 == rounds;
        const bool forward = r % 2 == 0;
        // Each byte's steps are undone from its last table position down to its first.
        const unsigned char* t1 = m_t1.data() + r * n * m;
        const unsigned char* t2 = m_t2.data() + r * n * m;
        unsigned char c = 0;
        for (std::size_t k = 0; k < n; ++k) {
            unsigned char& byte = out[forward ? k : n - 1 - k];
            const unsigned char enciphered = byte;
            unsigned char x = enciphered;
            for (std::size_t s = m * (k + 1); s-- > m * k;) {
                x = static_cast<unsigned char>((x - t2[s]) ^ t1[s]);
            }
            byte = x ^ c;
            c = inputChained ? x : enciphered;
        }
    }
}

std::size_t XOR256BLOCK::FilePieceLength() const {
    const auto blockSize = static_cast<std::size_t>(m_blockSize);
    return blockSize * (kFileBufferSize / blockSize / 2);
}

void XOR256BLOCK::EncryptFile(const std::string& in, const std::string& out) {
    CheckInitialized();
    EncryptFileInPieces(in, out, FilePieceLength(), true);
}

void XOR256BLOCK::DecryptFile(const std::string& in, const std::string& out) {
    CheckInitialized();
    DecryptFileInPieces(in, out, FilePieceLength());
}
