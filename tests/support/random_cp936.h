// Random code page 936 texts made of the characters that matter to folding and to finding
// character boundaries, for property tests.
#pragma once

#include <random>
#include <string>
#include <string_view>

// The characters a random text is drawn from: ASCII letters in both cases, a digit, a space,
// the bar of the separator; Chinese characters (衬衫, 纽扣) whose bytes straddle each other;
// full-width, Greek and Cyrillic capitals and small letters (folded by the code page's table);
// lead bytes with trail bytes that look like letters or bars; the highest lead byte.
inline constexpr std::string_view kRandomCp936Characters[] = {
    "a",        "A",        "b",        "B",        "c",        "C",        "7",
    " ",        "|",        "\xB3\xC4", "\xC9\xC0", "\xC4\xC9", "\xC5\xA6", "\xBF\xDB",
    "\xA3\xC1", "\xA3\xE1", "\xA3\xC2", "\xA3\xE2", "\xA6\xA1", "\xA6\xC1", "\xA7\xA1",
    "\xA7\xD1", "\x81\x41", "\x81\x61", "\x81\x7C", "\xB3\x43", "\xFE\xFE", "\x80",
};

// A text of up to maxCharacters characters; sometimes it ends in a lone lead byte, which is a
// character of its own there.
inline std::string RandomCp936Text(std::mt19937& random, std::size_t maxCharacters) {
    std::string text;
    const std::size_t characters = random() % (maxCharacters + 1);
    for (std::size_t i = 0; i < characters; ++i) {
        text += kRandomCp936Characters[random() % std::size(kRandomCp936Characters)];
    }
    if (random() % 8 == 0) text += "\xB3";
    return text;
}
