#include "crypto/rijndael.h"

#include <algorithm>
#include <bit>
#include <stdexcept>
#include <utility>
#include <vector>

#include "crypto/byte_order.h"
#include "crypto/rijndael_tables.h"

namespace {

constexpr int kDefaultSize = 16;

bool IsRijndaelSize(int bytes) {
    return bytes == 16 || bytes == 24 || bytes == 32;
}

// Row shift offsets of rows 1-3 by number of columns (4, 6 or 8).
constexpr std::array<int, 3> RowShifts(int columns) {
    return columns == 8 ? std::array<int, 3>{1, 3, 4} : std::array<int, 3>{1, 2, 3};
}

inline std::uint32_t ByteOf(std::uint32_t word, int row) {
    return (word >> (24 - 8 * row)) & 0xFF;
}

std::uint32_t SubWord(std::uint32_t w) {
    const auto& s = kRijndaelTables.sbox;
    return static_cast<std::uint32_t>(s[w >> 24]) << 24 | s[(w >> 16) & 0xFF] << 16 |
           s[(w >> 8) & 0xFF] << 8 | s[w & 0xFF];
}

// InvMixColumns of one round-key column: the decipher tables undo the S-box first, so each byte
// goes through the S-box before its look-up.
std::uint32_t InverseMixColumn(std::uint32_t w) {
    const auto& t = kRijndaelTables;
    return t.decipher[0][t.sbox[w >> 24]] ^ t.decipher[1][t.sbox[(w >> 16) & 0xFF]] ^
           t.decipher[2][t.sbox[(w >> 8) & 0xFF]] ^ t.decipher[3][t.sbox[w & 0xFF]];
}

// The state of a 16-byte block: four column words. The helpers of the 16-byte path are forced
// inline: the compiler's size limits would otherwise turn each written-out round into a call.
struct Columns4 {
    std::uint32_t c0, c1, c2, c3;
};

inline Columns4 Load4(const unsigned char* in) {
    return {LoadWord(in), LoadWord(in + 4), LoadWord(in + 8), LoadWord(in + 12)};
}

inline void Store4(unsigned char* out, const Columns4& s) {
    StoreWord(out, s.c0);
    StoreWord(out + 4, s.c1);
    StoreWord(out + 8, s.c2);
    StoreWord(out + 12, s.c3);
}

inline Columns4 Xor4(const Columns4& s, const std::uint32_t* w) {
    return {s.c0 ^ w[0], s.c1 ^ w[1], s.c2 ^ w[2], s.c3 ^ w[3]};
}

inline Columns4 Xor4(const Columns4& a, const Columns4& b) {
    return {a.c0 ^ b.c0, a.c1 ^ b.c1, a.c2 ^ b.c2, a.c3 ^ b.c3};
}

// One full enciphering round; row r of column c comes from column c + r.
[[gnu::always_inline]] inline Columns4 EncipherRound(const Columns4& s, const std::uint32_t* rk) {
    const auto& t = kRijndaelTables.encipher;
    return {t[0][s.c0 >> 24] ^ t[1][(s.c1 >> 16) & 0xFF] ^ t[2][(s.c2 >> 8) & 0xFF] ^
                t[3][s.c3 & 0xFF] ^ rk[0],
            t[0][s.c1 >> 24] ^ t[1][(s.c2 >> 16) & 0xFF] ^ t[2][(s.c3 >> 8) & 0xFF] ^
                t[3][s.c0 & 0xFF] ^ rk[1],
            t[0][s.c2 >> 24] ^ t[1][(s.c3 >> 16) & 0xFF] ^ t[2][(s.c0 >> 8) & 0xFF] ^
                t[3][s.c1 & 0xFF] ^ rk[2],
            t[0][s.c3 >> 24] ^ t[1][(s.c0 >> 16) & 0xFF] ^ t[2][(s.c1 >> 8) & 0xFF] ^
                t[3][s.c2 & 0xFF] ^ rk[3]};
}

// One full deciphering round; row r of column c comes from column c - r.
[[gnu::always_inline]] inline Columns4 DecipherRound(const Columns4& s, const std::uint32_t* rk) {
    const auto& t = kRijndaelTables.decipher;
    return {t[0][s.c0 >> 24] ^ t[1][(s.c3 >> 16) & 0xFF] ^ t[2][(s.c2 >> 8) & 0xFF] ^
                t[3][s.c1 & 0xFF] ^ rk[0],
            t[0][s.c1 >> 24] ^ t[1][(s.c0 >> 16) & 0xFF] ^ t[2][(s.c3 >> 8) & 0xFF] ^
                t[3][s.c2 & 0xFF] ^ rk[1],
            t[0][s.c2 >> 24] ^ t[1][(s.c1 >> 16) & 0xFF] ^ t[2][(s.c0 >> 8) & 0xFF] ^
                t[3][s.c3 & 0xFF] ^ rk[2],
            t[0][s.c3 >> 24] ^ t[1][(s.c2 >> 16) & 0xFF] ^ t[2][(s.c1 >> 8) & 0xFF] ^
                t[3][s.c0 & 0xFF] ^ rk[3]};
}

// The last round's column: the bytes of rows 0-3 from columns a, b, c, d through the box.
inline std::uint32_t LastColumn(const std::array<std::uint8_t, 256>& box, std::uint32_t a,
                                std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    return static_cast<std::uint32_t>(box[a >> 24]) << 24 | box[(b >> 16) & 0xFF] << 16 |
           box[(c >> 8) & 0xFF] << 8 | box[d & 0xFF];
}

// The whole enciphering of one 16-byte block held as column words, rounds written out.
[[gnu::always_inline]] inline Columns4 Encipher4(const Columns4& in, const std::uint32_t* rk,
                                                 int rounds) {
    Columns4 s = Xor4(in, rk);
    s = EncipherRound(s, rk + 4);
    s = EncipherRound(s, rk + 8);
    s = EncipherRound(s, rk + 12);
    s = EncipherRound(s, rk + 16);
    s = EncipherRound(s, rk + 20);
    s = EncipherRound(s, rk + 24);
    s = EncipherRound(s, rk + 28);
    s = EncipherRound(s, rk + 32);
    s = EncipherRound(s, rk + 36);
    if (rounds > 10) {
        s = EncipherRound(s, rk + 40);
        s = EncipherRound(s, rk + 44);
        if (rounds > 12) {
            s = EncipherRound(s, rk + 48);
            s = EncipherRound(s, rk + 52);
        }
    }
    rk += 4 * rounds;
    const auto& box = kRijndaelTables.sbox;
    return {LastColumn(box, s.c0, s.c1, s.c2, s.c3) ^ rk[0],
            LastColumn(box, s.c1, s.c2, s.c3, s.c0) ^ rk[1],
            LastColumn(box, s.c2, s.c3, s.c0, s.c1) ^ rk[2],
            LastColumn(box, s.c3, s.c0, s.c1, s.c2) ^ rk[3]};
}

// The whole deciphering of one 16-byte block held as column words, rounds written out.
[[gnu::always_inline]] inline Columns4 Decipher4(const Columns4& in, const std::uint32_t* rk,
                                                 int rounds) {
    Columns4 s = Xor4(in, rk);
    s = DecipherRound(s, rk + 4);
    s = DecipherRound(s, rk + 8);
    s = DecipherRound(s, rk + 12);
    s = DecipherRound(s, rk + 16);
    s = DecipherRound(s, rk + 20);
    s = DecipherRound(s, rk + 24);
    s = DecipherRound(s, rk + 28);
    s = DecipherRound(s, rk + 32);
    s = DecipherRound(s, rk + 36);
    if (rounds > 10) {
        s = DecipherRound(s, rk + 40);
        s = DecipherRound(s, rk + 44);
        if (rounds > 12) {
            s = DecipherRound(s, rk + 48);
            s = DecipherRound(s, rk + 52);
        }
    }
    rk += 4 * rounds;
    const auto& box = kRijndaelTables.inverseSbox;
    return {LastColumn(box, s.c0, s.c3, s.c2, s.c1) ^ rk[0],
            LastColumn(box, s.c1, s.c0, s.c3, s.c2) ^ rk[1],
            LastColumn(box, s.c2, s.c1, s.c0, s.c3) ^ rk[2],
            LastColumn(box, s.c3, s.c2, s.c1, s.c0) ^ rk[3]};
}

// Enciphers `blocks` 16-byte blocks; with a chain block, in CBC, the chain staying in registers.
// The only caller of Encipher4, so that the rounds are compiled into this loop.
void EncipherRun(const std::uint32_t* rk, int rounds, const unsigned char* in, unsigned char* out,
                 std::size_t blocks, unsigned char* chain) {
    Columns4 c{};
    if (chain != nullptr) c = Load4(chain);
    for (; blocks != 0; --blocks, in += 16, out += 16) {
        Columns4 block = Load4(in);
        if (chain != nullptr) block = Xor4(block, c);
        c = Encipher4(block, rk, rounds);
        Store4(out, c);
    }
    if (chain != nullptr) Store4(chain, c);
}

// Deciphers `blocks` 16-byte blocks; with a chain block, in CBC, the chain staying in registers.
// The only caller of Decipher4.
void DecipherRun(const std::uint32_t* rk, int rounds, const unsigned char* in, unsigned char* out,
                 std::size_t blocks, unsigned char* chain) {
    Columns4 c{};
    if (chain != nullptr) c = Load4(chain);
    for (; blocks != 0; --blocks, in += 16, out += 16) {
        const Columns4 block = Load4(in);
        Columns4 plain = Decipher4(block, rk, rounds);
        if (chain != nullptr) plain = Xor4(plain, c);
        c = block;
        Store4(out, plain);
    }
    if (chain != nullptr) Store4(chain, c);
}

}  // namespace

void RijndaelBlockCipher::Expand(const unsigned char* key, int keyLength, int blockSize) {
    const int keyWords = keyLength / 4;
    m_columns = blockSize / 4;
    m_rounds = std::max(keyWords, m_columns) + 6;
    const int words = m_columns * (m_rounds + 1);

    std::uint32_t* w = m_encipherKeys.data();
    for (int i = 0; i < keyWords; ++i) w[i] = LoadWord(key + 4 * i);
    std::uint8_t roundConstant = 0x01;
    for (int i = keyWords; i < words; ++i) {
        std::uint32_t temp = w[i - 1];
        if (i % keyWords == 0) {
            temp = SubWord(std::rotl(temp, 8)) ^ static_cast<std::uint32_t>(roundConstant) << 24;
            roundConstant = RijndaelTimes2(roundConstant);
        } else if (keyWords > 6 && i % keyWords == 4) {
            temp = SubWord(temp);
        }
        w[i] = w[i - keyWords] ^ temp;
    }

    // The equivalent inverse cipher takes the round keys in reverse order, with the column
    // mixing undone in all but the first and the last.
    for (int round = 0; round <= m_rounds; ++round) {
        const std::uint32_t* source = w + (m_rounds - round) * m_columns;
        std::uint32_t* target = m_decipherKeys.data() + round * m_columns;
        const bool mixed = round != 0 && round != m_rounds;
        for (int c = 0; c < m_columns; ++c) {
            target[c] = mixed ? InverseMixColumn(source[c]) : source[c];
        }
    }

    const std::array<int, 3> shifts = RowShifts(m_columns);
    for (int row = 0; row < 3; ++row) {
        for (int c = 0; c < m_columns; ++c) {
            m_encipherSources[row][c] = static_cast<std::uint8_t>((c + shifts[row]) % m_columns);
            m_decipherSources[row][c] =
                static_cast<std::uint8_t>((c + m_columns - shifts[row]) % m_columns);
        }
    }
}

void RijndaelBlockCipher::Encipher(const unsigned char* in, unsigned char* out) const {
    const auto& t = kRijndaelTables;
    const auto& from = m_encipherSources;
    const std::uint32_t* rk = m_encipherKeys.data();
    std::array<std::uint32_t, kMaxColumns> s;
    std::array<std::uint32_t, kMaxColumns> next;
    for (int c = 0; c < m_columns; ++c) s[c] = LoadWord(in + 4 * c) ^ rk[c];
    for (int round = 1; round < m_rounds; ++round) {
        rk += m_columns;
        for (int c = 0; c < m_columns; ++c) {
            next[c] = t.encipher[0][s[c] >> 24] ^ t.encipher[1][ByteOf(s[from[0][c]], 1)] ^
                      t.encipher[2][ByteOf(s[from[1][c]], 2)] ^
                      t.encipher[3][ByteOf(s[from[2][c]], 3)] ^ rk[c];
        }
        s = next;
    }
    rk += m_columns;
    for (int c = 0; c < m_columns; ++c) {
        StoreWord(out + 4 * c,
                  LastColumn(t.sbox, s[c], s[from[0][c]], s[from[1][c]], s[from[2][c]]) ^ rk[c]);
    }
}

void RijndaelBlockCipher::Decipher(const unsigned char* in, unsigned char* out) const {
    const auto& t = kRijndaelTables;
    const auto& from = m_decipherSources;
    const std::uint32_t* rk = m_decipherKeys.data();
    std::array<std::uint32_t, kMaxColumns> s;
    std::array<std::uint32_t, kMaxColumns> next;
    for (int c = 0; c < m_columns; ++c) s[c] = LoadWord(in + 4 * c) ^ rk[c];
    for (int round = 1; round < m_rounds; ++round) {
        rk += m_columns;
        for (int c = 0; c < m_columns; ++c) {
            next[c] = t.decipher[0][s[c] >> 24] ^ t.decipher[1][ByteOf(s[from[0][c]], 1)] ^
                      t.decipher[2][ByteOf(s[from[1][c]], 2)] ^
                      t.decipher[3][ByteOf(s[from[2][c]], 3)] ^ rk[c];
        }
        s = next;
    }
    rk += m_columns;
    for (int c = 0; c < m_columns; ++c) {
        StoreWord(
            out + 4 * c,
            LastColumn(t.inverseSbox, s[c], s[from[0][c]], s[from[1][c]], s[from[2][c]]) ^ rk[c]);
    }
}

void RijndaelBlockCipher::Encipher16(const unsigned char* in, unsigned char* out) const {
    EncipherRun(m_encipherKeys.data(), m_rounds, in, out, 1, nullptr);
}

void RijndaelBlockCipher::Decipher16(const unsigned char* in, unsigned char* out) const {
    DecipherRun(m_decipherKeys.data(), m_rounds, in, out, 1, nullptr);
}

void RijndaelBlockCipher::EncipherCbc16(const unsigned char* in, unsigned char* out,
                                        std::size_t blocks, unsigned char* chain) const {
    EncipherRun(m_encipherKeys.data(), m_rounds, in, out, blocks, chain);
}

void RijndaelBlockCipher::DecipherCbc16(const unsigned char* in, unsigned char* out,
                                        std::size_t blocks, unsigned char* chain) const {
    DecipherRun(m_decipherKeys.data(), m_rounds, in, out, blocks, chain);
}

RIJNDAEL::RIJNDAEL() : CCipherMethod(kDefaultSize, kDefaultSize) {}

void RIJNDAEL::SetKey(const unsigned char* keyData, std::size_t keyDataLength,
                      const unsigned char* initialChain, int keyLength, int blockSize,
                      int operationMode, int paddingMode) {
    CheckKeyData(keyData, keyDataLength);
    if (!IsRijndaelSize(keyLength)) throw std::runtime_error("Illegal Key Length!");
    if (!IsRijndaelSize(blockSize)) throw std::runtime_error("Illegal Block Size!");
    CheckModes(operationMode, paddingMode);

    // Everything that can fail (allocation) happens before the instance changes.
    std::vector<unsigned char> key(static_cast<std::size_t>(keyLength));
    StretchKey(keyData, keyDataLength, key.data(), key.size());
    std::vector<unsigned char> chain(initialChain, initialChain + blockSize);
    std::vector<unsigned char> currentChain = chain;

    m_cipher.Expand(key.data(), keyLength, blockSize);
    m_key = std::move(key);
    m_initialChain = std::move(chain);
    m_chain = std::move(currentChain);
    m_blockSize = blockSize;
    m_keyLength = keyLength;
    m_operationMode = operationMode;
    m_paddingMode = paddingMode;
    m_initialized = true;
}

void RIJNDAEL::Signature(unsigned char out[32]) const {
    DigestSignature("RIJNDAEL", {m_blockSize, m_keyLength, m_operationMode, m_paddingMode}, out);
}

void RIJNDAEL::Encrypt(const unsigned char* in, unsigned char* out, std::size_t n) {
    if (m_blockSize == 16 && m_operationMode == kCbc) {
        // CBC enciphers one block after the other, each waiting for the last. Keeping the chain
        // block in registers instead of passing it through memory with every block, as the
        // common mode code does, takes more than a quarter off the time for AES.
        CheckCount(n);
        m_cipher.EncipherCbc16(in, out, n / 16, m_chain.data());
        return;
    }
    if (m_blockSize == 16) {
        ChainEncrypt(in, out, n, m_chain.data(),
                     [this](const unsigned char* block, unsigned char* result) {
                         m_cipher.Encipher16(block, result);
                     });
        return;
    }
    ChainEncrypt(in, out, n, m_chain.data(),
                 [this](const unsigned char* block, unsigned char* result) {
                     m_cipher.Encipher(block, result);
                 });
}

void RIJNDAEL::Decrypt(const unsigned char* in, unsigned char* out, std::size_t n) {
    if (m_blockSize == 16 && m_operationMode == kCbc) {
        // As in Encrypt: the chain block stays in registers, and each block is combined with
        // it as whole words.
        CheckCount(n);
        m_cipher.DecipherCbc16(in, out, n / 16, m_chain.data());
        return;
    }
    if (m_blockSize == 16) {
        ChainDecrypt(
            in, out, n, m_chain.data(),
            [this](const unsigned char* block, unsigned char* result) {
                m_cipher.Encipher16(block, result);
            },
            [this](const unsigned char* block, unsigned char* result) {
                m_cipher.Decipher16(block, result);
            });
        return;
    }
    ChainDecrypt(
        in, out, n, m_chain.data(),
        [this](const unsigned char* block, unsigned char* result) {
            m_cipher.Encipher(block, result);
        },
        [this](const unsigned char* block, unsigned char* result) {
            m_cipher.Decipher(block, result);
        });
}

void RIJNDAEL::ResetChain() {
    CopyInitialChain();
}
