#include "crypto/tea.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "crypto/sha.h"
#include "vector_file.h"

namespace {

using testing::StrEq;
using testing::ThrowsMessage;

const Bytes kKey = ToBytes("garment-key-0123");
const Bytes kChain = FromHex("0102030405060708");
const Bytes kPlain = ToBytes("Cotton shirt, 16");

std::unique_ptr<TEA> Keyed(const Bytes& key, int mode, int padding = CCipherMethod::kPadZeros) {
    auto tea = std::make_unique<TEA>();
    tea->SetKey(key.data(), key.size(), kChain.data(), mode, padding);
    return tea;
}

TEST(TeaVectors, MatchPublishedXtea) {
    const std::vector<VectorRecord> records = ReadVectorFile("xtea.vec");
    ASSERT_GE(records.size(), 3u);
    for (const VectorRecord& record : records) {
        SCOPED_TRACE(record.at("Key") + " " + record.at("In"));
        const Bytes key = FromHex(record.at("Key"));
        const Bytes in = FromHex(record.at("In"));
        TEA tea;
        Bytes out(8);
        EXPECT_THAT([&] { tea.Encrypt(in.data(), out.data(), 8); },
                    ThrowsMessage<std::runtime_error>(StrEq(kNotInitialized)));
        EXPECT_THAT([&] { tea.Decrypt(in.data(), out.data(), 8); },
                    ThrowsMessage<std::runtime_error>(StrEq(kNotInitialized)));

        tea.SetKey(key.data(), key.size(), kChain.data(), CCipherMethod::kEcb, 0);
        const Bytes cipher = Encrypted(tea, in);
        EXPECT_EQ(cipher, FromHex(record.at("Out")));
        EXPECT_EQ(Decrypted(tea, cipher), in);
    }
}

TEST(TeaModes, EcbEnciphersBlocksIndependently) {
    auto tea = Keyed(kKey, CCipherMethod::kEcb);
    const Bytes twice = ToBytes("SameBlokSameBlok");
    const Bytes cipher = Encrypted(*tea, twice);
    EXPECT_TRUE(std::equal(cipher.begin(), cipher.begin() + 8, cipher.begin() + 8));
}

TEST(TeaModes, EcbDeciphersManyBlocksAtOnceAsOneByOne) {
    // Many blocks are deciphered side by side, in groups that a block count need not fill.
    auto tea = Keyed(kKey, CCipherMethod::kEcb);
    Bytes cipher(8 * 19);
    for (std::size_t i = 0; i < cipher.size(); ++i) cipher[i] = static_cast<unsigned char>(i * 37);
    for (std::size_t blocks = 1; blocks <= 19; ++blocks) {
        const Bytes some(cipher.begin(), cipher.begin() + 8 * blocks);
        Bytes oneByOne;
        for (std::size_t i = 0; i < blocks; ++i) {
            const Bytes plain =
                Decrypted(*tea, Bytes(some.begin() + 8 * i, some.begin() + 8 * i + 8));
            oneByOne.insert(oneByOne.end(), plain.begin(), plain.end());
        }
        EXPECT_EQ(Decrypted(*tea, some), oneByOne) << blocks << " blocks";
        EXPECT_EQ(Encrypted(*tea, oneByOne), some) << blocks << " blocks";
    }
}

TEST(TeaModes, ChainedModesRoundTripAcrossCalls) {
    auto ecb = Keyed(kKey, CCipherMethod::kEcb);
    for (int mode : {CCipherMethod::kCbc, CCipherMethod::kCfb}) {
        SCOPED_TRACE(mode);
        auto tea = Keyed(kKey, mode);
        const Bytes cipher = Encrypted(*tea, kPlain);

        // The first block follows the mode's definition from the initial chain.
        Bytes first(8);
        if (mode == CCipherMethod::kCbc) {
            Bytes mixed(kPlain.begin(), kPlain.begin() + 8);
            ecb->XorBlock(mixed.data(), kChain.data());
            first = Encrypted(*ecb, mixed);
        } else {
            first = Encrypted(*ecb, kChain);
            ecb->XorBlock(first.data(), kPlain.data());
        }
        EXPECT_TRUE(std::equal(first.begin(), first.end(), cipher.begin()));

        tea->ResetChain();
        Bytes plain(16);
        tea->Decrypt(cipher.data(), plain.data(), 8);
        tea->Decrypt(cipher.data() + 8, plain.data() + 8, 8);
        EXPECT_EQ(plain, kPlain);
    }
}

TEST(TeaModes, RefusesCountsThatAreNotWholeBlocks) {
    ExpectCountsRefused(*Keyed(kKey, CCipherMethod::kCbc), {0u, 4u, 12u});
}

TEST(TeaSetKey, StretchesKeyDataCyclically) {
    auto shortKey = Keyed(ToBytes("ABCD"), CCipherMethod::kEcb);
    auto longKey = Keyed(ToBytes("ABCDABCDABCDABCD"), CCipherMethod::kEcb);
    auto cutKey = Keyed(ToBytes("ABCDABCDABCDABCDxyz"), CCipherMethod::kEcb);
    const Bytes cipher = Encrypted(*longKey, kPlain);
    EXPECT_EQ(Encrypted(*shortKey, kPlain), cipher);
    EXPECT_EQ(Encrypted(*cutKey, kPlain), cipher);
    EXPECT_EQ(Encrypted(*Keyed(ToBytes("ABC"), CCipherMethod::kEcb), kPlain),
              Encrypted(*Keyed(ToBytes("ABCABCABCABCABCA"), CCipherMethod::kEcb), kPlain));
}

TEST(TeaSetKey, SameKeyResetsTheChain) {
    auto tea = Keyed(kKey, CCipherMethod::kCbc);
    const Bytes first = Encrypted(*tea, kPlain);
    EXPECT_NE(Encrypted(*tea, kPlain), first);
    tea->SetKey(kKey.data(), kKey.size(), kChain.data(), CCipherMethod::kCbc, 0);
    EXPECT_EQ(Encrypted(*tea, kPlain), first);

    // A new key after the shortcut still takes effect.
    const Bytes other = ToBytes("another key text");
    tea->SetKey(other.data(), other.size(), kChain.data(), CCipherMethod::kCbc, 0);
    EXPECT_EQ(Encrypted(*tea, kPlain), Encrypted(*Keyed(other, CCipherMethod::kCbc), kPlain));
}

TEST(TeaSetKey, FailingSetKeyLeavesTheInstanceUnchanged) {
    auto tea = Keyed(kKey, CCipherMethod::kCbc, CCipherMethod::kPadCount);
    const Bytes expected = Encrypted(*tea, kPlain);
    const Bytes other = ToBytes("other");
    const Bytes zeroChain(8, 0);
    auto setKey = [&](const unsigned char* key, std::size_t length, int mode, int padding) {
        return [=, &tea, &zeroChain] { tea->SetKey(key, length, zeroChain.data(), mode, padding); };
    };
    // Checks come in this order: key data, its length, operation mode, padding mode.
    EXPECT_THAT(setKey(nullptr, 0, 3, 3),
                ThrowsMessage<std::runtime_error>(StrEq("FileCrypt ERROR: No Key DataSpecified!")));
    EXPECT_THAT(setKey(other.data(), 0, 3, 3),
                ThrowsMessage<std::runtime_error>(
                    StrEq("FileCrypt ERROR: Key Data Length should be > 0!")));
    EXPECT_THAT(
        setKey(other.data(), other.size(), -1, 3),
        ThrowsMessage<std::runtime_error>(StrEq("FileCrypt ERROR: Illegal Operation Mode!")));
    EXPECT_THAT(setKey(other.data(), other.size(), 0, 3),
                ThrowsMessage<std::runtime_error>(StrEq("FileCrypt ERROR: Illegal Padding Mode!")));

    EXPECT_EQ(tea->OperationMode(), CCipherMethod::kCbc);
    EXPECT_EQ(tea->PaddingMode(), CCipherMethod::kPadCount);
    tea->ResetChain();
    EXPECT_EQ(Encrypted(*tea, kPlain), expected);
}

TEST(TeaHelpers, UninitializedInstanceRefusesChainAndBlockHelpers) {
    TEA tea;
    Bytes block(16);
    EXPECT_THAT([&] { tea.ResetChain(); },
                ThrowsMessage<std::runtime_error>(StrEq(kNotInitialized)));
    EXPECT_THAT([&] { tea.Pad(block.data(), 3); },
                ThrowsMessage<std::runtime_error>(StrEq(kNotInitialized)));
    EXPECT_THAT([&] { tea.XorBlock(block.data(), kChain.data()); },
                ThrowsMessage<std::runtime_error>(StrEq(kNotInitialized)));
}

TEST(TeaHelpers, PadFillsToTheNextBlockOnly) {
    Bytes buffer(16, 0xEE);
    EXPECT_EQ(Keyed(kKey, 0, CCipherMethod::kPadCount)->Pad(buffer.data(), 16), 16u);
    EXPECT_EQ(buffer, Bytes(16, 0xEE));

    EXPECT_EQ(Keyed(kKey, 0, CCipherMethod::kPadCount)->Pad(buffer.data(), 13), 16u);
    EXPECT_EQ(Bytes(buffer.begin() + 13, buffer.end()), Bytes(3, 3));
    EXPECT_EQ(Keyed(kKey, 0, CCipherMethod::kPadSpaces)->Pad(buffer.data(), 9), 16u);
    EXPECT_EQ(Bytes(buffer.begin() + 9, buffer.end()), Bytes(7, ' '));
    EXPECT_EQ(Keyed(kKey, 0, CCipherMethod::kPadZeros)->Pad(buffer.data(), 1), 8u);
    EXPECT_EQ(Bytes(buffer.begin() + 1, buffer.begin() + 8), Bytes(7, 0));
}

Bytes Sha256(std::string_view text) {
    CSHA sha;
    sha.AddData(reinterpret_cast<const unsigned char*>(text.data()), text.size());
    Bytes digest(32);
    sha.FinalDigest(digest.data());
    return digest;
}

TEST(TeaSignature, DigestsNameKeyAndModesUpToTheFirstZeroByte) {
    Bytes signature(32);
    auto tea = Keyed(kKey, CCipherMethod::kCfb, CCipherMethod::kPadSpaces);
    tea->Signature(signature.data());
    EXPECT_EQ(signature, Sha256("TEAgarment-key-012321"));

    const Bytes shortKey = ToBytes(std::string_view("key\0\0\0\0\0\0\0\0\0\0\0\0\0", 16));
    tea->SetKey(shortKey.data(), shortKey.size(), kChain.data(), CCipherMethod::kCbc, 0);
    tea->Signature(signature.data());
    EXPECT_EQ(signature, Sha256("TEAkey"));
}

}  // namespace
