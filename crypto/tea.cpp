#include "crypto/tea.h"

#include <algorithm>

#include "crypto/byte_order.h"

#ifdef GDICT_TEA_SSE2
#include <emmintrin.h>
#endif

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
        // independent there.
        CheckCount(n);
        DecipherSideBySide(in, out, n / kBlockSize);
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

#ifdef GDICT_TEA_SSE2

void TEA::DecipherSideBySide(const unsigned char* in, unsigned char* out,
                             std::size_t blocks) const {
    for (; blocks > 0; in += 8 * kBlockSize, out += 8 * kBlockSize) {
        const std::size_t now = std::min<std::size_t>(blocks, 8);
        DecipherEight(in, out, now);
        blocks -= now;
    }
}

namespace {

inline __m128i Mix(__m128i v) {
    return _mm_add_epi32(_mm_xor_si128(_mm_slli_epi32(v, 4), _mm_srli_epi32(v, 5)), v);
}

}  // namespace

void TEA::DecipherEight(const unsigned char* in, unsigned char* out, std::size_t blocks) const {
    // Lane i holds block i; lanes without a block decipher zeros and are dropped.
    alignas(16) std::uint32_t y[8] = {};
    alignas(16) std::uint32_t z[8] = {};
    for (std::size_t i = 0; i < blocks; ++i) {
        y[i] = LoadWord(in + i * kBlockSize);
        z[i] = LoadWord(in + i * kBlockSize + 4);
    }
    __m128i y0 = _mm_load_si128(reinterpret_cast<const __m128i*>(y));
    __m128i y1 = _mm_load_si128(reinterpret_cast<const __m128i*>(y + 4));
    __m128i z0 = _mm_load_si128(reinterpret_cast<const __m128i*>(z));
    __m128i z1 = _mm_load_si128(reinterpret_cast<const __m128i*>(z + 4));
    std::uint32_t sum = kFinalSum;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        const __m128i zKey = _mm_set1_epi32(static_cast<int>(sum + m_keyWords[(sum >> 11) & 3]));
        z0 = _mm_sub_epi32(z0, _mm_xor_si128(Mix(y0), zKey));
        z1 = _mm_sub_epi32(z1, _mm_xor_si128(Mix(y1), zKey));
        sum -= kDelta;
        const __m128i yKey = _mm_set1_epi32(static_cast<int>(sum + m_keyWords[sum & 3]));
        y0 = _mm_sub_epi32(y0, _mm_xor_si128(Mix(z0), yKey));
        y1 = _mm_sub_epi32(y1, _mm_xor_si128(Mix(z1), yKey));
    }
    _mm_store_si128(reinterpret_cast<__m128i*>(y), y0);
    _mm_store_si128(reinterpret_cast<__m128i*>(y + 4), y1);
    _mm_store_si128(reinterpret_cast<__m128i*>(z), z0);
    _mm_store_si128(reinterpret_cast<__m128i*>(z + 4), z1);
    for (std::size_t i = 0; i < blocks; ++i) {
        StoreWord(out + i * kBlockSize, y[i]);
        StoreWord(out + i * kBlockSize + 4, z[i]);
    }
}

#else

void TEA::DecipherSideBySide(const unsigned char* in, unsigned char* out,
                             std::size_t blocks) const {
    for (; blocks >= 2; blocks -= 2, in += 2 * kBlockSize, out += 2 * kBlockSize) {
        DecipherPair(in, out);
    }
    if (blocks == 1) DecipherBlock(in, out);
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

#endif
