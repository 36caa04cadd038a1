// gdict encrypt-file, decrypt-file and sha256: the cipher library's file operations and digest
// from the command line.
#include <array>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "crypto/cipher_method_set.h"
#include "crypto/sha.h"
#include "files/file_name.h"
#include "tools/gdict/arguments.h"
#include "tools/gdict/commands.h"

namespace {

struct FileMethod {
    std::string_view name;
    int number;
};

constexpr FileMethod kFileMethods[] = {
    {"RIJNDAEL", CCipherMethodSet::kRijndael}, {"XOR256STREAM", CCipherMethodSet::kXor256Stream},
    {"TEA", CCipherMethodSet::kTea},           {"XOR256BLOCK", CCipherMethodSet::kXor256Block},
    {"BLOWFISH", CCipherMethodSet::kBlowfish},
};

const FileMethod& FindMethod(const std::string& name) {
    for (const FileMethod& method : kFileMethods) {
        if (method.name == name) return method;
    }
    throw UsageError("unknown cipher method " + name);
}

int ModeOption(const Arguments& arguments, const std::string& option,
               std::initializer_list<std::string_view> names) {
    const std::optional<std::string> text = arguments.Option(option);
    if (!text) return 0;
    int value = 0;
    for (std::string_view name : names) {
        if (*text == name) return value;
        ++value;
    }
    throw UsageError("unknown --" + option + " " + *text);
}

// Keys the method named by --method through Select, with --mode and --padding in place of its
// defaults, and runs operation on it with the set's lock held.
template <class Operation>
int RunFileOperation(const std::vector<std::string>& args, Operation operation) {
    const Arguments arguments(args, {"method", "key", "mode", "padding"}, 2);
    const std::optional<std::string> name = arguments.Option("method");
    if (!name) throw UsageError("--method is required");
    const std::optional<std::string> keyArgument = arguments.Option("key");
    if (!keyArgument) throw UsageError("--key is required");
    const FileMethod& method = FindMethod(*name);
    const int operationMode = ModeOption(arguments, "mode", {"ecb", "cbc", "cfb"});
    const int paddingMode = ModeOption(arguments, "padding", {"zero", "space", "count"});
    const std::string keyText = ArgumentToCp936(*keyArgument, "the key");

    CCipherMethodSet& set = TheCipherMethodSet();
    const auto lock = set.Lock();
    CCipherMethod* cipher = set.Select(method.number, keyText, operationMode, paddingMode);
    operation(*cipher, arguments.Positional(0), arguments.Positional(1));
    return 0;
}

}  // namespace

int RunEncryptFile(const std::vector<std::string>& args) {
    return RunFileOperation(args, [](CCipherMethod& cipher, const std::string& in,
                                     const std::string& out) { cipher.EncryptFile(in, out); });
}

int RunDecryptFile(const std::vector<std::string>& args) {
    return RunFileOperation(args, [](CCipherMethod& cipher, const std::string& in,
                                     const std::string& out) { cipher.DecryptFile(in, out); });
}

int RunSha256(const std::vector<std::string>& args) {
    const Arguments arguments(args, {}, 1);
    const std::string& path = arguments.Positional(0);
    std::ifstream in(PathOfName(path), std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    CSHA sha;
    std::vector<char> chunk(1 << 16);
    bool empty = true;
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
        sha.AddData(reinterpret_cast<const unsigned char*>(chunk.data()),
                    static_cast<std::size_t>(in.gcount()));
        empty = false;
    }
    if (in.bad()) throw std::runtime_error("cannot read " + path);
    if (empty) throw std::runtime_error(path + " is empty: only non-empty files have a digest");

    std::array<unsigned char, CSHA::kDigestSize> digest;
    sha.FinalDigest(digest.data());
    constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : digest) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xF];
    }
    std::cout << hex << '\n';
    return 0;
}
