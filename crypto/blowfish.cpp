#include "crypto/blowfish.h"

#include <algorithm>
#include <array>

#include "crypto/byte_order.h"

namespace {

// The chain words are read from the chain's bytes little-endian (bytes[0] least
// significant), unlike the blocks.
inline std::uint32_t LoadLittleEndianWord(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[3]) << 24 | static_cast<std::uint32_t>(bytes[2]) << 16 |
           static_cast<std::uint32_t>(bytes[1]) << 8 | static_cast<std::uint32_t>(bytes[0]);
}

}  // namespace

BLOWFISH::BLOWFISH() : CCipherMethod(kBlockSize, kKeyLength) {}

void BLOWFISH::SetKey(const unsigned char* keyData, std::size_t keyDataLength,
                      const unsigned char* initialChain, int operationMode, int paddingMode) {
    CheckKeyData(keyData, keyDataLength);
    CheckModes(operationMode, paddingMode);

    if (!StoreSetUp(keyData, keyDataLength, initialChain, operationMode, paddingMode)) return;

    // Each P word is XORed with the next four key bytes, read big-endian and wrapping around
    // the 56 key bytes.
    std::size_t next = 0;
    for (std::size_t i = 0; i < m_p.size(); ++i) {
        std::uint32_t keyWord = 0;
        for (int byte = 0; byte < 4; ++byte) {
            keyWord = keyWord << 8 | m_key[next];
            next = (next + 1) % m_key.size();
        }
        m_p[i] = kBlowfishInitialP[i] ^ keyWord;
    }
    m_s = kBlowfishInitialS;

    // Enciphering a running block, starting from all zero bits, replaces P and then the
    // S-boxes two words at a time: 9 + 4 * 128 = 521 encipherments.
    std::uint32_t left = 0;
    std::uint32_t right = 0;
    for (std::size_t i = 0; i < m_p.size(); i += 2) {
        Encipher(left, right);
        m_p[i] = left;
        m_p[i + 1] = right;
    }
    for (auto& box : m_s) {
        for (std::size_t i = 0; i < box.size(); i += 2) {
            Encipher(left, right);
            box[i] = left;
            box[i + 1] = right;
        }
    }
    m_initialized = true;
}

void BLOWFISH::Signature(unsigned char out[32]) const {
    DigestSignature("BLOWFISH", {m_operationMode, m_paddingMode}, out);
}

// The modes keep the chain as two local words that are never stored back. Each CBC or CFB
// block waits on the one before it, and keeping the chain out of memory keeps that wait short.
void BLOWFISH::Encrypt(const unsigned char* in, unsigned char* out, std::size_t n) {
    CheckCount(n);
    std::uint32_t chainLeft = LoadLittleEndianWord(m_chain.data());
    std::uint32_t chainRight = LoadLittleEndianWord(m_chain.data() + 4);
    const unsigned char* const end = in + n;
    for (; in != end; in += kBlockSize, out += kBlockSize) {
        std::uint32_t left = LoadWord(in);
        std::uint32_t right = LoadWord(in + 4);
        if (m_operationMode == kCbc) {
            left ^= chainLeft;
            right ^= chainRight;
            Encipher(left, right);
            chainLeft = left;
            chainRight = right;
        } else if (m_operationMode == kCfb) {
            Encipher(chainLeft, chainRight);
            chainLeft ^= left;
            chainRight ^= right;
            left = chainLeft;
            right = chainRight;
        } else {
            Encipher(left, right);
        }
        StoreWord(out, left);
        StoreWord(out + 4, right);
    }
}

void BLOWFISH::Decrypt(const unsigned char* in, unsigned char* out, std::size_t n) {
    CheckCount(n);
    std::uint32_t chainLeft = LoadLittleEndianWord(m_chain.data());
    std::uint32_t chainRight = LoadLittleEndianWord(m_chain.data() + 4);
    const unsigned char* const end = in + n;
    for (; in != end; in += kBlockSize, out += kBlockSize) {
        const std::uint32_t inLeft = LoadWord(in);
        const std::uint32_t inRight = LoadWord(in + 4);
        std::uint32_t left = inLeft;
        std::uint32_t right = inRight;
        if (m_operationMode == kCbc) {
            Decipher(left, right);
            left ^= chainLeft;
            right ^= chainRight;
        } else if (m_operationMode == kCfb) {
            Encipher(chainLeft, chainRight);
            left ^= chainLeft;
            right ^= chainRight;
        } else {
            Decipher(left, right);
        }
        chainLeft = inLeft;
        chainRight = inRight;
        StoreWord(out, left);
        StoreWord(out + 4, right);
    }
}

void BLOWFISH::ResetChain() {
    CopyInitialChain();
}

void BLOWFISH::Encipher(std::uint32_t& left, std::uint32_t& right) const {
    const auto f = [this](std::uint32_t x) {
        return ((m_s[0][x >> 24] + m_s[1][(x >> 16) & 0xFF]) ^ m_s[2][(x >> 8) & 0xFF]) +
               m_s[3][x & 0xFF];
    };
    // The 16 rounds without swapping the halves: odd rounds work on the other half, and each
    // round's P word is folded into the step before it.
    std::uint32_t l = left ^ m_p[0];
    std::uint32_t r = right;
    for (std::size_t i = 1; i < 17; i += 2) {
        r ^= f(l) ^ m_p[i];
        l ^= f(r) ^ m_p[i + 1];
    }
    left = r ^ m_p[17];
    right = l;
}

void BLOWFISH::Decipher(std::uint32_t& left, std::uint32_t& right) const {
    const auto f = [this](std::uint32_t x) {
        return ((m_s[0][x >> 24] + m_s[1][(x >> 16) & 0xFF]) ^ m_s[2][(x >> 8) & 0xFF]) +
               m_s[3][x & 0xFF];
    };
    std::uint32_t l = left ^ m_p[17];
    std::uint32_t r = right;
    for (std::size_t i = 16; i > 0; i -= 2) {
        r ^= f(l) ^ m_p[i];
        l ^= f(r) ^ m_p[i - 1];
    }
    left = r ^ m_p[0];
    right = l;
}
