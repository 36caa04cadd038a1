// The file operations of CCipherMethod: an enciphered file is the method's 32-byte Signature
// followed by the file's bytes enciphered piece by piece, one Encrypt call per piece.
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "crypto/cipher_method.h"
#include "crypto/double_buffering.h"
#include "files/file_name.h"

namespace {

constexpr std::size_t kSignatureSize = 32;

struct OpenFiles {
    std::ifstream input;
    std::ofstream output;
};

[[noreturn]] void ThrowCannotOpen(const std::string& name) {
    throw std::runtime_error("FileCrypt ERROR: Cannot open File " + name + "!");
}

// Only regular files are read and written: a folder would fail on the first read, after the
// output was made, and a device or a pipe may never end or never open.
bool IsRegularFile(const std::string& name) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(PathOfName(name), ignored);
}

// Refuses one file for both, named alike or reached by two names (emptying the output would
// destroy the input before it is read), then opens the input for reading and the output, created
// or emptied, for writing; throws the library's message for the first that fails. An input that
// is not a regular file, or an output that exists and is not one, cannot be opened.
OpenFiles Open(const std::string& in, const std::string& out) {
    std::error_code ignored;
    if (in == out || std::filesystem::equivalent(PathOfName(in), PathOfName(out), ignored)) {
        throw std::runtime_error("FileCrypt ERROR: The same File for Input and Output " + in + "!");
    }
    OpenFiles files;
    if (!IsRegularFile(in)) ThrowCannotOpen(in);
    files.input.open(PathOfName(in), std::ios::binary);
    if (!files.input) ThrowCannotOpen(in);
    if (std::filesystem::exists(PathOfName(out), ignored) && !IsRegularFile(out))
        ThrowCannotOpen(out);
    files.output.open(PathOfName(out), std::ios::binary | std::ios::trunc);
    if (!files.output) ThrowCannotOpen(out);
    return files;
}

void Write(std::ofstream& output, const unsigned char* bytes, std::size_t n,
           const std::string& name) {
    output.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(n));
    if (!output) throw std::runtime_error("FileCrypt ERROR: Cannot write File " + name + "!");
}

// Completes the output: what a failing flush or close loses is reported, not dropped.
void Close(std::ofstream& output, const std::string& name) {
    output.close();
    if (!output) throw std::runtime_error("FileCrypt ERROR: Cannot write File " + name + "!");
}

}  // namespace

void CCipherMethod::EncryptFile(const std::string& in, const std::string& out) {
    EncryptFileInPieces(in, out, kFilePieceLength, true);
}

void CCipherMethod::DecryptFile(const std::string& in, const std::string& out) {
    DecryptFileInPieces(in, out, kFilePieceLength);
}

void CCipherMethod::EncryptFileInPieces(const std::string& in, const std::string& out,
                                        std::size_t pieceLength, bool padLastPiece) {
    CheckInitialized();
    OpenFiles files = Open(in, out);
    std::array<unsigned char, kSignatureSize> signature;
    Signature(signature.data());
    Write(files.output, signature.data(), signature.size(), out);
    ResetChain();

    std::array<unsigned char, kFileBufferSize> buffer;
    CDoubleBuffering pieces(files.input, buffer.data(), buffer.size(), pieceLength);
    // Room for the pad bytes after a last piece.
    const std::size_t room =
        pieceLength + (padLastPiece ? static_cast<std::size_t>(m_blockSize) : 0);
    std::vector<unsigned char> plain(room);
    std::vector<unsigned char> enciphered(room);
    while (std::size_t n = pieces.GetData(plain.data())) {
        if (padLastPiece && n < pieceLength) n = Pad(plain.data(), n);
        Encrypt(plain.data(), enciphered.data(), n);
        Write(files.output, enciphered.data(), n, out);
    }
    Close(files.output, out);
}

void CCipherMethod::DecryptFileInPieces(const std::string& in, const std::string& out,
                                        std::size_t pieceLength) {
    CheckInitialized();
    OpenFiles files = Open(in, out);
    std::array<unsigned char, kSignatureSize> expected;
    Signature(expected.data());
    std::array<char, kSignatureSize> found;
    files.input.read(found.data(), found.size());
    if (files.input.gcount() != static_cast<std::streamsize>(found.size()) ||
        !std::equal(found.begin(), found.end(), expected.begin(),
                    [](char a, unsigned char b) { return static_cast<unsigned char>(a) == b; })) {
        throw std::runtime_error("FileCrypt ERROR: File " + in + " cannot be Correctly Decrypted!");
    }
    ResetChain();

    std::array<unsigned char, kFileBufferSize> buffer;
    CDoubleBuffering pieces(files.input, buffer.data(), buffer.size(), pieceLength);
    std::vector<unsigned char> enciphered(pieceLength);
    std::vector<unsigned char> plain(pieceLength);
    while (const std::size_t n = pieces.GetData(enciphered.data())) {
        Decrypt(enciphered.data(), plain.data(), n);
        Write(files.output, plain.data(), n, out);
    }
    Close(files.output, out);
}
