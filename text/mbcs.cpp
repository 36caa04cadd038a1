// Character-wise folding and searching of code page 936 byte strings.
#include <cstring>

#include "text/ascii.h"
#include "text/mbcs.h"

namespace mbcs {

void FoldToLower(std::string& text) {
    const std::size_t size = text.size();
    std::size_t pos = 0;
    while (pos < size) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (IsLeadByte(byte) && pos + 1 < size) {
            const unsigned folded = FoldDoubleByte(byte, static_cast<unsigned char>(text[pos + 1]));
            text[pos] = static_cast<char>(folded >> 8);
            text[pos + 1] = static_cast<char>(folded & 0xFF);
            pos += 2;
        } else {
            text[pos] = ascii::ToLower(text[pos]);
            ++pos;
        }
    }
}

std::size_t FindOnBoundary(std::string_view text, std::string_view pattern) {
    if (pattern.empty()) {
        return 0;
    }
    if (pattern.size() > text.size()) {
        return std::string_view::npos;
    }
    const std::size_t lastStart = text.size() - pattern.size();
    const char first = pattern.front();
    for (std::size_t pos = 0; pos <= lastStart; pos += CharLength(text, pos)) {
        if (text[pos] == first &&
            std::memcmp(text.data() + pos, pattern.data(), pattern.size()) == 0) {
            return pos;
        }
    }
    return std::string_view::npos;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty()) return;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t found = FindOnBoundary(std::string_view(text).substr(pos), from);
        if (found == std::string_view::npos) return;
        text.replace(pos + found, from.size(), to);
        pos += found + to.size();
    }
}

}  // namespace mbcs
