#include "crypto/tea.h"

#include <algorithm>

#include "crypto/byte_order.h"

namespace {

constexpr std::uint32_t kDelta = 0x9E3779B9;
constexpr int kCycles = 32;
constexpr std::uint32_t kFinalSum = kDelta * kCycles;

// The Feistel function's mixing of one half: ((v << 4) ^ (v >> 5)) + v.
inline std::uint32_t Mix(std::uint32_t v) {
    return ((v << 4) ^ (v >> 5)) + v;
}

}  // namespace

TEA::TEA() : CCipherMethod(kBlockSize, kKeyLength) {}

void TEA::SetKey(const unsigned char* keyData, std::size_t keyDataLength,
                 const unsigned char* initialChain, int operationMode, int paddingMode) {
    CheckKeyData(keyData, keyDataLength);
    CheckModes(operationMode, paddingMode);

    if (!StoreSetUp(keyData, keyDataLength, initialChain, operationMode, paddingMode)) return;
    for (std::size_t i = 0; i < m_keyWords.size(); ++i) {
        m_keyWords[i] = LoadWord(m_key.data() + 4 * i);
    }
    m_initialized = true;
}

void TEA::Signature(unsigned char out[32]) const {
    DigestSignature("TEA", {m_operationMode, m_paddingMode}, out);
}

void TEA::Encrypt(const unsigned char* in, unsigned char* out, std::size_t n) {
    ChainEncrypt(in, out, n, m_chain.data(),
                 [this](const unsigned char* block, unsigned char* result) {
                     EncipherBlock(block, result);
                 });
}

void TEA::Decrypt(const unsigned char* in, unsigned char* out, std::size_t n) {
    if (m_operationMode == kEcb) {
        // Stored texts are deciphered in ECB mode, once per dictionary record. The blocks are
        // independent there, so two at a time are deciphered side by side: their rounds
        // overlap instead of waiting on one long chain of dependent operations.
        CheckCount(n);
        std::size_t blocks = n / kBlockSize;
        for (; blocks >= 2; blocks -= 2, in += 2 * kBlockSize, out += 2 * kBlockSize) {
            DecipherPair(in, out);
        }
        if (blocks == 1) {
            DecipherBlock(in, out);
        }
        return;
    }
    ChainDecrypt(
        in, out, n, m_chain.data(),
        [this](const unsigned char* block, unsigned char* result) { EncipherBlock(block, result); },
        [this](const unsigned char* block, unsigned char* result) {
            DecipherBlock(block, result);
        });
}

void TEA::ResetChain() {
    CopyInitialChain();
}

void TEA::EncipherBlock(const unsigned char* in, unsigned char* out) const {
    std::uint32_t y = LoadWord(in);
    std::uint32_t z = LoadWord(in + 4);
    std::uint32_t sum = 0;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        y += Mix(z) ^ (sum + m_keyWords[sum & 3]);
        sum += kDelta;
        z += Mix(y) ^ (sum + m_keyWords[(sum >> 11) & 3]);
    }
    StoreWord(out, y);
    StoreWord(out + 4, z);
}

void TEA::DecipherBlock(const unsigned char* in, unsigned char* out) const {
    std::uint32_t y = LoadWord(in);
    std::uint32_t z = LoadWord(in + 4);
    std::uint32_t sum = kFinalSum;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        z -= Mix(y) ^ (sum + m_keyWords[(sum >> 11) & 3]);
        sum -= kDelta;
        y -= Mix(z) ^ (sum + m_keyWords[sum & 3]);
    }
    StoreWord(out, y);
    StoreWord(out + 4, z);
}

void TEA::DecipherPair(const unsigned char* in, unsigned char* out) const {
    std::uint32_t y0 = LoadWord(in);
    std::uint32_t z0 = LoadWord(in + 4);
    std::uint32_t y1 = LoadWord(in + kBlockSize);
    std::uint32_t z1 = LoadWord(in + kBlockSize + 4);
    std::uint32_t sum = kFinalSum;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        const std::uint32_t zKey = sum + m_keyWords[(sum >> 11) & 3];
        z0 -= Mix(y0) ^ zKey;
        z1 -= Mix(y1) ^ zKey;
        sum -= kDelta;
        const std::uint32_t yKey = sum + m_keyWords[sum & 3];
        y0 -= Mix(z0) ^ yKey;
        y1 -= Mix(z1) ^ yKey;
    }
    StoreWord(out, y0);
    StoreWord(out + 4, z0);
    StoreWord(out + kBlockSize, y1);
    StoreWord(out + kBlockSize + 4, z1);
}
