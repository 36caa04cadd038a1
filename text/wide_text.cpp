#include "text/wide_text.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace {

// The length of a text that the converter takes whole, its result (up to three UTF-8 bytes a
// UTF-16 unit) included.
int CheckedLength(std::size_t size) {
    if (size > INT_MAX / 3) throw std::length_error("text too long for the system's converter");
    return static_cast<int>(size);
}

}  // namespace

std::wstring WideFromUtf8(std::string_view text) {
    const int length = CheckedLength(text.size());
    if (length == 0) return std::wstring();
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(),
                        static_cast<int>(wide.size()));
    return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
    const int length = CheckedLength(text.size());
    if (length == 0) return std::string();
    std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), length,
                                                                  nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), static_cast<int>(utf8.size()),
                        nullptr, nullptr);
    return utf8;
}
