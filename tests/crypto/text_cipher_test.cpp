#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "crypto/cipher_method_set.h"
#include "crypto/hex.h"
#include "crypto/stored_text.h"
#include "crypto/tea.h"
#include "crypto/text_cipher_key.h"
#include "vector_file.h"

namespace {

using testing::StrEq;
using testing::ThrowsMessage;

constexpr int kTea = CCipherMethodSet::kTea;

// The key bytes 00 01 .. 0F of the published vectors, given as a key text.
const std::string kCountingKey = [] {
    std::string key;
    for (char c = 0; c < 16; ++c) {
        key += c;
    }
    return key;
}();

// Hexadecimal XTEA-ECB encipherment of raw bytes (a whole number of blocks) under a key text,
// for block contents that MakeStoredText refuses to produce.
std::string EncipherRaw(std::string_view keyText, std::string_view bytes) {
    std::array<unsigned char, TEA::kKeyLength> key;
    CopyKeyText(keyText, key.data(), key.size());
    const Bytes chain(8, 0);
    TEA tea;
    tea.SetKey(key.data(), key.size(), chain.data(), CCipherMethod::kEcb, 0);
    Bytes cipher(bytes.size());
    tea.Encrypt(reinterpret_cast<const unsigned char*>(bytes.data()), cipher.data(), bytes.size());
    return HexEncode(cipher.data(), cipher.size());
}

auto Throws(const char* message) {
    return ThrowsMessage<std::runtime_error>(StrEq(message));
}

TEST(TextCipher, DeciphersPublishedXteaBlocks) {
    CCipherMethodSet set;
    // An empty key text is the all-zero key.
    EXPECT_EQ(set.TextCipher(kTea, "", "A0390589F8B8EFA5"), "ABCDEFGH");
    EXPECT_EQ(set.TextCipher(kTea, std::string(16, '\0'), "A0390589F8B8EFA5"), "ABCDEFGH");
    EXPECT_EQ(set.TextCipher(kTea, kCountingKey, "497DF3D072612CB5"), "ABCDEFGH");
    EXPECT_EQ(set.TextCipher(kTea, "", "DEE9D4D8F7131ED9"), "");
    EXPECT_EQ(MakeStoredText("", "ABCDEFGH"), "A0390589F8B8EFA5");
}

TEST(TextCipher, ResultEndsAtTheFirstZeroByte) {
    CCipherMethodSet set;
    const std::string stored = MakeStoredText(TextCipherKey, "Tie");
    ASSERT_EQ(stored.size(), 16u);
    EXPECT_EQ(set.TextCipher(kTea, TextCipherKey, stored), "Tie");
    EXPECT_EQ(set.TextCipher(kTea, TextCipherKey, stored + "7"), "Tie");

    const std::string zeroFirst = EncipherRaw(TextCipherKey, std::string_view("\0later!!", 8));
    EXPECT_EQ(set.TextCipher(kTea, TextCipherKey, zeroFirst), "");
    const std::string zeroInside = EncipherRaw(TextCipherKey, std::string_view("ab\0cdefg", 8));
    EXPECT_EQ(set.TextCipher(kTea, TextCipherKey, zeroInside), "ab");
}

TEST(TextCipher, RefusesBadTextsAndLeavesTheOutputAlone) {
    CCipherMethodSet set;
    const std::string stored = MakeStoredText(TextCipherKey, "Trousers");
    std::string output = "unchanged";
    for (const std::string& text :
         {std::string(), std::string("A"), stored.substr(0, 8), stored + stored.substr(0, 8)}) {
        EXPECT_THAT([&] { output = set.TextCipher(kTea, TextCipherKey, text); },
                    Throws("Illegal Block Size!"));
    }
    std::string lowercase = stored;
    for (char& c : lowercase) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    ASSERT_NE(lowercase, stored);
    for (const std::string& text :
         {lowercase, "G" + stored.substr(1), stored.substr(0, 15) + " "}) {
        EXPECT_THAT([&] { output = set.TextCipher(kTea, TextCipherKey, text); },
                    Throws("Illegal Hexadecimal Text!"));
    }
    for (int method : {-1, 5}) {
        EXPECT_THAT([&] { output = set.TextCipher(method, TextCipherKey, stored); },
                    Throws("FileCrypt ERROR: Illegal Method Number!"));
    }
    EXPECT_EQ(output, "unchanged");
    EXPECT_EQ(set.TextCipher(kTea, TextCipherKey, stored), "Trousers");
}

TEST(TextCipher, KeyTextIsZeroFilledAndCutAtSixteenBytes) {
    CCipherMethodSet set;
    const std::string stored = MakeStoredText("Key", "Collar");
    EXPECT_EQ(set.TextCipher(kTea, std::string("Key\0\0\0", 6), stored), "Collar");
    EXPECT_NE(set.TextCipher(kTea, "Key ", stored), "Collar");

    const std::string longStored = MakeStoredText("0123456789ABCDEF", "Sleeve");
    EXPECT_EQ(set.TextCipher(kTea, "0123456789ABCDEFanything", longStored), "Sleeve");
    EXPECT_NE(set.TextCipher(kTea, "0123456789ABCDE", longStored), "Sleeve");
}

TEST(TextCipher, HexModeDecodesKeysAndReturnsAllBytes) {
    CCipherMethodSet set(true);
    EXPECT_EQ(set.TextCipher(kTea, "000102030405060708090A0B0C0D0E0F", "497DF3D072612CB5"),
              "4142434445464748");
    EXPECT_EQ(set.TextCipher(kTea, "", "DEE9D4D8F7131ED9"), "0000000000000000");
    // A key that stops decoding keeps zero bytes from there on.
    EXPECT_EQ(set.TextCipher(kTea, "00xx", "A0390589F8B8EFA5"), "4142434445464748");
}

TEST(TextCipher, ProcessWideSetDeciphersProgramTexts) {
    CCipherMethodSet& set = TheCipherMethodSet();
    EXPECT_EQ(&set, &TheCipherMethodSet());
    EXPECT_EQ(set.TextCipher(kTea, TextCipherKey, MakeStoredText(TextCipherKey, "Garment")),
              "Garment");
}

TEST(StoredText, RoundTripsWithProgramAndRecordKeys) {
    CCipherMethodSet set;
    const std::string chinese = "\xC3\xDE\xD2\xC2 \xB3\xC4\xC9\xC0";
    const std::string longText(1500, 'x');
    for (std::string_view key :
         {TextCipherKey, std::string_view("AB12CD3"), std::string_view("zq9-7_!")}) {
        for (const std::string& plain :
             {std::string("a"), std::string("Buttons"), std::string("12345678"),
              std::string("Wool coat, size XL"), chinese, longText}) {
            SCOPED_TRACE(std::string(key) + " / " + plain.substr(0, 16));
            const std::string stored = MakeStoredText(key, plain);
            EXPECT_EQ(stored.size(), (plain.size() + 7) / 8 * 16);
            EXPECT_EQ(set.TextCipher(kTea, key, stored), plain);
        }
    }
}

TEST(StoredText, RefusesTextsThatCouldNotComeBack) {
    EXPECT_THROW(MakeStoredText(TextCipherKey, ""), std::invalid_argument);
    EXPECT_THROW(MakeStoredText(TextCipherKey, std::string_view("a\0b", 3)), std::invalid_argument);
}

TEST(Hex, EncodesUppercaseAndDecodesUppercaseOnly) {
    const Bytes bytes = {0x00, 0xAB, 0xFF, 0x5D};
    EXPECT_EQ(HexEncode(bytes.data(), bytes.size()), "00ABFF5D");

    Bytes out(3, 0x77);
    EXPECT_TRUE(HexDecode("00ABFF", out.data(), 3));
    EXPECT_EQ(out, (Bytes{0x00, 0xAB, 0xFF}));
    EXPECT_FALSE(HexDecode("ab", out.data(), 1));

    out.assign(3, 0x77);
    EXPECT_FALSE(HexDecode("12G456", out.data(), 3));
    EXPECT_EQ(out, (Bytes{0x12, 0x77, 0x77}));
    EXPECT_FALSE(HexDecode("12", out.data(), 2));
}

TEST(TextCipherThreads, ConcurrentCallersGetTheirOwnTexts) {
    CCipherMethodSet set;
    const std::string programText = MakeStoredText(TextCipherKey, "Notice from the server");
    std::vector<std::pair<std::string, std::string>> records;
    for (int i = 0; i < 50; ++i) {
        const std::string key = "REC" + std::to_string(1000 + i);
        records.emplace_back(key, MakeStoredText(key, "entry " + std::to_string(i)));
    }

    constexpr int kRounds = 20000;
    int programFailures = 0;
    int recordFailures = 0;
    std::thread worker([&] {
        for (int i = 0; i < kRounds; ++i) {
            programFailures +=
                set.TextCipher(kTea, TextCipherKey, programText) != "Notice from the server";
        }
    });
    for (int i = 0; i < kRounds; ++i) {
        const auto& [key, stored] = records[i % records.size()];
        recordFailures +=
            set.TextCipher(kTea, key, stored) != "entry " + std::to_string(i % records.size());
    }
    worker.join();
    EXPECT_EQ(programFailures, 0);
    EXPECT_EQ(recordFailures, 0);
}

}  // namespace
