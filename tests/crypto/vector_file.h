// Reading the test-vector files of the test data folder, and the byte helpers the crypto
// tests share.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "crypto/cipher_method.h"

using Bytes = std::vector<unsigned char>;

// The "Name = value" lines of one record.
using VectorRecord = std::map<std::string, std::string, std::less<>>;

// The records of the named file in the test data folder: records are separated by blank
// lines and lines starting with '#' are comments. An unreadable file gives no records and
// fails the calling test.
std::vector<VectorRecord> ReadVectorFile(const std::string& name);

// The bytes of a hexadecimal string, decoded without the library's own decoder.
Bytes FromHex(std::string_view hex);

// The bytes of a text.
Bytes ToBytes(std::string_view text);

// What one Encrypt / Decrypt call of method makes of bytes.
Bytes Encrypted(CCipherMethod& method, const Bytes& bytes);
Bytes Decrypted(CCipherMethod& method, const Bytes& bytes);

// a XOR b, byte by byte. REQUIRES: b is at least as long as a.
Bytes Xored(Bytes a, const Bytes& b);

// Checks that Encrypt and Decrypt of method refuse each of counts with "Illegal Block Size!"
// and write nothing. REQUIRES: every count is at most 64.
void ExpectCountsRefused(CCipherMethod& method, std::initializer_list<std::size_t> counts);

constexpr const char* kNotInitialized =
    "FileCrypt ERROR: Encryption/Decryption Object not Initialized!";
