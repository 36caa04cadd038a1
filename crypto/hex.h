// Hexadecimal text of the cipher library: two characters per byte, high nibble first, digits
// 0-9 and uppercase A-F only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Decodes the first 2 * count characters of text into out[0..count-1]. Returns true when
// all of them are digits 0-9 or A-F. At the first other character (lowercase a-f included),
// or when the text ends early, it stops and returns false: the bytes before the failing
// pair are written, the failing byte and those after it are left as they were.
bool HexDecode(std::string_view text, unsigned char* out, std::size_t count);

// The 2 * count uppercase hexadecimal characters of bytes[0..count-1].
std::string HexEncode(const unsigned char* bytes, std::size_t count);
