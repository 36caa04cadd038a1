// Feeds arbitrary bytes to the file operations. After the first byte, the input is an enciphered
// file for DecryptFile; the first byte picks the method (byte % 5, the method number), the
// operation mode (byte / 5 % 3) and the padding mode (byte / 15 % 3), keyed through Select with
// the key text "fuzzing-key". A file that deciphers must encipher back to itself. The same
// bytes also drive CDoubleBuffering over a string stream: bytes 1-2 give the buffer size,
// bytes 3-4 the default piece length, the rest is the stream, read in pieces whose lengths
// follow from the first byte; the pieces must give the stream back in order. Only
// std::runtime_error, the library's own exception, may come out.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "crypto/cipher_method_set.h"
#include "crypto/double_buffering.h"

namespace {

// A directory of this process's own for the input and output files, removed at exit.
class ScratchDirectory {
public:
    ScratchDirectory() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "gdict-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) __builtin_trap();
        m_path = pattern;
    }
    ~ScratchDirectory() { std::filesystem::remove_all(m_path); }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    std::string File(const char* name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void FuzzDecryptFile(const std::uint8_t* data, std::size_t size) {
    static const ScratchDirectory directory;
    static const std::string enciphered = directory.File("enciphered");
    static const std::string deciphered = directory.File("deciphered");
    static const std::string again = directory.File("again");
    static CCipherMethodSet set;

    const std::string file(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::ofstream(enciphered, std::ios::binary | std::ios::trunc) << file;
    const auto lock = set.Lock();
    CCipherMethod& method =
        *set.Select(data[0] % 5, "fuzzing-key", data[0] / 5 % 3, data[0] / 15 % 3);
    try {
        method.DecryptFile(enciphered, deciphered);
    } catch (const std::runtime_error&) {
        return;
    }
    // The deciphered data is whole blocks, so nothing is padded on the way back.
    method.EncryptFile(deciphered, again);
    if (ReadFile(again) != file) __builtin_trap();
}

void FuzzDoubleBuffering(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return;
    const std::size_t bufferSize = (data[1] | data[2] << 8) % 2100;
    const std::size_t pieceLength = (data[3] | data[4] << 8) % 1100;
    const std::string content(reinterpret_cast<const char*>(data) + 5, size - 5);
    std::istringstream in(content);
    std::vector<unsigned char> buffer(bufferSize);
    std::vector<unsigned char> piece(bufferSize / 2 + 1);
    std::string delivered;
    try {
        CDoubleBuffering pieces(in, buffer.data(), bufferSize, pieceLength);
        // Lengths step through 1..half (and the default) so that pieces cross the halves at
        // changing places.
        std::size_t step = data[0];
        for (;;) {
            step = step * 37 + 11;
            const long length = step % 5 == 0 ? CDoubleBuffering::kDefaultLength
                                              : static_cast<long>(1 + step % (bufferSize / 2));
            const std::size_t wanted = length == CDoubleBuffering::kDefaultLength
                                           ? pieceLength
                                           : static_cast<std::size_t>(length);
            const std::size_t n = pieces.GetData(piece.data(), length);
            if (n > wanted) __builtin_trap();
            delivered.append(piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(n));
            if (n < wanted) break;
        }
        if (pieces.GetData(piece.data()) != 0) __builtin_trap();
    } catch (const std::runtime_error&) {
        if (bufferSize % 2 == 0 && pieceLength >= 1 && pieceLength <= bufferSize / 2) {
            __builtin_trap();
        }
        return;
    }
    if (delivered != content) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    FuzzDecryptFile(data, size);
    FuzzDoubleBuffering(data, size);
    return 0;
}
