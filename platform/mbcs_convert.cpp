// Conversions between code page 936 and the Unicode encodings, through the C library's iconv.
//
// Each thread keeps its own converters (an iconv descriptor carries conversion state and must
// not be used by two threads at once), opened on first use and closed when the thread ends.
#include <iconv.h>

#include <bit>
#include <cerrno>
#include <stdexcept>

#include "platform/mbcs.h"

namespace mbcs {
namespace {

static_assert(std::endian::native == std::endian::little ||
              std::endian::native == std::endian::big);

constexpr const char* kCodePage = "CP936";
constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kUtf16Host =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD

// How far one call of Converter::Convert got: the input bytes consumed, and 0 when all input
// was converted, EILSEQ when the input at `consumed` cannot be converted, EINVAL when the
// input ends inside a character.
struct Outcome {
    std::size_t consumed;
    int error;
};

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

    // Appends to out the conversion of input up to the first sequence that cannot be
    // converted.
    Outcome Convert(std::string_view input, std::string& out) {
        iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());  // iconv does not write through it
        std::size_t inLeft = input.size();
        std::size_t written = out.size();
        for (;;) {
            // Four output bytes per input byte always suffice for these encodings; the loop
            // grows the buffer further should iconv still report it full.
            out.resize(written + inLeft * 4 + 16);
            char* outPtr = out.data() + written;
            std::size_t outLeft = out.size() - written;
            const std::size_t result = iconv(descriptor_, &in, &inLeft, &outPtr, &outLeft);
            const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
            written = out.size() - outLeft;
            if (error != E2BIG) {
                out.resize(written);
                return {input.size() - inLeft, error};
            }
        }
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
    Converter& converter = Utf16ToCodePage();
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::string_view bytes(reinterpret_cast<const char*>(text.data() + pos),
                                     (text.size() - pos) * sizeof(char16_t));
        const Outcome outcome = converter.Convert(bytes, out);
        if (outcome.error == 0) {
            break;
        }
        out += '?';
        pos += outcome.consumed / sizeof(char16_t);
        if (outcome.error != EILSEQ) {
            break;  // the text ends with a high surrogate
        }
        pos += Utf16CharLength(text, pos);
    }
    return out;
}

std::optional<std::string> FromUtf8(std::string_view text) {
    std::string out;
    if (Utf8ToCodePage().Convert(text, out).error != 0) {
        return std::nullopt;
    }
    return out;
}

std::string ToUtf8(std::string_view text) {
    Converter& converter = CodePageToUtf8();
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const Outcome outcome = converter.Convert(text.substr(pos), out);
        if (outcome.error == 0) {
            break;
        }
        out += kReplacementUtf8;
        pos += outcome.consumed;
        if (outcome.error != EILSEQ) {
            break;  // the text ends with a lead byte
        }
        pos += InvalidSequenceLength(text, pos);
    }
    return out;
}

}  // namespace mbcs
