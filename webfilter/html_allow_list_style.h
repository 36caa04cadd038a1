// The sizes and styles that HTML from the network may give its elements (html_allow_list.h): none
// that takes an element out of the flow of its cell, over the page or over the program's own
// parts of the cell (positions, layers, transforms, negative offsets), and no size larger than
// the dictionary page's results cell. Values are raw, as written between the quotes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace htmlallowlist {

// The dictionary page's results cell, where network HTML is shown, in CSS pixels.
inline constexpr int kCellWidthPixels = 267;
inline constexpr int kCellHeightPixels = 309;

// A width or height attribute as the browser reads it (digits, a fraction, a '%'), written
// plainly ("120", "50%"); nullopt when the browser would ignore it or it is larger than
// maxPixels pixels or 100 percent.
std::optional<std::string> KeptSize(std::string_view raw, int maxPixels);

// The declarations of a style attribute that may stay, written "name:value;name:value" with the
// character references read; nullopt when none may. A style that names script, bindings or
// imports, or holds escapes, comments, references other than those of ASCII characters,
// unclosed quotes or brackets, or a semicolon in quotes, goes whole. Of the rest, a declaration
// stays when its property is a colour, background, border, font, text, list, margin, padding or
// size property, its value holds no negative number and no function but url() and the colour
// functions, sizes are within the results cell, and display, float, clear and vertical-align name
// plain keywords.
std::optional<std::string> KeptStyle(std::string_view raw);

}  // namespace htmlallowlist
