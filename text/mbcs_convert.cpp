// Conversions between code page 936 and the Unicode encodings, through the C library's iconv.
//
// Each thread keeps its own converters (an iconv descriptor carries conversion state and must
// not be used by two threads at once), opened on first use and closed when the thread ends.
#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <optional>
#include <stdexcept>
#include <string>

#include "text/mbcs.h"

namespace mbcs {
namespace {

static_assert(std::endian::native == std::endian::little ||
              std::endian::native == std::endian::big);

constexpr const char* kCodePage = "CP936";
constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kUtf16Host =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD

// Bytes of the longest character of these encodings: a UTF-16 surrogate pair, a 4-byte UTF-8
// sequence.
constexpr std::size_t kSmallestPiece = 4;

// Owns one iconv descriptor. Throws std::runtime_error when the C library has no such
// conversion. Not for use by two threads at once.
class Converter {
public:
    Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {
        if (descriptor_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " +
                                     to);
        }
    }
    ~Converter() { iconv_close(descriptor_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole of input in one pass and returns the result. A sequence that cannot be
    // converted (input that ends inside a character included) is handed to skip as its byte
    // offset; skip returns how many bytes to pass over, or 0 to give up. The skipped bytes
    // become replacement, and the conversion goes on after them from the same state. nullopt
    // when skip gave up.
    //
    // The work is linear in the input whatever it holds: a failing iconv call costs time in
    // proportion to the input it was given, so the input goes to iconv in pieces that start at
    // kSmallestPiece bytes after each failure and double with each piece converted whole.
    template <class Skip>
    std::optional<std::string> Convert(std::string_view input, std::string_view replacement,
                                       Skip skip) {
        iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        std::string out(input.size() + 16, '\0');
        std::size_t written = 0;
        std::size_t done = 0;
        std::size_t piece = kSmallestPiece;
        while (done < input.size()) {
            const std::size_t offered = std::min(piece, input.size() - done);
            char* in = const_cast<char*>(input.data() + done);  // iconv does not write through it
            std::size_t inLeft = offered;
            char* outPtr = out.data() + written;
            std::size_t outLeft = out.size() - written;
            const std::size_t result = iconv(descriptor_, &in, &inLeft, &outPtr, &outLeft);
            const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
            done += offered - inLeft;
            written = out.size() - outLeft;
            // The piece converted whole, or ended inside a character that the input goes on with.
            if (error == 0 || (error == EINVAL && done + inLeft < input.size())) {
                piece = std::min(2 * piece, input.size());
                continue;
            }
            if (error == E2BIG) {
                out.resize(2 * out.size());
                continue;
            }
            // EILSEQ, or EINVAL for input that ends inside a character.
            const std::size_t skipped = std::min<std::size_t>(skip(done), input.size() - done);
            if (skipped == 0) return std::nullopt;
            if (out.size() - written < replacement.size()) out.resize(2 * out.size());
            out.replace(written, replacement.size(), replacement);
            written += replacement.size();
            done += skipped;
            piece = kSmallestPiece;
        }
        out.resize(written);
        return out;
    }

private:
    iconv_t descriptor_;
};

Converter& Utf8ToCodePage() {
    thread_local Converter converter(kCodePage, kUtf8);
    return converter;
}

Converter& Utf16ToCodePage() {
    thread_local Converter converter(kCodePage, kUtf16Host);
    return converter;
}

Converter& CodePageToUtf8() {
    thread_local Converter converter(kUtf8, kCodePage);
    return converter;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Code units taken by the character at pos that the code page cannot hold: a whole surrogate
// pair, or one unit (a character of the basic plane or an unpaired surrogate).
std::size_t Utf16CharLength(std::u16string_view text, std::size_t pos) {
    return IsHighSurrogate(text[pos]) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1]) ? 2
                                                                                                : 1;
}

// Bytes taken by the invalid sequence at pos: a lead byte together with a byte that may be a
// trail byte (0x40-0xFE but 0x7F), otherwise the one byte, so that an ASCII character after a
// stray lead byte survives.
std::size_t InvalidSequenceLength(std::string_view text, std::size_t pos) {
    if (!IsLeadByte(static_cast<unsigned char>(text[pos])) || pos + 1 >= text.size()) {
        return 1;
    }
    const auto next = static_cast<unsigned char>(text[pos + 1]);
    return next >= 0x40 && next != 0x7F && next != 0xFF ? 2 : 1;
}

}  // namespace

std::string FromUtf16(std::u16string_view text) {
    const std::string_view bytes(reinterpret_cast<const char*>(text.data()),
                                 text.size() * sizeof(char16_t));
    return *Utf16ToCodePage().Convert(bytes, "?", [text](std::size_t at) {
        return Utf16CharLength(text, at / sizeof(char16_t)) * sizeof(char16_t);
    });
}

std::optional<std::string> FromUtf8(std::string_view text) {
    return Utf8ToCodePage().Convert(text, "", [](std::size_t) { return 0; });
}

std::string ToUtf8(std::string_view text) {
    return *CodePageToUtf8().Convert(
        text, kReplacementUtf8, [text](std::size_t at) { return InvalidSequenceLength(text, at); });
}

}  // namespace mbcs
