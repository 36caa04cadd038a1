#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "crypto/key_stream.h"
#include "crypto/sha.h"
#include "crypto/xor256_block.h"
#include "crypto/xor256_stream.h"
#include "vector_file.h"

namespace {

using testing::StrEq;
using testing::ThrowsMessage;

const Bytes kKey = ToBytes("garment-key-0123");
const Bytes kPlain = ToBytes("Silk blouse, size 38, ivory");

Bytes Stretched(const Bytes& key) {
    Bytes out(256);
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = key[i % key.size()];
    return out;
}

// The first count bytes of the key stream keyed with key stretched to 256 bytes.
Bytes StreamBytes(const Bytes& key, std::size_t count) {
    const Bytes stretched = Stretched(key);
    KeyStream stream;
    stream.SetKey(stretched.data(), stretched.size());
    Bytes out(count);
    for (unsigned char& byte : out) byte = stream.NextByte();
    return out;
}

unsigned char Step(unsigned char x, unsigned char t1, unsigned char t2) {
    return static_cast<unsigned char>((x ^ t1) + t2);
}

Bytes Digest(const std::string& text) {
    CSHA sha;
    sha.AddData(reinterpret_cast<const unsigned char*>(text.data()), text.size());
    Bytes out(32);
    sha.FinalDigest(out.data());
    return out;
}

// KeyStream

TEST(KeyStream, MatchesRfc6229AndRestarts) {
    const std::vector<VectorRecord> records = ReadVectorFile("rc4.vec");
    ASSERT_EQ(records.size(), 5u);
    for (const VectorRecord& record : records) {
        SCOPED_TRACE(record.at("Key"));
        const Bytes key = FromHex(record.at("Key"));
        KeyStream stream;
        stream.SetKey(key.data(), key.size());
        Bytes bytes(4112);
        for (unsigned char& byte : bytes) byte = stream.NextByte();
        int checked = 0;
        for (const auto& [name, value] : record) {
            if (name.rfind("Offset ", 0) != 0) continue;
            const std::size_t offset = std::stoul(name.substr(7));
            EXPECT_EQ(Bytes(bytes.begin() + offset, bytes.begin() + offset + 16), FromHex(value))
                << name;
            ++checked;
        }
        EXPECT_EQ(checked, 18);

        stream.Restart();
        EXPECT_EQ(stream.NextByte(), bytes[0]);
        EXPECT_EQ(stream.NextByte(), bytes[1]);
    }
}

TEST(KeyStream, ErrorsArePlainExceptionsAndLeaveTheStreamAsItWas) {
    KeyStream stream;
    EXPECT_THAT([&] { stream.NextByte(); },
                ThrowsMessage<KeyStreamError>(StrEq("PRNG Not Initialized")));
    EXPECT_THAT([&] { stream.Restart(); },
                ThrowsMessage<KeyStreamError>(StrEq("PRNG Not Initialized")));

    const Bytes key = FromHex("0102030405");
    stream.SetKey(key.data(), key.size());
    EXPECT_EQ(stream.NextByte(), 0xB2);
    EXPECT_THAT([&] { stream.SetKey(key.data(), 0); },
                ThrowsMessage<KeyStreamError>(StrEq("Key Length should be at least 1")));
    EXPECT_EQ(stream.NextByte(), 0x39);
    stream.Restart();
    EXPECT_EQ(stream.NextByte(), 0xB2);
}

// XOR256BLOCK

const Bytes kBlockChain = FromHex("0011223344556677889900AABBCCDDEE");

// REQUIRES: blockSize <= 16.
std::unique_ptr<XOR256BLOCK> KeyedBlock(const Bytes& key, int blockSize, int externalRounds,
                                        int internalRounds, int mode = CCipherMethod::kEcb,
                                        int padding = CCipherMethod::kPadZeros) {
    auto block = std::make_unique<XOR256BLOCK>();
    block->SetKey(key.data(), key.size(), kBlockChain.data(), blockSize, externalRounds,
                  internalRounds, mode, padding);
    return block;
}

TEST(Xor256Block, OneRoundIsForwardInputChained) {
    // Block size 3, one external and two internal rounds: T1 and T2 hold 6 bytes each, drawn
    // alternately; byte k takes table positions 2k and 2k + 1.
    const Bytes ks = StreamBytes(kKey, 12);
    auto t1 = [&](int l) { return ks[2 * l]; };
    auto t2 = [&](int l) { return ks[2 * l + 1]; };
    const Bytes plain = FromHex("5A0FC3");
    Bytes expected(3);
    unsigned char c = 0;
    for (int k = 0; k < 3; ++k) {
        c ^= plain[k];
        expected[k] = Step(Step(c, t1(2 * k), t2(2 * k)), t1(2 * k + 1), t2(2 * k + 1));
    }
    auto block = KeyedBlock(kKey, 3, 1, 2);
    EXPECT_EQ(Encrypted(*block, plain), expected);
    EXPECT_EQ(Decrypted(*block, expected), plain);
}

TEST(Xor256Block, TwoRoundsAreForwardOutputChainedThenBackwardInputChained) {
    const Bytes ks = StreamBytes(kKey, 12);
    auto t1 = [&](int l) { return ks[2 * l]; };
    auto t2 = [&](int l) { return ks[2 * l + 1]; };
    const Bytes plain = FromHex("5A0FC3");
    Bytes x = plain;
    unsigned char c = 0;
    for (int k = 0; k < 3; ++k) {
        x[k] = Step(x[k] ^ c, t1(k), t2(k));
        c = x[k];
    }
    c = 0;
    for (int k = 0; k < 3; ++k) {
        c ^= x[2 - k];
        x[2 - k] = Step(c, t1(3 + k), t2(3 + k));
    }
    auto block = KeyedBlock(kKey, 3, 2, 1);
    EXPECT_EQ(Encrypted(*block, plain), x);
    EXPECT_EQ(Decrypted(*block, x), plain);
}

TEST(Xor256Block, BlockSizeOneAppliesEveryStepInTableOrder) {
    // With one byte a block, forward and backward rounds coincide and the chaining carries
    // nothing: three rounds of two steps are six steps in a row.
    const Bytes ks = StreamBytes(kKey, 12);
    auto block = KeyedBlock(kKey, 1, 3, 2);
    const Bytes plain = ToBytes("aab");
    Bytes expected(3);
    for (int i = 0; i < 3; ++i) {
        unsigned char x = plain[i];
        for (int l = 0; l < 6; ++l) x = Step(x, ks[2 * l], ks[2 * l + 1]);
        expected[i] = x;
    }
    EXPECT_EQ(Encrypted(*block, plain), expected);
    EXPECT_EQ(Decrypted(*block, expected), plain);
}

TEST(Xor256Block, ChainedModesStartFromTheInitialChain) {
    auto ecb = KeyedBlock(kKey, 16, 4, 4);
    const Bytes first(kPlain.begin(), kPlain.begin() + 16);
    Bytes mixed = first;
    ecb->XorBlock(mixed.data(), kBlockChain.data());
    EXPECT_EQ(Encrypted(*KeyedBlock(kKey, 16, 4, 4, CCipherMethod::kCbc), first),
              Encrypted(*ecb, mixed));
    Bytes stream = Encrypted(*ecb, kBlockChain);
    ecb->XorBlock(stream.data(), first.data());
    EXPECT_EQ(Encrypted(*KeyedBlock(kKey, 16, 4, 4, CCipherMethod::kCfb), first), stream);
}

TEST(Xor256Block, AllModesAndPaddingsRoundTripAcrossCalls) {
    for (int blockSize : {5, 16}) {
        for (int mode : {CCipherMethod::kEcb, CCipherMethod::kCbc, CCipherMethod::kCfb}) {
            for (int padding :
                 {CCipherMethod::kPadZeros, CCipherMethod::kPadSpaces, CCipherMethod::kPadCount}) {
                SCOPED_TRACE(testing::Message() << blockSize << " " << mode << " " << padding);
                auto block = KeyedBlock(kKey, blockSize, 4, 3, mode, padding);
                Bytes plain = kPlain;
                plain.resize(kPlain.size() + blockSize);
                plain.resize(block->Pad(plain.data(), kPlain.size()));
                ASSERT_EQ(plain.size() % blockSize, 0u);
                const Bytes cipher = Encrypted(*block, plain);

                // The chain stays in the instance: block by block gives the same result.
                block->ResetChain();
                Bytes pieces(plain.size());
                Bytes back(plain.size());
                for (std::size_t i = 0; i < plain.size(); i += blockSize) {
                    block->Encrypt(plain.data() + i, pieces.data() + i, blockSize);
                }
                EXPECT_EQ(pieces, cipher);
                block->ResetChain();
                for (std::size_t i = 0; i < plain.size(); i += blockSize) {
                    block->Decrypt(cipher.data() + i, back.data() + i, blockSize);
                }
                EXPECT_EQ(back, plain);
            }
        }
    }
}

TEST(Xor256Block, RekeyingWithTheSameKeyMatchesAFreshInstance) {
    auto block = KeyedBlock(kKey, 16, 4, 4, CCipherMethod::kCbc);
    const Bytes plain(kPlain.begin(), kPlain.begin() + 16);
    const Bytes first = Encrypted(*block, plain);
    EXPECT_NE(Encrypted(*block, plain), first);

    block->SetKey(kKey.data(), kKey.size(), kBlockChain.data(), 16, 4, 4, CCipherMethod::kCbc, 0);
    EXPECT_EQ(Encrypted(*block, plain), first);

    // Other sizes rebuild the tables and the chain blocks.
    block->SetKey(kKey.data(), kKey.size(), kBlockChain.data(), 8, 2, 3, CCipherMethod::kCfb, 0);
    EXPECT_EQ(block->BlockSize(), 8);
    EXPECT_EQ(Encrypted(*block, plain),
              Encrypted(*KeyedBlock(kKey, 8, 2, 3, CCipherMethod::kCfb), plain));
}

TEST(Xor256Block, SetKeyChecksInOrderAndFailingLeavesTheInstanceUnchanged) {
    XOR256BLOCK fresh;
    EXPECT_EQ(fresh.BlockSize(), -1);
    Bytes out(16);
    EXPECT_THAT([&] { fresh.Encrypt(kPlain.data(), out.data(), 16); },
                ThrowsMessage<std::runtime_error>(StrEq(kNotInitialized)));
    EXPECT_THAT([&] { fresh.ResetChain(); },
                ThrowsMessage<std::runtime_error>(StrEq(kNotInitialized)));

    auto block = KeyedBlock(kKey, 16, 4, 4, CCipherMethod::kCbc, CCipherMethod::kPadCount);
    const Bytes plain(kPlain.begin(), kPlain.begin() + 16);
    const Bytes expected = Encrypted(*block, plain);
    const Bytes chain(256, 0);
    const Bytes other = ToBytes("other");
    auto setKey = [&](const unsigned char* key, std::size_t length, int size, int external,
                      int internal, int mode, int padding) {
        return [=, &block, &chain] {
            block->SetKey(key, length, chain.data(), size, external, internal, mode, padding);
        };
    };
    auto throws = [](const char* message) {
        return ThrowsMessage<std::runtime_error>(StrEq(message));
    };
    EXPECT_THAT(setKey(nullptr, 0, 0, 0, 0, 3, 3),
                throws("FileCrypt ERROR: No Key DataSpecified!"));
    EXPECT_THAT(setKey(other.data(), 0, 0, 0, 0, 3, 3),
                throws("FileCrypt ERROR: Key Data Length should be > 0!"));
    EXPECT_THAT(setKey(other.data(), 5, 0, 0, 0, 3, 3), throws("Illegal Block Size!"));
    EXPECT_THAT(setKey(other.data(), 5, 257, 0, 0, 3, 3), throws("Illegal Block Size!"));
    EXPECT_THAT(setKey(other.data(), 5, 256, 0, 0, 3, 3), throws("Illegal External Rounds!"));
    EXPECT_THAT(setKey(other.data(), 5, 256, 1, 0, 3, 3), throws("Illegal Internal Rounds!"));
    EXPECT_THAT(setKey(other.data(), 5, 256, 1, 1, 3, 3),
                throws("FileCrypt ERROR: Illegal Operation Mode!"));
    EXPECT_THAT(setKey(other.data(), 5, 256, 1, 1, 2, 3),
                throws("FileCrypt ERROR: Illegal Padding Mode!"));
    EXPECT_THROW(setKey(other.data(), 5, 256, 0x7FFFFFFF, 0x7FFFFFFF, 0, 0)(), std::bad_alloc);

    EXPECT_EQ(block->BlockSize(), 16);
    EXPECT_EQ(block->OperationMode(), CCipherMethod::kCbc);
    EXPECT_EQ(block->PaddingMode(), CCipherMethod::kPadCount);
    block->ResetChain();
    EXPECT_EQ(Encrypted(*block, plain), expected);
    EXPECT_THAT([&] { block->Encrypt(plain.data(), out.data(), 8); },
                throws("Illegal Block Size!"));
}

TEST(Xor256Block, SignatureDigestsKeyThenSizesRoundsAndModes) {
    auto block = KeyedBlock(kKey, 16, 2, 3, CCipherMethod::kCbc, CCipherMethod::kPadCount);
    Bytes signature(32);
    block->Signature(signature.data());
    const Bytes key = Stretched(kKey);
    EXPECT_EQ(signature, Digest("XOR256BLOCK" + std::string(key.begin(), key.end()) + "163212"));
}

// XOR256STREAM

std::unique_ptr<XOR256STREAM> KeyedStream(const Bytes& key, int rounds) {
    auto stream = std::make_unique<XOR256STREAM>();
    stream->SetKey(key.data(), key.size(), rounds);
    return stream;
}

TEST(Xor256Stream, OneRoundFoldsPlainIntoFeedbackStartingFromTheFirstStreamByte) {
    const Bytes ks = StreamBytes(kKey, 7);
    const Bytes plain = FromHex("00FF41");
    Bytes expected(3);
    unsigned char f = ks[0];
    for (int i = 0; i < 3; ++i) {
        f ^= plain[i];
        expected[i] = Step(f, ks[1 + 2 * i], ks[2 + 2 * i]);
    }
    auto stream = KeyedStream(kKey, 1);
    EXPECT_EQ(stream->BlockSize(), -1);
    EXPECT_EQ(Encrypted(*stream, plain), expected);
    stream->ResetChain();
    EXPECT_EQ(Decrypted(*stream, expected), plain);
}

TEST(Xor256Stream, RoundTripsAcrossCallsOfAnyLength) {
    auto stream = KeyedStream(kKey, 3);
    const Bytes cipher = Encrypted(*stream, kPlain);
    stream->ResetChain();
    Bytes pieces(kPlain.size());
    stream->Encrypt(kPlain.data(), pieces.data(), 1);
    stream->Encrypt(kPlain.data() + 1, pieces.data() + 1, kPlain.size() - 1);
    EXPECT_EQ(pieces, cipher);

    stream->ResetChain();
    Bytes back(kPlain.size());
    stream->Decrypt(cipher.data(), back.data(), 10);
    stream->Decrypt(cipher.data() + 10, back.data() + 10, kPlain.size() - 10);
    EXPECT_EQ(back, kPlain);
}

TEST(Xor256Stream, RekeyingMatchesAFreshInstance) {
    auto stream = KeyedStream(kKey, 2);
    const Bytes first = Encrypted(*stream, kPlain);
    EXPECT_NE(Encrypted(*stream, kPlain), first);
    stream->SetKey(kKey.data(), kKey.size(), 2);
    EXPECT_EQ(Encrypted(*stream, kPlain), first);

    // A new round count with the same key, then a new key, take effect.
    stream->SetKey(kKey.data(), kKey.size(), 4);
    EXPECT_EQ(Encrypted(*stream, kPlain), Encrypted(*KeyedStream(kKey, 4), kPlain));
    const Bytes other = ToBytes("another key");
    stream->SetKey(other.data(), other.size(), 4);
    EXPECT_EQ(Encrypted(*stream, kPlain), Encrypted(*KeyedStream(other, 4), kPlain));
}

TEST(Xor256Stream, ErrorsLeaveTheRunningStateAsItWas) {
    XOR256STREAM fresh;
    Bytes out(4);
    auto throws = [](const char* message) {
        return ThrowsMessage<std::runtime_error>(StrEq(message));
    };
    EXPECT_THAT([&] { fresh.Encrypt(kPlain.data(), out.data(), 4); }, throws(kNotInitialized));
    EXPECT_THAT([&] { fresh.Decrypt(kPlain.data(), out.data(), 4); }, throws(kNotInitialized));
    EXPECT_THAT([&] { fresh.ResetChain(); }, throws(kNotInitialized));

    auto stream = KeyedStream(kKey, 2);
    auto twin = KeyedStream(kKey, 2);
    Encrypted(*stream, kPlain);
    Encrypted(*twin, kPlain);
    EXPECT_THAT([&] { stream->SetKey(nullptr, 0, 0); },
                throws("FileCrypt ERROR: No Key DataSpecified!"));
    EXPECT_THAT([&] { stream->SetKey(kKey.data(), 0, 0); },
                throws("FileCrypt ERROR: Key Data Length should be > 0!"));
    EXPECT_THAT([&] { stream->SetKey(kKey.data(), kKey.size(), 0); },
                throws("Illegal Internal Rounds!"));
    EXPECT_THAT([&] { stream->Encrypt(kPlain.data(), out.data(), 0); },
                throws("Illegal Block Size!"));
    EXPECT_THAT([&] { stream->Decrypt(kPlain.data(), out.data(), 0); },
                throws("Illegal Block Size!"));
    EXPECT_EQ(Encrypted(*stream, kPlain), Encrypted(*twin, kPlain));
}

TEST(Xor256Stream, SignatureDigestsKeyAndRounds) {
    auto stream = KeyedStream(kKey, 7);
    Bytes signature(32);
    stream->Signature(signature.data());
    const Bytes key = Stretched(kKey);
    EXPECT_EQ(signature, Digest("XOR256STREAM" + std::string(key.begin(), key.end()) + "7"));
}

}  // namespace
