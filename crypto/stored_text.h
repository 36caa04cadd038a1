// Making stored texts, the inverse of TextCipher with the program's settings; used to prepare
// the program's data.
#pragma once

#include <string>
#include <string_view>

// The stored form of plain under keyText: the plain bytes padded with zero bytes to a multiple
// of 8 (nothing added when already one), enciphered with XTEA in ECB mode under the first
// 16 bytes of the key text (zero-filled when shorter), as uppercase hexadecimal.
// TextCipher(CCipherMethodSet::kTea, keyText, result) gives plain back.
// Throws std::invalid_argument for an empty plain text or one holding a zero byte, which
// could not come back. Safe to call from several threads at once.
std::string MakeStoredText(std::string_view keyText, std::string_view plain);
