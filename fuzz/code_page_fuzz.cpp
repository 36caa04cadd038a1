// Feeds arbitrary bytes to the code page 936 conversions, as code page 936 text, as UTF-8 and as
// UTF-16 code units. Converting a whole text must give what converting it one character at a
// time gives, so the converter's pieces never split or lose a character; the work must stay
// linear (run with a -timeout well under the old quadratic times for -max_len inputs).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "text/mbcs.h"

namespace {

// Bytes of the code page 936 character or invalid sequence at pos, as the conversion reads it.
std::size_t CodePageUnit(std::string_view text, std::size_t pos) {
    if (!mbcs::IsLeadByte(static_cast<unsigned char>(text[pos])) || pos + 1 >= text.size())
        return 1;
    const auto next = static_cast<unsigned char>(text[pos + 1]);
    return next >= 0x40 && next != 0x7F && next != 0xFF ? 2 : 1;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = mbcs::ToUtf8(bytes);
    std::string pieceByPiece;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t n = CodePageUnit(bytes, at);
        pieceByPiece += mbcs::ToUtf8(bytes.substr(at, n));
        at += n;
    }
    if (utf8 != pieceByPiece) __builtin_trap();

    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    const std::string codePage = mbcs::FromUtf16(units);
    std::string unitByUnit;
    for (std::size_t at = 0; at < units.size();) {
        const std::size_t n =
            IsHighSurrogate(units[at]) && at + 1 < units.size() && IsLowSurrogate(units[at + 1])
                ? 2
                : 1;
        unitByUnit += mbcs::FromUtf16(std::u16string_view(units).substr(at, n));
        at += n;
    }
    if (codePage != unitByUnit) __builtin_trap();

    // Valid UTF-8 that the code page holds converts there and back.
    if (const std::optional<std::string> back = mbcs::FromUtf8(bytes)) {
        if (mbcs::FromUtf8(mbcs::ToUtf8(*back)) != back) __builtin_trap();
    }
    return 0;
}
