#include "crypto/hex.h"

#include <array>

namespace {

constexpr unsigned char kNotDigit = 0xFF;

constexpr std::array<unsigned char, 256> MakeDigitValues() {
    std::array<unsigned char, 256> values{};
    values.fill(kNotDigit);
    for (int c = '0'; c <= '9'; ++c) {
        values[c] = static_cast<unsigned char>(c - '0');
    }
    for (int c = 'A'; c <= 'F'; ++c) {
        values[c] = static_cast<unsigned char>(c - 'A' + 10);
    }
    return values;
}

constexpr std::array<unsigned char, 256> kDigitValues = MakeDigitValues();
constexpr std::string_view kDigits = "0123456789ABCDEF";

}  // namespace

bool HexDecode(std::string_view text, unsigned char* out, std::size_t count) {
    const std::size_t available = text.size() / 2;
    for (std::size_t i = 0; i < count; ++i) {
        if (i == available) {
            return false;
        }
        const unsigned char high = kDigitValues[static_cast<unsigned char>(text[2 * i])];
        const unsigned char low = kDigitValues[static_cast<unsigned char>(text[2 * i + 1])];
        if (high == kNotDigit || low == kNotDigit) {
            return false;
        }
        out[i] = static_cast<unsigned char>(high << 4 | low);
    }
    return true;
}

std::string HexEncode(const unsigned char* bytes, std::size_t count) {
    std::string text(2 * count, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        text[2 * i] = kDigits[bytes[i] >> 4];
        text[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    return text;
}
