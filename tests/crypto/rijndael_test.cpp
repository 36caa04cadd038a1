#include "crypto/rijndael.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>

#include "crypto/sha.h"
#include "vector_file.h"

namespace {

using testing::StrEq;
using testing::ThrowsMessage;

constexpr int kEcb = CCipherMethod::kEcb;
constexpr int kCbc = CCipherMethod::kCbc;
constexpr int kCfb = CCipherMethod::kCfb;

// n bytes of a fixed pseudo-random sequence; different seeds give different sequences.
Bytes Pattern(std::size_t n, unsigned seed) {
    Bytes bytes(n);
    unsigned state = seed * 2654435761u + 1;
    for (unsigned char& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<unsigned char>(state >> 16);
    }
    return bytes;
}

Bytes Chain(int blockSize) {
    return Pattern(static_cast<std::size_t>(blockSize), 99);
}

std::unique_ptr<RIJNDAEL> Keyed(const Bytes& key, int keyLength, int blockSize, int mode,
                                int padding = CCipherMethod::kPadZeros) {
    auto rijndael = std::make_unique<RIJNDAEL>();
    rijndael->SetKey(key.data(), key.size(), Chain(blockSize).data(), keyLength, blockSize, mode,
                     padding);
    return rijndael;
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t n) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                 bytes.begin() + static_cast<std::ptrdiff_t>(from + n));
}

// Both files are read with the key length taken from the key and the block size from the block:
// aes.vec holds 16-byte blocks with every key length, rijndael_blocks.vec 24- and 32-byte blocks.
TEST(RijndaelVectors, EncipherKnownBlocksAndDecipherThemBack) {
    for (const char* file : {"aes.vec", "rijndael_blocks.vec"}) {
        const std::vector<VectorRecord> records = ReadVectorFile(file);
        ASSERT_GE(records.size(), 4u) << file;
        for (const VectorRecord& record : records) {
            SCOPED_TRACE(std::string(file) + " " + record.at("Key") + " " + record.at("In"));
            const Bytes key = FromHex(record.at("Key"));
            const Bytes in = FromHex(record.at("In"));
            RIJNDAEL rijndael;
            Bytes out(in.size());
            EXPECT_THAT([&] { rijndael.Encrypt(in.data(), out.data(), in.size()); },
                        ThrowsMessage<std::runtime_error>(StrEq(kNotInitialized)));
            EXPECT_THAT([&] { rijndael.Decrypt(in.data(), out.data(), in.size()); },
                        ThrowsMessage<std::runtime_error>(StrEq(kNotInitialized)));

            const auto keyLength = static_cast<int>(key.size());
            const auto blockSize = static_cast<int>(in.size());
            rijndael.SetKey(key.data(), key.size(), Chain(blockSize).data(), keyLength, blockSize,
                            kEcb, 0);
            const Bytes cipher = Encrypted(rijndael, in);
            EXPECT_EQ(cipher, FromHex(record.at("Out")));
            EXPECT_EQ(Decrypted(rijndael, cipher), in);
        }
    }
}

TEST(RijndaelBlockCipher, UnrolledPathMatchesGeneralRoundsAndRoundCounts) {
    // Rounds by key length (rows) and block size (columns), 16, 24, 32 bytes each.
    constexpr int kRounds[3][3] = {{10, 12, 14}, {12, 12, 14}, {14, 14, 14}};
    const Bytes key = Pattern(32, 1);
    for (int k = 0; k < 3; ++k) {
        for (int b = 0; b < 3; ++b) {
            RijndaelBlockCipher cipher;
            cipher.Expand(key.data(), 16 + 8 * k, 16 + 8 * b);
            EXPECT_EQ(cipher.Rounds(), kRounds[k][b])
                << "key " << 16 + 8 * k << " block " << 16 + 8 * b;
        }
        SCOPED_TRACE(16 + 8 * k);
        RijndaelBlockCipher cipher;
        cipher.Expand(key.data(), 16 + 8 * k, 16);
        for (unsigned seed = 0; seed < 64; ++seed) {
            const Bytes plain = Pattern(16, seed);
            Bytes general(16);
            Bytes unrolled(16);
            cipher.Encipher(plain.data(), general.data());
            cipher.Encipher16(plain.data(), unrolled.data());
            ASSERT_EQ(unrolled, general);
            cipher.Decipher(general.data(), general.data());
            cipher.Decipher16(unrolled.data(), unrolled.data());
            ASSERT_EQ(unrolled, general);
            ASSERT_EQ(unrolled, plain);
        }
    }
}

TEST(RijndaelModes, EveryModeAndBlockSizeFollowsItsChainAcrossCalls) {
    const Bytes key = Pattern(32, 2);
    for (int blockSize : {16, 24, 32}) {
        // Each block size with another key length, so that all three are chained too.
        const int keyLength = blockSize == 16 ? 16 : 56 - blockSize;
        const auto b = static_cast<std::size_t>(blockSize);
        const Bytes plain = Pattern(3 * b, 3);
        auto ecb = Keyed(key, keyLength, blockSize, kEcb);
        for (int mode : {kEcb, kCbc, kCfb}) {
            SCOPED_TRACE("block " + std::to_string(blockSize) + " mode " + std::to_string(mode));
            auto rijndael = Keyed(key, keyLength, blockSize, mode);
            const Bytes cipher = Encrypted(*rijndael, plain);

            // Each block follows the mode's definition from the previous cipher block.
            Bytes previous = Chain(blockSize);
            for (std::size_t i = 0; i < 3; ++i) {
                const Bytes p = Slice(plain, i * b, b);
                Bytes expected = Encrypted(*ecb, p);
                if (mode == kCbc) expected = Encrypted(*ecb, Xored(p, previous));
                if (mode == kCfb) expected = Xored(Encrypted(*ecb, previous), p);
                previous = Slice(cipher, i * b, b);
                EXPECT_EQ(previous, expected) << "block " << i;
            }

            // The chain carries over from one call to the next.
            auto split = Keyed(key, keyLength, blockSize, mode);
            Bytes parts = Encrypted(*split, Slice(plain, 0, b));
            const Bytes rest = Encrypted(*split, Slice(plain, b, 2 * b));
            parts.insert(parts.end(), rest.begin(), rest.end());
            EXPECT_EQ(parts, cipher);

            rijndael->ResetChain();
            Bytes back(3 * b);
            rijndael->Decrypt(cipher.data(), back.data(), b);
            rijndael->Decrypt(cipher.data() + b, back.data() + b, 2 * b);
            EXPECT_EQ(back, plain);
        }
    }
}

TEST(RijndaelModes, RefusesCountsThatAreNotWholeBlocks) {
    for (int blockSize : {16, 32}) {
        SCOPED_TRACE(blockSize);
        ExpectCountsRefused(*Keyed(Pattern(16, 5), 16, blockSize, kCbc), {0u, 8u, 24u, 40u});
    }
}

TEST(RijndaelSetKey, ChecksInOrderAndAFailingSetKeyChangesNothing) {
    const Bytes key = Pattern(24, 6);
    auto rijndael = Keyed(key, 24, 32, kCbc, CCipherMethod::kPadCount);
    const Bytes plain = Pattern(64, 7);
    const Bytes expected = Encrypted(*rijndael, plain);
    Bytes signature(32);
    rijndael->Signature(signature.data());

    const Bytes other = ToBytes("other");
    const Bytes chain(32, 0);
    auto setKey = [&](const unsigned char* data, std::size_t length, int keyLength, int blockSize,
                      int mode, int padding) {
        return [=, &rijndael, &chain] {
            rijndael->SetKey(data, length, chain.data(), keyLength, blockSize, mode, padding);
        };
    };
    auto throws = [](const char* message) {
        return ThrowsMessage<std::runtime_error>(StrEq(message));
    };
    EXPECT_THAT(setKey(nullptr, 0, 20, 20, 3, 3), throws("FileCrypt ERROR: No Key DataSpecified!"));
    EXPECT_THAT(setKey(other.data(), 0, 20, 20, 3, 3),
                throws("FileCrypt ERROR: Key Data Length should be > 0!"));
    for (int bad : {0, 8, 20, 64}) {
        EXPECT_THAT(setKey(other.data(), other.size(), bad, bad, 3, 3),
                    throws("Illegal Key Length!"));
        EXPECT_THAT(setKey(other.data(), other.size(), 16, bad, 3, 3),
                    throws("Illegal Block Size!"));
    }
    EXPECT_THAT(setKey(other.data(), other.size(), 16, 16, 3, 3),
                throws("FileCrypt ERROR: Illegal Operation Mode!"));
    EXPECT_THAT(setKey(other.data(), other.size(), 16, 16, 0, -1),
                throws("FileCrypt ERROR: Illegal Padding Mode!"));

    EXPECT_EQ(rijndael->BlockSize(), 32);
    EXPECT_EQ(rijndael->OperationMode(), kCbc);
    EXPECT_EQ(rijndael->PaddingMode(), CCipherMethod::kPadCount);
    Bytes after(32);
    rijndael->Signature(after.data());
    EXPECT_EQ(after, signature);
    rijndael->ResetChain();
    EXPECT_EQ(Encrypted(*rijndael, plain), expected);

    // An instance that was never keyed stays so.
    RIJNDAEL fresh;
    EXPECT_THROW(fresh.SetKey(other.data(), other.size(), chain.data(), 16, 16, 0, 5),
                 std::runtime_error);
    Bytes out(16);
    EXPECT_THAT([&] { fresh.Encrypt(plain.data(), out.data(), 16); }, throws(kNotInitialized));
}

TEST(RijndaelSetKey, StretchesKeyDataCyclicallyToTheKeyLength) {
    const Bytes plain = Pattern(32, 8);
    auto shortKey = Keyed(ToBytes("ABCD"), 24, 16, kEcb);
    auto fullKey = Keyed(ToBytes("ABCDABCDABCDABCDABCDABCD"), 24, 16, kEcb);
    auto longKey = Keyed(ToBytes("ABCDABCDABCDABCDABCDABCDxyz"), 24, 16, kEcb);
    const Bytes cipher = Encrypted(*fullKey, plain);
    EXPECT_EQ(Encrypted(*shortKey, plain), cipher);
    EXPECT_EQ(Encrypted(*longKey, plain), cipher);
    EXPECT_NE(Encrypted(*Keyed(ToBytes("ABCDABCDABCDABCD"), 16, 16, kEcb), plain), cipher);
}

TEST(RijndaelSetKey, RekeyingRebuildsScheduleSizesAndChain) {
    const Bytes keyA = Pattern(16, 9);
    const Bytes keyB = Pattern(32, 10);
    const Bytes plain = Pattern(96, 11);
    auto rijndael = Keyed(keyA, 16, 16, kCbc);
    const Bytes first = Encrypted(*rijndael, plain);
    EXPECT_NE(Encrypted(*rijndael, plain), first);

    // The same key again restarts the chain.
    rijndael->SetKey(keyA.data(), keyA.size(), Chain(16).data(), 16, 16, kCbc, 0);
    EXPECT_EQ(Encrypted(*rijndael, plain), first);

    // Other sizes and back: nothing of the earlier schedule survives.
    rijndael->SetKey(keyB.data(), keyB.size(), Chain(32).data(), 24, 32, kCfb, 0);
    const Bytes other = Encrypted(*rijndael, plain);
    EXPECT_EQ(other, Encrypted(*Keyed(keyB, 24, 32, kCfb), plain));
    rijndael->ResetChain();
    EXPECT_EQ(Decrypted(*rijndael, other), plain);

    rijndael->SetKey(keyA.data(), keyA.size(), Chain(16).data(), 16, 16, kCbc, 0);
    EXPECT_EQ(Encrypted(*rijndael, plain), first);
    rijndael->ResetChain();
    EXPECT_EQ(Decrypted(*rijndael, first), plain);
}

Bytes Sha256(std::string_view text) {
    CSHA sha;
    sha.AddData(reinterpret_cast<const unsigned char*>(text.data()), text.size());
    Bytes digest(32);
    sha.FinalDigest(digest.data());
    return digest;
}

TEST(RijndaelSignature, DigestsNameKeyAndSettingsUpToTheFirstZeroByte) {
    Bytes signature(32);
    RIJNDAEL unkeyed;
    unkeyed.Signature(signature.data());
    EXPECT_EQ(signature, Sha256("RIJNDAEL"));

    Keyed(ToBytes("garment-key-0123"), 16, 16, kCfb, CCipherMethod::kPadSpaces)
        ->Signature(signature.data());
    EXPECT_EQ(signature, Sha256("RIJNDAELgarment-key-0123161621"));
    Keyed(ToBytes("garment-key-0123"), 32, 24, kCbc)->Signature(signature.data());
    EXPECT_EQ(signature, Sha256("RIJNDAELgarment-key-0123garment-key-0123243210"));

    const Bytes shortKey = ToBytes(std::string_view("key\0\0\0\0\0\0\0\0\0\0\0\0\0", 16));
    Keyed(shortKey, 16, 16, kEcb)->Signature(signature.data());
    EXPECT_EQ(signature, Sha256("RIJNDAELkey"));
}

}  // namespace
