#include "userdata/term_text.h"

#include "text/mbcs.h"
#include "userdata/user_data_error.h"

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

const char* DescribeTextProblem(CTextProblem problem) {
    switch (problem) {
        case CTextProblem::empty:
            return "is empty";
        case CTextProblem::notUtf8:
            return "is not UTF-8 text";
        case CTextProblem::notCodePage936:
            return "holds a character that code page 936 cannot hold";
        case CTextProblem::controlCharacter:
            return "holds a control character";
        case CTextProblem::tooLong:
            return "is too long";
    }
    return "is not a text of the list";
}

bool IsUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size;) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;   // no overlong forms
            if (lead == 0xED) high = 0x9F;  // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;   // no overlong forms
            if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
        } else {
            return false;
        }
        if (size - i < length || bytes[i + 1] < low || bytes[i + 1] > high) return false;
        for (std::size_t k = 2; k < length; ++k) {
            if (!IsContinuation(bytes[i + k])) return false;
        }
        i += length;
    }
    return true;
}

std::optional<CTextProblem> CheckUtf8Text(std::string_view utf8, const CTextRule& rule,
                                          std::string* cp936) {
    if (utf8.empty() && rule.required) return CTextProblem::empty;
    if (!IsUtf8(utf8)) return CTextProblem::notUtf8;
    std::size_t characters = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0 || (!rule.controlsAllowed && (byte < 0x20 || byte == 0x7F))) {
            return CTextProblem::controlCharacter;
        }
        if (!IsContinuation(byte)) ++characters;
    }
    if (characters > rule.maxCharacters) return CTextProblem::tooLong;
    std::optional<std::string> converted = mbcs::FromUtf8(utf8);
    if (!converted) return CTextProblem::notCodePage936;
    if (cp936) *cp936 = *std::move(converted);
    return std::nullopt;
}

std::string Utf8OfText(std::string_view cp936, const CTextRule& rule, const char* what) {
    std::string utf8 = mbcs::ToUtf8(cp936);
    std::string back;
    std::optional<CTextProblem> problem = CheckUtf8Text(utf8, rule, &back);
    if (!problem && back != cp936) problem = CTextProblem::notCodePage936;
    if (problem) {
        throw CUserDataError(CUserDataError::Cause::badText,
                             std::string(what) + " " + DescribeTextProblem(*problem));
    }
    return utf8;
}

std::string_view TrimmedText(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}
