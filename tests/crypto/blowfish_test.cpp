#include "crypto/blowfish.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

#include "crypto/sha.h"
#include "vector_file.h"

namespace {

using testing::StrEq;
using testing::ThrowsMessage;

const Bytes kKey = ToBytes("garment-key-0123");
const Bytes kChain = FromHex("0102030405060708");
// kChain as the chain acts on big-endian blocks: each half byte-reversed.
const Bytes kChainAsBlock = FromHex("0403020108070605");
const Bytes kZeroChain(8, 0);
const Bytes kPlain = ToBytes("Cotton shirt, 16");

std::unique_ptr<BLOWFISH> Keyed(const Bytes& key, int mode, const Bytes& chain = kChain,
                                int padding = CCipherMethod::kPadZeros) {
    auto blowfish = std::make_unique<BLOWFISH>();
    blowfish->SetKey(key.data(), key.size(), chain.data(), mode, padding);
    return blowfish;
}

Bytes Block(const Bytes& bytes, std::size_t index) {
    return Bytes(bytes.begin() + 8 * index, bytes.begin() + 8 * (index + 1));
}

TEST(BlowfishVectors, MatchPublishedVectorsWithStretchedKeys) {
    const std::vector<VectorRecord> records = ReadVectorFile("blowfish.vec");
    ASSERT_EQ(records.size(), 40u);
    for (const VectorRecord& record : records) {
        SCOPED_TRACE(record.at("Key") + " " + record.at("In"));
        const Bytes key = FromHex(record.at("Key"));
        const Bytes in = FromHex(record.at("In"));
        auto blowfish = Keyed(key, CCipherMethod::kEcb, kZeroChain);
        const Bytes cipher = Encrypted(*blowfish, in);
        EXPECT_EQ(cipher, FromHex(record.at("Out")));
        EXPECT_EQ(Decrypted(*blowfish, cipher), in);
    }
}

TEST(BlowfishVectors, KeyLengthsNotDividing56ChangeTheSchedule) {
    // The published vector for the 3-byte key F0E1D2 cycles through 3 bytes for all 72 P-array
    // bytes; stretched to 56 bytes first, the cycle restarts at byte 56.
    const Bytes key = FromHex("F0E1D2");
    auto blowfish = Keyed(key, CCipherMethod::kEcb, kZeroChain);
    EXPECT_NE(Encrypted(*blowfish, FromHex("FEDCBA9876543210")), FromHex("E9C2B70A1BC65CF3"));

    Bytes stretched(56);
    for (std::size_t i = 0; i < stretched.size(); ++i) stretched[i] = key[i % key.size()];
    EXPECT_EQ(Encrypted(*blowfish, kPlain),
              Encrypted(*Keyed(stretched, CCipherMethod::kEcb, kZeroChain), kPlain));
}

TEST(BlowfishModes, InitialChainActsByteReversedWithinEachHalf) {
    auto ecb = Keyed(kKey, CCipherMethod::kEcb);
    const Bytes block(kPlain.begin(), kPlain.begin() + 8);

    auto cbc = Keyed(kKey, CCipherMethod::kCbc);
    EXPECT_EQ(Encrypted(*cbc, block), Encrypted(*ecb, Xored(block, kChainAsBlock)));
    auto cfb = Keyed(kKey, CCipherMethod::kCfb);
    EXPECT_EQ(Encrypted(*cfb, block), Xored(Encrypted(*ecb, kChainAsBlock), block));
}

TEST(BlowfishModes, ChainLastsOneCallOnly) {
    auto ecb = Keyed(kKey, CCipherMethod::kEcb);
    const Bytes p0 = Block(kPlain, 0);
    const Bytes p1 = Block(kPlain, 1);
    for (int mode : {CCipherMethod::kCbc, CCipherMethod::kCfb}) {
        SCOPED_TRACE(mode);
        auto blowfish = Keyed(kKey, mode);
        const Bytes cipher = Encrypted(*blowfish, kPlain);
        const Bytes c0 = Block(cipher, 0);
        if (mode == CCipherMethod::kCbc) {
            EXPECT_EQ(Block(cipher, 1), Encrypted(*ecb, Xored(p1, c0)));
        } else {
            EXPECT_EQ(Block(cipher, 1), Xored(Encrypted(*ecb, c0), p1));
        }
        EXPECT_EQ(Decrypted(*blowfish, cipher), kPlain);

        // Each call starts again from the stored chain: the second block of a second call is
        // enciphered like a first block.
        EXPECT_EQ(Encrypted(*blowfish, p0), c0);
        const Bytes second = Encrypted(*blowfish, p1);
        EXPECT_NE(second, Block(cipher, 1));
        EXPECT_EQ(second, Encrypted(*Keyed(kKey, mode), p1));
        EXPECT_EQ(Decrypted(*blowfish, second), p1);
    }
}

TEST(BlowfishModes, RefusesCountsThatAreNotWholeBlocks) {
    ExpectCountsRefused(*Keyed(kKey, CCipherMethod::kCbc), {0u, 7u, 12u});
}

TEST(BlowfishSetKey, SameKeyKeepsTheScheduleAndTakesNewModesAndChain) {
    const Bytes otherChain = FromHex("F0E1D2C3B4A59687");
    auto blowfish = Keyed(kKey, CCipherMethod::kEcb);
    const Bytes ecbCipher = Encrypted(*blowfish, kPlain);

    // The same stretched key from other key data still counts as the same key.
    const Bytes doubled = ToBytes("garment-key-0123garment-key-0123");
    blowfish->SetKey(doubled.data(), doubled.size(), otherChain.data(), CCipherMethod::kCfb,
                     CCipherMethod::kPadCount);
    EXPECT_EQ(blowfish->OperationMode(), CCipherMethod::kCfb);
    EXPECT_EQ(blowfish->PaddingMode(), CCipherMethod::kPadCount);
    EXPECT_EQ(Encrypted(*blowfish, kPlain),
              Encrypted(*Keyed(kKey, CCipherMethod::kCfb, otherChain), kPlain));

    blowfish->SetKey(kKey.data(), kKey.size(), otherChain.data(), CCipherMethod::kEcb, 0);
    EXPECT_EQ(Encrypted(*blowfish, kPlain), ecbCipher);

    const Bytes other = ToBytes("another key text");
    blowfish->SetKey(other.data(), other.size(), kChain.data(), CCipherMethod::kEcb, 0);
    EXPECT_EQ(Encrypted(*blowfish, kPlain), Encrypted(*Keyed(other, CCipherMethod::kEcb), kPlain));
}

TEST(BlowfishSetKey, FailingSetKeyLeavesTheInstanceUnchanged) {
    auto blowfish = Keyed(kKey, CCipherMethod::kCbc, kChain, CCipherMethod::kPadSpaces);
    const Bytes expected = Encrypted(*blowfish, kPlain);
    const Bytes other = ToBytes("other");
    auto setKey = [&](const unsigned char* key, std::size_t length, int mode, int padding) {
        return [=, &blowfish] { blowfish->SetKey(key, length, kZeroChain.data(), mode, padding); };
    };
    // Checks come in this order: key data, its length, operation mode, padding mode.
    EXPECT_THAT(setKey(nullptr, 0, 3, 3),
                ThrowsMessage<std::runtime_error>(StrEq("FileCrypt ERROR: No Key DataSpecified!")));
    EXPECT_THAT(setKey(other.data(), 0, 3, 3),
                ThrowsMessage<std::runtime_error>(
                    StrEq("FileCrypt ERROR: Key Data Length should be > 0!")));
    EXPECT_THAT(
        setKey(other.data(), other.size(), 3, 3),
        ThrowsMessage<std::runtime_error>(StrEq("FileCrypt ERROR: Illegal Operation Mode!")));
    EXPECT_THAT(setKey(other.data(), other.size(), 0, -1),
                ThrowsMessage<std::runtime_error>(StrEq("FileCrypt ERROR: Illegal Padding Mode!")));

    EXPECT_EQ(blowfish->OperationMode(), CCipherMethod::kCbc);
    EXPECT_EQ(blowfish->PaddingMode(), CCipherMethod::kPadSpaces);
    EXPECT_EQ(Encrypted(*blowfish, kPlain), expected);
}

TEST(BlowfishSetKey, UninitializedInstanceRefusesWork) {
    BLOWFISH blowfish;
    Bytes out(8);
    const auto notInitialized = ThrowsMessage<std::runtime_error>(
        StrEq("FileCrypt ERROR: Encryption/Decryption Object not Initialized!"));
    EXPECT_THAT([&] { blowfish.Encrypt(kPlain.data(), out.data(), 8); }, notInitialized);
    EXPECT_THAT([&] { blowfish.Decrypt(kPlain.data(), out.data(), 8); }, notInitialized);
    EXPECT_THAT([&] { blowfish.ResetChain(); }, notInitialized);
}

TEST(BlowfishSignature, DigestsNameKeyAndModesUpToTheFirstZeroByte) {
    auto digest = [](const std::string& text) {
        CSHA sha;
        sha.AddData(reinterpret_cast<const unsigned char*>(text.data()), text.size());
        Bytes out(32);
        sha.FinalDigest(out.data());
        return out;
    };
    Bytes signature(32);
    auto blowfish = Keyed(kKey, CCipherMethod::kCfb, kChain, CCipherMethod::kPadSpaces);
    blowfish->Signature(signature.data());
    std::string key;
    for (int i = 0; i < BLOWFISH::kKeyLength; ++i) key += static_cast<char>(kKey[i % kKey.size()]);
    EXPECT_EQ(signature, digest("BLOWFISH" + key + "21"));

    const Bytes zeroAfterTwo = FromHex("41420000");
    blowfish->SetKey(zeroAfterTwo.data(), zeroAfterTwo.size(), kChain.data(), 1, 0);
    blowfish->Signature(signature.data());
    EXPECT_EQ(signature, digest("BLOWFISHAB"));
}

}  // namespace
