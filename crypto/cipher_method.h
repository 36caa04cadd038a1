// The common interface of the cipher library's methods, and what they share: the stored
// settings, the checks every SetKey makes, key stretching, padding, the ECB, CBC and CFB
// operation modes over a method's block transforms, and the enciphered file format.
//
// Every failure throws std::runtime_error with one of the library's fixed messages.
// A method instance takes no locks: one instance must not be used by two threads at once.
#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "crypto/byte_order.h"

class CCipherMethod {
public:
    // Operation modes.
    static constexpr int kEcb = 0;
    static constexpr int kCbc = 1;
    static constexpr int kCfb = 2;
    // Padding modes: zero bytes, space bytes (0x20), or bytes holding the number of pad bytes.
    static constexpr int kPadZeros = 0;
    static constexpr int kPadSpaces = 1;
    static constexpr int kPadCount = 2;

    virtual ~CCipherMethod();

    // Writes the method's 32-byte signature: the SHA-256 digest of the method's name, its
    // stored key and its settings printed as decimal numbers, taken up to the first zero byte
    // of that text. Works on an uninitialized instance too.
    virtual void Signature(unsigned char out[32]) const = 0;

    // Enciphers / deciphers n bytes from in into out in the operation mode set by SetKey,
    // continuing from the current chain. Nothing is padded.
    // REQUIRES: in and out do not overlap.
    // Throws "FileCrypt ERROR: Encryption/Decryption Object not Initialized!" before a
    // successful SetKey, "Illegal Block Size!" when n is 0 or not a multiple of the block
    // size; nothing is written then.
    virtual void Encrypt(const unsigned char* in, unsigned char* out, std::size_t n) = 0;
    virtual void Decrypt(const unsigned char* in, unsigned char* out, std::size_t n) = 0;

    // Enciphers the file named in into the file named out (created or emptied; names as
    // platform/file_name.h holds them): out holds the 32-byte Signature, then the file's bytes
    // enciphered piece by piece in the operation mode, the chain starting from the initial chain.
    // Pieces are 384 bytes; the last, shorter piece is padded to whole blocks with Pad, so out is
    // 32 bytes longer than the padded input.
    // Throws std::runtime_error, in this order: the not-initialized error; "FileCrypt ERROR:
    // The same File for Input and Output <in>!" when the names are equal or name the same
    // existing file (neither file is opened then); "FileCrypt ERROR: Cannot open File <name>!" for
    // the input, then the output, also for an input that is not a regular file and an output that
    // exists and is not one (a folder, a device, a pipe), and then no output is made;
    // "FileCrypt ERROR: Cannot write File <out>!" when writing fails. A failure part-way leaves
    // out holding what was written before it.
    virtual void EncryptFile(const std::string& in, const std::string& out);
    // Deciphers a file written by EncryptFile with the same method, key and settings into the
    // file named out; the pad bytes of the last piece are written too. Checks as EncryptFile,
    // then "FileCrypt ERROR: File <in> cannot be Correctly Decrypted!" when in does not start
    // with this instance's Signature (a file shorter than 32 bytes included; out is left
    // empty), then "Illegal Block Size!" for a last piece that is not whole blocks.
    virtual void DecryptFile(const std::string& in, const std::string& out);

    // Restarts the chain from the initial chain given to SetKey.
    // Throws the not-initialized error before a successful SetKey.
    virtual void ResetChain() = 0;

    CCipherMethod(const CCipherMethod&) = delete;
    CCipherMethod& operator=(const CCipherMethod&) = delete;

    int BlockSize() const { return m_blockSize; }
    int OperationMode() const { return m_operationMode; }
    int PaddingMode() const { return m_paddingMode; }

    // target[i] ^= source[i] for every i below the block size.
    // Throws the not-initialized error before a successful SetKey.
    void XorBlock(unsigned char* target, const unsigned char* source) const;

    // Pads buffer[0..n-1] up to the next multiple of the block size and returns the padded
    // count: p = block size - n mod block size bytes are written after the n bytes (zero
    // bytes, spaces, or bytes of value p, by padding mode). When n is already a multiple,
    // nothing is written and n is returned: a whole pad block is never added.
    // REQUIRES: buffer has room for the padded count.
    // Throws the not-initialized error before a successful SetKey.
    std::size_t Pad(unsigned char* buffer, std::size_t n) const;

protected:
    // REQUIRES: blockSize >= 1, keyLength >= 1. The instance is uninitialized, in ECB mode
    // with zero padding, its key and chains all zero bytes.
    CCipherMethod(int blockSize, int keyLength);

    // The first checks of every SetKey, in this order: "FileCrypt ERROR: No Key
    // DataSpecified!" for missing key data, "FileCrypt ERROR: Key Data Length should be > 0!"
    // for an empty one.
    static void CheckKeyData(const unsigned char* keyData, std::size_t keyDataLength);
    // The last checks of every SetKey: "FileCrypt ERROR: Illegal Operation Mode!" and then
    // "FileCrypt ERROR: Illegal Padding Mode!" for a mode outside 0-2.
    static void CheckModes(int operationMode, int paddingMode);
    // Stretches or cuts the key data to keyLength bytes by repeating it cyclically: out[i] is
    // keyData[i mod keyDataLength]. REQUIRES: keyDataLength >= 1.
    static void StretchKey(const unsigned char* keyData, std::size_t keyDataLength,
                           unsigned char* out, std::size_t keyLength);

    // Throws the not-initialized error unless a SetKey has succeeded.
    void CheckInitialized() const;
    // Throws the not-initialized error, then "Illegal Block Size!" for a count of 0 or one
    // that is not a multiple of the block size.
    void CheckCount(std::size_t n) const;
    // The common part of a fixed-size method's SetKey after its checks: stores the modes,
    // makes initialChain (one block) the initial and the current chain, and stretches keyData
    // to the key length. Returns false when the instance already holds that key (its schedule
    // stays valid), true after storing the new key, which the caller then schedules.
    // REQUIRES: the checks passed; block size and key length fixed at construction, the key
    // length at most kMaxFixedKeyLength.
    static constexpr std::size_t kMaxFixedKeyLength = 56;
    bool StoreSetUp(const unsigned char* keyData, std::size_t keyDataLength,
                    const unsigned char* initialChain, int operationMode, int paddingMode);
    // Copies the initial chain into the current chain, after CheckInitialized.
    void CopyInitialChain();

    // Writes the SHA-256 digest of name + stored key + the numbers printed in decimal without
    // separators, taken up to the first zero byte. REQUIRES: name is not empty.
    void DigestSignature(std::string_view name, std::initializer_list<int> numbers,
                         unsigned char out[32]) const;

    // The read-ahead buffer of the file operations, and the piece length of EncryptFile and
    // DecryptFile. A method's own piece length must lie between 1 and kFileBufferSize / 2.
    static constexpr std::size_t kFileBufferSize = 1024;
    static constexpr std::size_t kFilePieceLength = 384;

    // The file operations with the method's own piece length: EncryptFile and DecryptFile
    // call them with kFilePieceLength, methods with other pieces call them from their
    // overrides. Each piece goes through one Encrypt or Decrypt call; with padLastPiece, a
    // last piece shorter than pieceLength is padded with Pad first, otherwise it is enciphered
    // as it is. Checks and messages as EncryptFile and DecryptFile.
    // REQUIRES: pieceLength from 1 to kFileBufferSize / 2; CDoubleBuffering refuses any other
    // with "CDoubleBuffering: Illegal Construction Data!" once both files are open.
    void EncryptFileInPieces(const std::string& in, const std::string& out, std::size_t pieceLength,
                             bool padLastPiece);
    void DecryptFileInPieces(const std::string& in, const std::string& out,
                             std::size_t pieceLength);

    // The operation modes over the method's block transforms, C being chain (one block,
    // updated in place):
    //   ECB: out = E(in)                 / out = D(in)
    //   CBC: C ^= in, out = E(C), C = out / out = D(in) ^ C, C = in
    //   CFB: out = E(C) ^ in, C = out     / out = E(C) ^ in, C = in
    // encipher(in, out) and decipher(in, out) transform one block between two distinct
    // buffers. Checks as Encrypt and Decrypt.
    template <class Encipher>
    void ChainEncrypt(const unsigned char* in, unsigned char* out, std::size_t n,
                      unsigned char* chain, Encipher encipher) const;
    template <class Encipher, class Decipher>
    void ChainDecrypt(const unsigned char* in, unsigned char* out, std::size_t n,
                      unsigned char* chain, Encipher encipher, Decipher decipher) const;

    bool m_initialized = false;
    int m_blockSize;
    int m_keyLength;
    int m_operationMode = kEcb;
    int m_paddingMode = kPadZeros;
    std::vector<unsigned char> m_key;
    std::vector<unsigned char> m_initialChain;
    std::vector<unsigned char> m_chain;

private:
    static void XorBytes(unsigned char* target, const unsigned char* source, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            target[i] ^= source[i];
        }
    }
};

template <class Encipher>
void CCipherMethod::ChainEncrypt(const unsigned char* in, unsigned char* out, std::size_t n,
                                 unsigned char* chain, Encipher encipher) const {
    CheckCount(n);
    const auto b = static_cast<std::size_t>(m_blockSize);
    for (std::size_t done = 0; done < n; done += b, in += b, out += b) {
        switch (m_operationMode) {
            case kCbc:
                XorBytes(chain, in, b);
                encipher(chain, out);
                std::copy_n(out, b, chain);
                break;
            case kCfb:
                encipher(chain, out);
                XorBytes(out, in, b);
                std::copy_n(out, b, chain);
                break;
            default:
                encipher(in, out);
                break;
        }
    }
}

template <class Encipher, class Decipher>
void CCipherMethod::ChainDecrypt(const unsigned char* in, unsigned char* out, std::size_t n,
                                 unsigned char* chain, Encipher encipher, Decipher decipher) const {
    CheckCount(n);
    const auto b = static_cast<std::size_t>(m_blockSize);
    for (std::size_t done = 0; done < n; done += b, in += b, out += b) {
        switch (m_operationMode) {
            case kCbc:
                decipher(in, out);
                XorBytes(out, chain, b);
                std::copy_n(in, b, chain);
                break;
            case kCfb:
                encipher(chain, out);
                XorBytes(out, in, b);
                std::copy_n(in, b, chain);
                break;
            default:
                decipher(in, out);
                break;
        }
    }
}
