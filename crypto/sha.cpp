#include "crypto/sha.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "crypto/byte_order.h"

namespace {

constexpr std::array<std::uint32_t, 8> kInitialState = {
    0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

constexpr std::array<std::uint32_t, 64> kRoundConstants = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::size_t kBlockSize = 64;
// Bytes of the last block before the 64-bit message length.
constexpr std::size_t kLengthOffset = 56;

inline std::uint32_t SmallSigma0(std::uint32_t x) {
    return std::rotr(x, 7) ^ std::rotr(x, 18) ^ (x >> 3);
}
inline std::uint32_t SmallSigma1(std::uint32_t x) {
    return std::rotr(x, 17) ^ std::rotr(x, 19) ^ (x >> 10);
}

// One round of the compression with kw = round constant + schedule word: of the eight
// working words only d and h change, h becoming the next round's a and d its e. The
// majority is b ^ ((a ^ b) & (b ^ c)); bc holds b ^ c on entry and a ^ b on return, which is
// the next round's b ^ c.
inline void Round(std::uint32_t a, std::uint32_t b, std::uint32_t& d, std::uint32_t e,
                  std::uint32_t f, std::uint32_t g, std::uint32_t& h, std::uint32_t kw,
                  std::uint32_t& bc) {
    const std::uint32_t sum1 = std::rotr(e, 6) ^ std::rotr(e, 11) ^ std::rotr(e, 25);
    h += sum1 + (g ^ (e & (f ^ g))) + kw;
    d += h;
    const std::uint32_t ab = a ^ b;
    const std::uint32_t sum0 = std::rotr(a, 2) ^ std::rotr(a, 13) ^ std::rotr(a, 22);
    h += sum0 + (b ^ (ab & bc));
    bc = ab;
}

}  // namespace

CSHA::CSHA() {
    Reset();
}

void CSHA::Reset() {
    m_state = kInitialState;
    m_bitCount = 0;
    m_dataAdded = false;
}

void CSHA::AddData(const unsigned char* data, std::size_t length) {
    if (length == 0) {
        throw std::runtime_error("FileCrypt ERROR: in CSHA::AddData(), Data Length should be > 0!");
    }
    std::size_t used = static_cast<std::size_t>(m_bitCount / 8 % kBlockSize);
    m_bitCount += static_cast<std::uint64_t>(length) * 8;
    m_dataAdded = true;

    if (used != 0) {
        const std::size_t take = std::min(length, kBlockSize - used);
        std::copy_n(data, take, m_buffer.begin() + used);
        data += take;
        length -= take;
        used += take;
        if (used < kBlockSize) {
            return;
        }
        Compress(m_buffer.data());
    }
    for (; length >= kBlockSize; data += kBlockSize, length -= kBlockSize) {
        Compress(data);
    }
    std::copy_n(data, length, m_buffer.begin());
}

void CSHA::FinalDigest(unsigned char out[kDigestSize]) {
    if (!m_dataAdded) {
        throw std::runtime_error(
            "FileCrypt ERROR: in CSHA::FinalDigest(), No data Added before call!");
    }
    const std::size_t used = static_cast<std::size_t>(m_bitCount / 8 % kBlockSize);
    m_buffer[used] = 0x80;
    if (used + 1 > kLengthOffset) {
        std::fill(m_buffer.begin() + used + 1, m_buffer.end(), 0);
        Compress(m_buffer.data());
        std::fill_n(m_buffer.begin(), kLengthOffset, 0);
    } else {
        std::fill(m_buffer.begin() + used + 1, m_buffer.begin() + kLengthOffset, 0);
    }
    StoreWord(m_buffer.data() + kLengthOffset, static_cast<std::uint32_t>(m_bitCount >> 32));
    StoreWord(m_buffer.data() + kLengthOffset + 4, static_cast<std::uint32_t>(m_bitCount));
    Compress(m_buffer.data());

    for (std::size_t i = 0; i < m_state.size(); ++i) {
        StoreWord(out + 4 * i, m_state[i]);
    }
    Reset();
}

void CSHA::Compress(const unsigned char* block) {
    std::uint32_t a = m_state[0], b = m_state[1], c = m_state[2], d = m_state[3];
    std::uint32_t e = m_state[4], f = m_state[5], g = m_state[6], h = m_state[7];
    std::uint32_t bc = b ^ c;
    // The message schedule is kept as a window of its last 16 words, each computed when its
    // round comes.
    std::array<std::uint32_t, 16> w;
    const auto load = [&](std::size_t i) { return w[i] = LoadWord(block + 4 * i); };
    const auto expand = [&](std::size_t i) {
        return w[i] +=
               SmallSigma1(w[(i + 14) % 16]) + w[(i + 9) % 16] + SmallSigma0(w[(i + 1) % 16]);
    };
    // Sixteen rounds with the round constants k[0..15]; the eight working words are renamed
    // from round to round instead of being moved.
    const auto sixteenRounds = [&](const std::uint32_t* k, auto word) {
        Round(a, b, d, e, f, g, h, k[0] + word(0), bc);
        Round(h, a, c, d, e, f, g, k[1] + word(1), bc);
        Round(g, h, b, c, d, e, f, k[2] + word(2), bc);
        Round(f, g, a, b, c, d, e, k[3] + word(3), bc);
        Round(e, f, h, a, b, c, d, k[4] + word(4), bc);
        Round(d, e, g, h, a, b, c, k[5] + word(5), bc);
        Round(c, d, f, g, h, a, b, k[6] + word(6), bc);
        Round(b, c, e, f, g, h, a, k[7] + word(7), bc);
        Round(a, b, d, e, f, g, h, k[8] + word(8), bc);
        Round(h, a, c, d, e, f, g, k[9] + word(9), bc);
        Round(g, h, b, c, d, e, f, k[10] + word(10), bc);
        Round(f, g, a, b, c, d, e, k[11] + word(11), bc);
        Round(e, f, h, a, b, c, d, k[12] + word(12), bc);
        Round(d, e, g, h, a, b, c, k[13] + word(13), bc);
        Round(c, d, f, g, h, a, b, k[14] + word(14), bc);
        Round(b, c, e, f, g, h, a, k[15] + word(15), bc);
    };
    sixteenRounds(kRoundConstants.data(), load);
    for (std::size_t t = 16; t < 64; t += 16) sixteenRounds(kRoundConstants.data() + t, expand);

    m_state[0] += a;
    m_state[1] += b;
    m_state[2] += c;
    m_state[3] += d;
    m_state[4] += e;
    m_state[5] += f;
    m_state[6] += g;
    m_state[7] += h;
}
