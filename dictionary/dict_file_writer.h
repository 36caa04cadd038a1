// Writing dictionary files. The program only reads them; the data-preparation tool and the
// tests write them with these helpers.
//
// A dictionary file is the signed 32-bit record count, then per record five 32-bit words
// (written as zero) and the counted record text: a 7-byte key followed by the stored
// (enciphered, hexadecimal) text of english + "|||" + chinese. Integers are little-endian.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace dictfile {

void WriteInt32(std::ostream& out, std::int32_t value);

// The byte-string forms of a counted string: one length byte below 0xFF, else 0xFF and a 16-bit
// length below 0xFFFE, else 0xFF, 0xFFFF and a 32-bit length.
void WriteCountedString(std::ostream& out, std::string_view bytes);

// The record text for a pair of code page 936 texts under a 7-byte key. Throws
// std::invalid_argument when the key is not 7 bytes or holds a zero byte, when a text holds a
// zero byte, or when the pair would not split back into the same two texts (the English text
// holding "|||", or ending in "|").
std::string MakeRecordText(std::string_view key, std::string_view english,
                           std::string_view chinese);

// Five zero words and the counted record text.
void WriteRecord(std::ostream& out, std::string_view recordText);

}  // namespace dictfile
