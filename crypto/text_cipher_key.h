// The program's key text for its stored texts: string-table entries and text constants are
// kept as hexadecimal XTEA ciphertext under this key, and deciphered with
// TheCipherMethodSet().TextCipher(CCipherMethodSet::kTea, TextCipherKey, text). As a key it
// is its 10 character bytes followed by 6 zero bytes (the characters are not decoded).
#pragma once

#include <string_view>

inline constexpr std::string_view TextCipherKey = "5D0B7E19C4";
