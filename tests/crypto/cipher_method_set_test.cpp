// The cipher method set's five methods: how Select keys them, chaining across calls, and whole
// files, for every method, operation mode and padding mode.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "crypto/cipher_method_set.h"
#include "tests/support/temp_dir.h"
#include "vector_file.h"

namespace {

constexpr int kMethods[] = {CCipherMethodSet::kRijndael, CCipherMethodSet::kXor256Stream,
                            CCipherMethodSet::kTea, CCipherMethodSet::kXor256Block,
                            CCipherMethodSet::kBlowfish};
constexpr int kModes[] = {CCipherMethod::kEcb, CCipherMethod::kCbc, CCipherMethod::kCfb};
constexpr int kPaddings[] = {CCipherMethod::kPadZeros, CCipherMethod::kPadSpaces,
                             CCipherMethod::kPadCount};

Bytes Pattern(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 3);
    return bytes;
}

// Runs step on the two halves of bytes, first half first, and joins the results.
template <class Step>
Bytes InTwoCalls(const Bytes& bytes, Step step) {
    const std::size_t half = bytes.size() / 2;
    Bytes joined = step(Bytes(bytes.begin(), bytes.begin() + half));
    const Bytes second = step(Bytes(bytes.begin() + half, bytes.end()));
    joined.insert(joined.end(), second.begin(), second.end());
    return joined;
}

std::string Describe(int method, int mode, int padding) {
    return "method " + std::to_string(method) + " mode " + std::to_string(mode) + " padding " +
           std::to_string(padding);
}

class CipherMethodSetTest : public ::testing::Test {
protected:
    CCipherMethod* Select(int method, std::string_view key, int mode = CCipherMethod::kEcb,
                          int padding = CCipherMethod::kPadZeros) {
        return m_set.Select(method, key, mode, padding);
    }

    CCipherMethodSet m_set;
    std::unique_lock<std::mutex> m_lock = m_set.Lock();
};

TEST_F(CipherMethodSetTest, SelectKeysEachMethodFromItsKeyBuffer) {
    // AES-128 with the first 16 bytes of the 32-byte buffer (FIPS-197 appendix C.1).
    const Bytes aesKey = FromHex("000102030405060708090A0B0C0D0E0F");
    const std::string aesKeyText(aesKey.begin(), aesKey.end());
    EXPECT_EQ(Encrypted(*Select(CCipherMethodSet::kRijndael, aesKeyText + "ignored"),
                        FromHex("00112233445566778899AABBCCDDEEFF")),
              FromHex("69C4E0D86A7B0430D8CDB78070B4C55A"));
    // An empty key text keys TEA with 16 zero bytes: the XTEA all-zero vector.
    EXPECT_EQ(Encrypted(*Select(CCipherMethodSet::kTea, ""), Bytes(8)),
              FromHex("DEE9D4D8F7131ED9"));
    // Zero bytes after the key text change nothing: the buffer is zero-filled anyway.
    for (const int method : kMethods) {
        const Bytes short_ = Encrypted(*Select(method, "cuff"), Pattern(32));
        const Bytes padded = Encrypted(*Select(method, std::string("cuff\0\0\0", 7)), Pattern(32));
        EXPECT_EQ(short_, padded) << method;
        EXPECT_NE(short_, Encrypted(*Select(method, "cufF"), Pattern(32))) << method;
    }
    EXPECT_EQ(Select(CCipherMethodSet::kRijndael, "k")->BlockSize(), 16);
    EXPECT_EQ(Select(CCipherMethodSet::kXor256Stream, "k")->BlockSize(), -1);
    EXPECT_EQ(Select(CCipherMethodSet::kTea, "k")->BlockSize(), 8);
    EXPECT_EQ(Select(CCipherMethodSet::kXor256Block, "k")->BlockSize(), 16);
    EXPECT_EQ(Select(CCipherMethodSet::kBlowfish, "k")->BlockSize(), 8);
}

TEST_F(CipherMethodSetTest, SelectRekeysTheSameInstance) {
    CCipherMethod* first = Select(CCipherMethodSet::kBlowfish, "one");
    EXPECT_EQ(Select(CCipherMethodSet::kBlowfish, "two"), first);
    EXPECT_THROW(Select(CCipherMethodSet::kTea, "k", 3), std::runtime_error);
    EXPECT_THROW(Select(CCipherMethodSet::kTea, "k", 0, -1), std::runtime_error);
}

TEST_F(CipherMethodSetTest, PadAndXorBlockLeaveAMethodWithoutBlocksAlone) {
    // XOR256STREAM has no blocks (block size -1): nothing is padded or combined, and nothing
    // is written past the bytes given.
    CCipherMethod& stream = *Select(CCipherMethodSet::kXor256Stream, "k");
    Bytes buffer = Pattern(8);
    const Bytes before = buffer;
    EXPECT_EQ(stream.Pad(buffer.data(), 5), 5u);
    stream.XorBlock(buffer.data(), Pattern(8).data());
    EXPECT_EQ(buffer, before);
}

TEST_F(CipherMethodSetTest, EveryMethodModeAndPaddingRoundTripsAcrossCalls) {
    const Bytes plain = Pattern(96);
    for (const int method : kMethods) {
        for (const int mode : kModes) {
            for (const int padding : kPaddings) {
                SCOPED_TRACE(Describe(method, mode, padding));
                CCipherMethod& cipher = *Select(method, "pattern maker", mode, padding);
                const Bytes whole = Encrypted(cipher, plain);
                cipher.ResetChain();
                const auto encrypt = [&](const Bytes& bytes) { return Encrypted(cipher, bytes); };
                const auto decrypt = [&](const Bytes& bytes) { return Decrypted(cipher, bytes); };
                const Bytes inTwo = InTwoCalls(plain, encrypt);
                cipher.ResetChain();
                if (method == CCipherMethodSet::kBlowfish && mode != CCipherMethod::kEcb) {
                    // Each BLOWFISH call starts again from the stored chain.
                    EXPECT_NE(inTwo, whole);
                    EXPECT_EQ(Decrypted(cipher, whole), plain);
                    EXPECT_EQ(InTwoCalls(inTwo, decrypt), plain);
                    continue;
                }
                EXPECT_EQ(inTwo, whole);
                EXPECT_EQ(Decrypted(cipher, whole), plain);
                cipher.ResetChain();
                EXPECT_EQ(InTwoCalls(whole, decrypt), plain);
            }
        }
    }
}

TEST_F(CipherMethodSetTest, EveryMethodEnciphersWholeFiles) {
    TempDir dir;
    const auto read = [](const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    };
    for (const int method : kMethods) {
        for (const int mode : kModes) {
            for (const int padding : kPaddings) {
                for (const std::size_t size : {0u, 1u, 1000u, 1001u, 3000u}) {
                    SCOPED_TRACE(Describe(method, mode, padding) + " size " + std::to_string(size));
                    const Bytes plain = Pattern(size);
                    std::ofstream(dir / "plain", std::ios::binary)
                        .write(reinterpret_cast<const char*>(plain.data()),
                               static_cast<std::streamsize>(size));
                    CCipherMethod& cipher = *Select(method, "buyer", mode, padding);
                    cipher.EncryptFile((dir / "plain").string(), (dir / "enc").string());
                    cipher.DecryptFile((dir / "enc").string(), (dir / "dec").string());
                    const auto block = static_cast<std::size_t>(std::max(cipher.BlockSize(), 1));
                    const std::size_t padded = (size + block - 1) / block * block;
                    EXPECT_EQ(std::filesystem::file_size(dir / "enc"), 32 + padded);
                    const Bytes back = read(dir / "dec");
                    ASSERT_EQ(back.size(), padded);
                    EXPECT_EQ(Bytes(back.begin(), back.begin() + size), plain);
                }
            }
        }
    }
    // A file of one method is refused by another.
    Select(CCipherMethodSet::kTea, "buyer")
        ->EncryptFile((dir / "plain").string(), (dir / "enc").string());
    EXPECT_THROW(Select(CCipherMethodSet::kBlowfish, "buyer")
                     ->DecryptFile((dir / "enc").string(), (dir / "dec").string()),
                 std::runtime_error);
}

}  // namespace
