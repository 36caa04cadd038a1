// The enciphered file format: signature, pieces, padding of the last piece, and the refusals.
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

#include "crypto/cipher_method.h"
#include "crypto/tea.h"
#include "tests/support/temp_dir.h"
#include "vector_file.h"

namespace {

using testing::StrEq;
using testing::ThrowsMessage;

const Bytes kKey = ToBytes("garment-key-0123");
const Bytes kOtherKey = ToBytes("garment-key-0124");
const Bytes kChain = FromHex("0102030405060708");

std::unique_ptr<TEA> Keyed(const Bytes& key, int mode, int padding = CCipherMethod::kPadZeros) {
    auto tea = std::make_unique<TEA>();
    tea->SetKey(key.data(), key.size(), kChain.data(), mode, padding);
    return tea;
}

Bytes Signature(const CCipherMethod& method) {
    Bytes signature(32);
    method.Signature(signature.data());
    return signature;
}

Bytes Content(std::size_t size) {
    Bytes content(size);
    for (std::size_t i = 0; i < size; ++i) content[i] = static_cast<unsigned char>(i * 7 + i / 13);
    return content;
}

Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// A method with an identity block transform that records the count of every Encrypt and
// Decrypt call, so the pieces of the file operations can be seen; its Encrypt accepts any
// count, as a stream method does.
class RecordingMethod final : public CCipherMethod {
public:
    RecordingMethod(int blockSize, int paddingMode) : CCipherMethod(blockSize, 16) {
        m_paddingMode = paddingMode;
        m_initialized = true;
    }
    using CCipherMethod::DecryptFileInPieces;
    using CCipherMethod::EncryptFileInPieces;

    void Signature(unsigned char out[32]) const override { DigestSignature("RECORDING", {}, out); }
    void Encrypt(const unsigned char* in, unsigned char* out, std::size_t n) override {
        counts.push_back(n);
        std::copy_n(in, n, out);
    }
    void Decrypt(const unsigned char* in, unsigned char* out, std::size_t n) override {
        Encrypt(in, out, n);
    }
    void ResetChain() override { ++resets; }

    std::vector<std::size_t> counts;
    int resets = 0;
};

class FileCipherTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return (m_dir / name).string(); }
    std::string Input(const Bytes& content) {
        WriteBytes(m_dir / "plain", content);
        return Path("plain");
    }

    TempDir m_dir;
};

TEST_F(FileCipherTest, PiecesOf384AndAPaddedLastPiece) {
    RecordingMethod method(8, CCipherMethod::kPadSpaces);
    method.EncryptFile(Input(Content(1000)), Path("out"));
    EXPECT_EQ(method.counts, (std::vector<std::size_t>{384, 384, 232}));
    EXPECT_EQ(method.resets, 1);

    method.counts.clear();
    method.EncryptFile(Input(Content(1001)), Path("out"));
    EXPECT_EQ(method.counts, (std::vector<std::size_t>{384, 384, 240}));
    Bytes expected = Signature(method);
    const Bytes content = Content(1001);
    expected.insert(expected.end(), content.begin(), content.end());
    expected.insert(expected.end(), 7, ' ');
    EXPECT_EQ(ReadBytes(Path("out")), expected);

    method.counts.clear();
    method.DecryptFile(Path("out"), Path("back"));
    EXPECT_EQ(method.counts, (std::vector<std::size_t>{384, 384, 240}));
    EXPECT_EQ(ReadBytes(Path("back")), Bytes(expected.begin() + 32, expected.end()));
}

TEST_F(FileCipherTest, MethodsChooseTheirPieceLengthAndPadding) {
    RecordingMethod blocks(16, CCipherMethod::kPadCount);
    blocks.EncryptFileInPieces(Input(Content(1100)), Path("blocks"), 512, true);
    EXPECT_EQ(blocks.counts, (std::vector<std::size_t>{512, 512, 80}));
    const Bytes padded = ReadBytes(Path("blocks"));
    ASSERT_EQ(padded.size(), 32u + 1104u);
    EXPECT_EQ(Bytes(padded.end() - 4, padded.end()), Bytes(4, 4));

    RecordingMethod stream(8, CCipherMethod::kPadZeros);
    stream.EncryptFileInPieces(Input(Content(250)), Path("stream"), 100, false);
    EXPECT_EQ(stream.counts, (std::vector<std::size_t>{100, 100, 50}));
    EXPECT_EQ(ReadBytes(Path("stream")).size(), 32u + 250u);
    stream.counts.clear();
    stream.DecryptFileInPieces(Path("stream"), Path("back"), 100);
    EXPECT_EQ(stream.counts, (std::vector<std::size_t>{100, 100, 50}));
    EXPECT_EQ(ReadBytes(Path("back")), Content(250));
}

TEST_F(FileCipherTest, TeaFileIsSignatureThenChainedPiecesInEveryMode) {
    const Bytes content = Content(1000);
    for (int mode : {CCipherMethod::kEcb, CCipherMethod::kCbc, CCipherMethod::kCfb}) {
        SCOPED_TRACE(mode);
        auto tea = Keyed(kKey, mode);
        // A chain moved by earlier work does not reach the file: it starts from the initial
        // chain.
        Bytes scratch(16);
        tea->Encrypt(content.data(), scratch.data(), scratch.size());
        tea->EncryptFile(Input(content), Path("enciphered"));

        Bytes expected = Signature(*tea);
        Bytes whole(content.size());
        Keyed(kKey, mode)->Encrypt(content.data(), whole.data(), whole.size());
        expected.insert(expected.end(), whole.begin(), whole.end());
        EXPECT_EQ(ReadBytes(Path("enciphered")), expected);

        tea->Encrypt(content.data(), scratch.data(), scratch.size());
        tea->DecryptFile(Path("enciphered"), Path("deciphered"));
        EXPECT_EQ(ReadBytes(Path("deciphered")), content);
    }
}

TEST_F(FileCipherTest, TeaPadsTheLastPieceByPaddingMode) {
    const Bytes content = Content(1001);
    const unsigned char fills[] = {0, ' ', 7};
    for (int padding :
         {CCipherMethod::kPadZeros, CCipherMethod::kPadSpaces, CCipherMethod::kPadCount}) {
        SCOPED_TRACE(padding);
        auto tea = Keyed(kKey, CCipherMethod::kCbc, padding);
        tea->EncryptFile(Input(content), Path("enciphered"));
        EXPECT_EQ(ReadBytes(Path("enciphered")).size(), 32u + 1008u);
        tea->DecryptFile(Path("enciphered"), Path("deciphered"));
        Bytes expected = content;
        expected.insert(expected.end(), 7, fills[padding]);
        EXPECT_EQ(ReadBytes(Path("deciphered")), expected);
    }
}

TEST_F(FileCipherTest, AnotherKeyModeOrPaddingIsRefused) {
    Keyed(kKey, CCipherMethod::kCbc)->EncryptFile(Input(Content(100)), Path("enciphered"));
    const std::string refused =
        "FileCrypt ERROR: File " + Path("enciphered") + " cannot be Correctly Decrypted!";
    for (const auto& other :
         {Keyed(kOtherKey, CCipherMethod::kCbc), Keyed(kKey, CCipherMethod::kEcb),
          Keyed(kKey, CCipherMethod::kCbc, CCipherMethod::kPadSpaces)}) {
        WriteBytes(m_dir / "deciphered", ToBytes("earlier content"));
        EXPECT_THAT([&] { other->DecryptFile(Path("enciphered"), Path("deciphered")); },
                    ThrowsMessage<std::runtime_error>(StrEq(refused)));
        EXPECT_TRUE(std::filesystem::exists(Path("deciphered")));
        EXPECT_EQ(std::filesystem::file_size(Path("deciphered")), 0u);
    }
}

TEST_F(FileCipherTest, EmptyFileIsTheSignatureAlone) {
    auto tea = Keyed(kKey, CCipherMethod::kCbc);
    tea->EncryptFile(Input({}), Path("enciphered"));
    EXPECT_EQ(ReadBytes(Path("enciphered")), Signature(*tea));
    tea->DecryptFile(Path("enciphered"), Path("deciphered"));
    EXPECT_TRUE(std::filesystem::exists(Path("deciphered")));
    EXPECT_EQ(std::filesystem::file_size(Path("deciphered")), 0u);
}

TEST_F(FileCipherTest, RefusalsBeforeAnyData) {
    auto tea = Keyed(kKey, CCipherMethod::kEcb);
    const std::string plain = Input(Content(50));

    TEA uninitialized;
    EXPECT_THAT([&] { uninitialized.EncryptFile(plain, plain); },
                ThrowsMessage<std::runtime_error>(
                    StrEq("FileCrypt ERROR: Encryption/Decryption Object not Initialized!")));

    // One name for both files is refused before either is opened.
    for (const std::string& name : {plain, Path("not_there")}) {
        const std::string same =
            "FileCrypt ERROR: The same File for Input and Output " + name + "!";
        EXPECT_THAT([&] { tea->EncryptFile(name, name); },
                    ThrowsMessage<std::runtime_error>(StrEq(same)));
        EXPECT_THAT([&] { tea->DecryptFile(name, name); },
                    ThrowsMessage<std::runtime_error>(StrEq(same)));
    }
    // The same file under another name too: writing would empty it before it is read.
    const std::string otherName =
        (std::filesystem::path(plain).parent_path() / "." / std::filesystem::path(plain).filename())
            .string();
    EXPECT_THAT([&] { tea->EncryptFile(plain, otherName); },
                ThrowsMessage<std::runtime_error>(
                    StrEq("FileCrypt ERROR: The same File for Input and Output " + plain + "!")));
    std::filesystem::create_hard_link(plain, Path("hard_link"));
    EXPECT_THROW(tea->DecryptFile(Path("hard_link"), plain), std::runtime_error);
    EXPECT_EQ(ReadBytes(plain), Content(50));
    EXPECT_FALSE(std::filesystem::exists(Path("not_there")));

    const std::string missing = Path("missing");
    EXPECT_THAT([&] { tea->DecryptFile(missing, Path("out")); },
                ThrowsMessage<std::runtime_error>(
                    StrEq("FileCrypt ERROR: Cannot open File " + missing + "!")));
    EXPECT_FALSE(std::filesystem::exists(Path("out")));
    const std::string unwritable = Path("no_folder/out");
    EXPECT_THAT([&] { tea->EncryptFile(plain, unwritable); },
                ThrowsMessage<std::runtime_error>(
                    StrEq("FileCrypt ERROR: Cannot open File " + unwritable + "!")));
}

TEST_F(FileCipherTest, OnlyRegularFilesAreOpened) {
    auto tea = Keyed(kKey, CCipherMethod::kEcb);
    const std::string plain = Input(Content(50));
    std::filesystem::create_directory(Path("folder"));
    // A folder fails only when read, a device never ends, a pipe waits for a writer or reader.
    struct Refusal {
        std::string in, out, refused;
    };
#ifdef _WIN32
    // Windows keeps no pipes in its folders, and its devices are names outside them.
    const Refusal refusals[] = {{Path("folder"), Path("out"), Path("folder")},
                                {"NUL", Path("out"), "NUL"},
                                {plain, Path("folder"), Path("folder")}};
#else
    ASSERT_EQ(mkfifo(Path("pipe").c_str(), 0600), 0);
    const Refusal refusals[] = {
        {Path("folder"), Path("out"), Path("folder")}, {"/dev/zero", Path("out"), "/dev/zero"},
        {Path("pipe"), Path("out"), Path("pipe")},     {plain, Path("folder"), Path("folder")},
        {plain, Path("pipe"), Path("pipe")},           {plain, "/dev/null", "/dev/null"}};
#endif
    for (const auto& [in, out, refused] : refusals) {
        SCOPED_TRACE(in + " -> " + out);
        for (const auto& operation : {&CCipherMethod::EncryptFile, &CCipherMethod::DecryptFile}) {
            EXPECT_THAT([&] { ((*tea).*operation)(in, out); },
                        ThrowsMessage<std::runtime_error>(
                            StrEq("FileCrypt ERROR: Cannot open File " + refused + "!")));
            EXPECT_FALSE(std::filesystem::exists(Path("out")));
        }
    }
    EXPECT_EQ(ReadBytes(plain), Content(50));
}

TEST_F(FileCipherTest, DamagedFilesAreRefused) {
    auto tea = Keyed(kKey, CCipherMethod::kCbc);
    const Bytes content = Content(1000);
    tea->EncryptFile(Input(content), Path("enciphered"));
    const Bytes enciphered = ReadBytes(Path("enciphered"));

    WriteBytes(m_dir / "short", Bytes(enciphered.begin(), enciphered.begin() + 31));
    EXPECT_THAT([&] { tea->DecryptFile(Path("short"), Path("out")); },
                ThrowsMessage<std::runtime_error>(StrEq("FileCrypt ERROR: File " + Path("short") +
                                                        " cannot be Correctly Decrypted!")));

    // A last piece that is not whole blocks fails after the pieces before it were written.
    WriteBytes(m_dir / "cut", Bytes(enciphered.begin(), enciphered.end() - 3));
    EXPECT_THAT([&] { tea->DecryptFile(Path("cut"), Path("out")); },
                ThrowsMessage<std::runtime_error>(StrEq("Illegal Block Size!")));
    EXPECT_EQ(ReadBytes(Path("out")), Bytes(content.begin(), content.begin() + 768));
}

}  // namespace
