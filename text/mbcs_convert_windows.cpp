// Conversions between code page 936 and the Unicode encodings on Windows, through the system's
// own converter (MultiByteToWideChar and WideCharToMultiByte).
//
// The system's code page 936 is the one of every other converter plus the user-defined codes
// (0xAAA1-0xAFFE, 0xF8A1-0xFEFE, 0xA140-0xA7A0), which it maps to and from the private use area
// U+E000-U+E864. Those codes stand for no character, so here, as elsewhere, they are invalid
// sequences and private use characters have no form in the code page.
//
// The system takes int lengths: texts go through in runs of about kRun units, cut between
// characters. Each run is converted once (an invalid run once more, a character at a time), so
// the work is linear in the text.
#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "text/mbcs.h"
#include "text/wide_text.h"

namespace mbcs {
namespace {

constexpr UINT kCodePage = 936;
constexpr std::size_t kRun = 1 << 20;
constexpr wchar_t kReplacement = 0xFFFD;
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide strings are UTF-16");

void RequireCodePage() {
    static const bool available = IsValidCodePage(kCodePage) != 0;
    if (!available) throw std::runtime_error("Windows offers no code page 936 converter");
}

bool IsPrivateUse(wchar_t unit) {
    return unit >= 0xE000 && unit <= 0xF8FF;
}
bool IsHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(wchar_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
bool IsTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

// Appends the code page form of run, which holds no surrogate and no private use character;
// a character that the code page cannot hold becomes '?'. Returns false when one did.
bool AppendCodePage(std::wstring_view run, std::string& out) {
    if (run.empty()) return true;
    const std::size_t written = out.size();
    out.resize(written + 2 * run.size());  // at most two bytes a character
    BOOL replaced = FALSE;
    const int length = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, run.data(),
                                           static_cast<int>(run.size()), out.data() + written,
                                           static_cast<int>(2 * run.size()), "?", &replaced);
    out.resize(written + static_cast<std::size_t>(length));
    return !replaced;
}

// The UTF-16 form of one code page character (one or two bytes), or U+FFFD when the bytes are
// no character.
wchar_t DecodeCharacter(std::string_view bytes) {
    wchar_t unit = 0;
    const int length = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                           static_cast<int>(bytes.size()), &unit, 1);
    return length == 1 && !IsPrivateUse(unit) ? unit : kReplacement;
}

// Appends the UTF-16 form of run, a sequence of whole characters of one or two bytes (a lead
// byte always with a byte of the trail range): one unit a character, U+FFFD for those that are
// no character.
void AppendWide(std::string_view run, std::wstring& out) {
    if (run.empty()) return;
    const std::size_t written = out.size();
    out.resize(written + run.size());
    const int length = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, run.data(),
                                           static_cast<int>(run.size()), out.data() + written,
                                           static_cast<int>(run.size()));
    if (length > 0) {
        out.resize(written + static_cast<std::size_t>(length));
        std::replace_if(out.begin() + static_cast<std::ptrdiff_t>(written), out.end(), IsPrivateUse,
                        kReplacement);
        return;
    }
    out.resize(written);
    for (std::size_t pos = 0; pos < run.size();) {
        const std::size_t length = IsLeadByte(static_cast<unsigned char>(run[pos])) ? 2 : 1;
        out += DecodeCharacter(run.substr(pos, length));
        pos += length;
    }
}

}  // namespace

std::string FromUtf16(std::u16string_view text) {
    RequireCodePage();
    const std::wstring_view wide(reinterpret_cast<const wchar_t*>(text.data()), text.size());
    std::string out;
    std::size_t start = 0;
    std::size_t pos = 0;
    while (pos < wide.size()) {
        const wchar_t unit = wide[pos];
        if (IsHighSurrogate(unit) || IsLowSurrogate(unit) || IsPrivateUse(unit)) {
            AppendCodePage(wide.substr(start, pos - start), out);
            out += '?';
            const bool pair =
                IsHighSurrogate(unit) && pos + 1 < wide.size() && IsLowSurrogate(wide[pos + 1]);
            pos += pair ? 2 : 1;
            start = pos;
            continue;
        }
        if (++pos - start == kRun) {
            AppendCodePage(wide.substr(start, pos - start), out);
            start = pos;
        }
    }
    AppendCodePage(wide.substr(start), out);
    return out;
}

std::optional<std::string> FromUtf8(std::string_view text) {
    RequireCodePage();
    std::string out;
    std::wstring wide;
    while (!text.empty()) {
        // A run ends before a byte that starts a character.
        std::size_t length = std::min(text.size(), kRun);
        while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
            ++length;
        }
        wide.resize(length);
        const int units =
            MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                static_cast<int>(length), wide.data(), static_cast<int>(length));
        if (units <= 0) return std::nullopt;
        wide.resize(static_cast<std::size_t>(units));
        // A surrogate here is half of a character beyond the basic plane, which the code page
        // cannot hold.
        if (std::any_of(wide.begin(), wide.end(), [](wchar_t unit) {
                return IsHighSurrogate(unit) || IsLowSurrogate(unit) || IsPrivateUse(unit);
            })) {
            return std::nullopt;
        }
        if (!AppendCodePage(wide, out)) return std::nullopt;
        text.remove_prefix(length);
    }
    return out;
}

std::string ToUtf8(std::string_view text) {
    RequireCodePage();
    std::string out;
    std::wstring wide;
    const auto appendRun = [&](std::string_view run) {
        wide.clear();
        AppendWide(run, wide);
        out += Utf8FromWide(wide);
    };
    std::size_t start = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        const bool lead = IsLeadByte(byte);
        if (byte == 0xFF || (lead && (pos + 1 == text.size() ||
                                      !IsTrailByte(static_cast<unsigned char>(text[pos + 1]))))) {
            // A stray lead byte or 0xFF: one U+FFFD for the one byte.
            appendRun(text.substr(start, pos - start));
            out += kReplacementUtf8;
            start = ++pos;
            continue;
        }
        pos += lead ? 2 : 1;
        if (pos - start >= kRun) {
            appendRun(text.substr(start, pos - start));
            start = pos;
        }
    }
    appendRun(text.substr(start));
    return out;
}

}  // namespace mbcs
