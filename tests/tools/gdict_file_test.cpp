// gdict encrypt-file, decrypt-file and sha256: files, digests and exit codes.
#include <array>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "crypto/cipher_method_set.h"
#include "crypto/tea.h"
#include "tests/support/program_outcome.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace {

// The signature of a TEA file enciphered with the key buffer Select builds from keyText.
std::string TeaSignature(const std::string& keyText, int mode, int padding) {
    std::array<unsigned char, TEA::kKeyLength> key;
    CopyKeyText(keyText, key.data(), key.size());
    const std::array<unsigned char, TEA::kBlockSize> zeroChain{};
    TEA tea;
    tea.SetKey(key.data(), key.size(), zeroChain.data(), mode, padding);
    std::array<unsigned char, 32> signature;
    tea.Signature(signature.data());
    return std::string(signature.begin(), signature.end());
}

class GdictFileTest : public ::testing::Test {
protected:
    struct Outcome {
        int status;
        std::string out;
        std::string err;
    };

    Outcome Gdict(const std::vector<std::string>& args) {
        const int status = RunProgram(GDICT_PROGRAM, args, "", Path("stdout"), Path("stderr"));
        return {status, ReadFile(Path("stdout")), ReadFile(Path("stderr"))};
    }
    std::string Path(const char* name) const { return (m_dir / name).string(); }
    std::string Write(const char* name, const std::string& content) {
        std::ofstream(Path(name), std::ios::binary) << content;
        return Path(name);
    }

    TempDir m_dir;
};

TEST_F(GdictFileTest, EncryptFileThenDecryptFile) {
    std::string plain(1001, '\0');
    for (std::size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<char>(i * 31);
    const std::string in = Write("plain", plain);
    const std::vector<std::string> setUp = {"--method", "TEA", "--key",     "面料-key",
                                            "--mode",   "cbc", "--padding", "space"};

    std::vector<std::string> encrypt = {"encrypt-file"};
    encrypt.insert(encrypt.end(), setUp.begin(), setUp.end());
    encrypt.insert(encrypt.end(), {in, Path("enciphered")});
    const auto encrypted = Gdict(encrypt);
    EXPECT_EQ(encrypted.status, 0) << encrypted.err;
    const std::string enciphered = ReadFile(Path("enciphered"));
    ASSERT_EQ(enciphered.size(), 32u + 1008u);
    // The key text reaches the key buffer in code page 936, and the modes are the options'.
    EXPECT_EQ(enciphered.substr(0, 32),
              TeaSignature("\xC3\xE6\xC1\xCF-key", CCipherMethod::kCbc, CCipherMethod::kPadSpaces));

    std::vector<std::string> decrypt = {"decrypt-file"};
    decrypt.insert(decrypt.end(), setUp.begin(), setUp.end());
    decrypt.insert(decrypt.end(), {Path("enciphered"), Path("deciphered")});
    EXPECT_EQ(Gdict(decrypt).status, 0);
    EXPECT_EQ(ReadFile(Path("deciphered")), plain + std::string(7, ' '));

    // Without options the set-up is Select's: ECB and zero padding.
    EXPECT_EQ(Gdict({"encrypt-file", "--method=TEA", "--key=k", in, Path("defaults")}).status, 0);
    EXPECT_EQ(ReadFile(Path("defaults")).substr(0, 32),
              TeaSignature("k", CCipherMethod::kEcb, CCipherMethod::kPadZeros));
}

TEST_F(GdictFileTest, EveryMethodRoundTrips) {
    const std::string plain(1500, 'x');
    const std::string in = Write("plain", plain);
    for (const char* method : {"RIJNDAEL", "XOR256STREAM", "TEA", "XOR256BLOCK", "BLOWFISH"}) {
        SCOPED_TRACE(method);
        ASSERT_EQ(Gdict({"encrypt-file", "--method", method, "--key", "trim", "--mode", "cfb", in,
                         Path("enciphered")})
                      .status,
                  0);
        ASSERT_EQ(Gdict({"decrypt-file", "--method", method, "--key", "trim", "--mode", "cfb",
                         Path("enciphered"), Path("deciphered")})
                      .status,
                  0);
        EXPECT_EQ(ReadFile(Path("deciphered")).substr(0, plain.size()), plain);
    }
}

TEST_F(GdictFileTest, FileCommandRefusalsExitWith2) {
    const std::string in = Write("plain", "some plain bytes");
    ASSERT_EQ(Gdict({"encrypt-file", "--method", "TEA", "--key", "right-key-0123456", in,
                     Path("enciphered")})
                  .status,
              0);

    const auto wrongKey = Gdict({"decrypt-file", "--method", "TEA", "--key", "wrong-key-0123456",
                                 Path("enciphered"), Path("out")});
    EXPECT_EQ(wrongKey.status, 2);
    EXPECT_NE(wrongKey.err.find("FileCrypt ERROR: File " + Path("enciphered") +
                                " cannot be Correctly Decrypted!"),
              std::string::npos)
        << wrongKey.err;

    EXPECT_EQ(Gdict({"encrypt-file", "--method", "TEA", "--key", "k", in, in}).status, 2);
    EXPECT_EQ(ReadFile(in), "some plain bytes");
    EXPECT_EQ(
        Gdict({"encrypt-file", "--method", "NOSUCHMETHOD", "--key", "k", in, Path("o")}).status, 2);
    EXPECT_EQ(
        Gdict({"encrypt-file", "--method", "TEA", "--key", "k", "--mode", "ofb", in, Path("o")})
            .status,
        2);
    EXPECT_EQ(
        Gdict({"encrypt-file", "--method", "TEA", "--key", "k", "--padding", "pkcs", in, Path("o")})
            .status,
        2);
    EXPECT_EQ(Gdict({"encrypt-file", "--method", "TEA", in, Path("o")}).status, 2);
    EXPECT_EQ(Gdict({"encrypt-file", "--key", "k", in, Path("o")}).status, 2);
    EXPECT_EQ(Gdict({"decrypt-file", "--method", "TEA", "--key", "k", in}).status, 2);
}

TEST_F(GdictFileTest, Sha256OfFiles) {
    const auto abc = Gdict({"sha256", Write("abc", "abc")});
    EXPECT_EQ(abc.status, 0);
    EXPECT_EQ(abc.out, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad\n");

    // A file longer than one read chunk: one million 'a' bytes (FIPS 180-2).
    const auto million = Gdict({"sha256", Write("million", std::string(1000000, 'a'))});
    EXPECT_EQ(million.out, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0\n");

    const auto empty = Gdict({"sha256", Write("empty", "")});
    EXPECT_EQ(empty.status, 2);
    EXPECT_EQ(empty.out, "");
    EXPECT_FALSE(empty.err.empty());
    EXPECT_EQ(Gdict({"sha256", Path("missing")}).status, 2);
    EXPECT_EQ(Gdict({"sha256"}).status, 2);
}

}  // namespace
