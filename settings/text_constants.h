// Texts that the program keeps as stored constants: uppercase hexadecimal of code page 936 text
// enciphered under TextCipherKey, deciphered with
// TheCipherMethodSet().TextCipher(CCipherMethodSet::kTea, TextCipherKey, text). The values are
// made at build time from the plain sources in res/strings/.
#pragma once

#include <string_view>

// The title drawn while the dictionary loads: 32 hexadecimal characters (a plain text of 9 to 16
// bytes).
extern const std::string_view SplashTitleText;

// The line written under every result display: 208 hexadecimal characters (a plain text of 97
// to 104 bytes).
extern const std::string_view ResultFooterText;
