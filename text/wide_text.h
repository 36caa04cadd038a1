// Windows only: between the system's UTF-16 texts and names (wide strings) and the program's
// UTF-8 ones, through the system's own converter.
#pragma once

#include <string>
#include <string_view>

// Both throw std::length_error for a text longer than INT_MAX / 3 bytes or units, which the
// system's converter cannot take whole.

// UTF-8 to UTF-16; every invalid byte sequence becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view text);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view text);
