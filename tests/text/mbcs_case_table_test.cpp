// Checks the built-in double-byte lower-case table against the C library: every code of the
// code page is decoded, lower-cased under C.UTF-8 and encoded back.
#include <iconv.h>
#include <locale.h>

#include <cwctype>
#include <memory>
#include <optional>
#include <type_traits>

#include <gtest/gtest.h>

#include "text/mbcs.h"

namespace {

struct IconvCloser {
    void operator()(iconv_t descriptor) const { iconv_close(descriptor); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

struct LocaleFreer {
    void operator()(locale_t locale) const { freelocale(locale); }
};
using LocaleHandle = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleFreer>;

IconvHandle OpenIconv(const char* to, const char* from) {
    iconv_t descriptor = iconv_open(to, from);
    return IconvHandle(descriptor == reinterpret_cast<iconv_t>(-1) ? nullptr : descriptor);
}

// The one wide character that the bytes stand for, or nullopt.
std::optional<wchar_t> Decode(iconv_t decoder, const char* bytes, std::size_t size) {
    wchar_t wide[2];
    char* in = const_cast<char*>(bytes);
    auto* out = reinterpret_cast<char*>(wide);
    std::size_t outLeft = sizeof wide;
    iconv(decoder, nullptr, nullptr, nullptr, nullptr);
    if (iconv(decoder, &in, &size, &out, &outLeft) == static_cast<std::size_t>(-1) ||
        outLeft != sizeof wide - sizeof(wchar_t)) {
        return std::nullopt;
    }
    return wide[0];
}

// The double-byte code of the character, or nullopt when it is not a double-byte character.
std::optional<unsigned> EncodeDoubleByte(iconv_t encoder, wchar_t character) {
    unsigned char bytes[8];
    char* in = reinterpret_cast<char*>(&character);
    std::size_t inLeft = sizeof character;
    auto* out = reinterpret_cast<char*>(bytes);
    std::size_t outLeft = sizeof bytes;
    iconv(encoder, nullptr, nullptr, nullptr, nullptr);
    if (iconv(encoder, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
        sizeof bytes - outLeft != 2) {
        return std::nullopt;
    }
    return static_cast<unsigned>(bytes[0]) << 8 | bytes[1];
}

TEST(MbcsCaseTable, MatchesTheLocaleLowerCaseForEveryDoubleByteCode) {
    const IconvHandle decoder = OpenIconv("WCHAR_T", "CP936");
    const IconvHandle encoder = OpenIconv("CP936", "WCHAR_T");
    const LocaleHandle locale(newlocale(LC_ALL_MASK, "C.UTF-8", nullptr));
    ASSERT_TRUE(decoder && encoder && locale);

    int decoded = 0;
    int folded = 0;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x00; trail <= 0xFF; ++trail) {
            const unsigned code = lead << 8 | trail;
            const char bytes[] = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::optional<wchar_t> character =
                trail >= 0x40 && trail != 0x7F && trail != 0xFF
                    ? Decode(decoder.get(), bytes, sizeof bytes)
                    : std::nullopt;
            unsigned expected = code;
            if (character) {
                ++decoded;
                const auto lower = static_cast<wchar_t>(towlower_l(*character, locale.get()));
                if (lower != *character) {
                    expected = EncodeDoubleByte(encoder.get(), lower).value_or(code);
                }
            }
            folded += expected != code;
            ASSERT_EQ(mbcs::FoldDoubleByte(static_cast<unsigned char>(lead),
                                           static_cast<unsigned char>(trail)),
                      expected)
                << std::hex << code;
        }
    }
    // Guards against a converter that silently decodes nothing.
    EXPECT_GT(decoded, 20000);
    EXPECT_GT(folded, 90);
}

}  // namespace
