// Sizes and style declarations of HTML from the network. Code page 936 text needs no care here:
// every character that shapes a declaration (; : " ' ( ) - . / digits and white space) lies
// below 0x40, and no trail byte does; names are compared in lower case, values are written in
// the case they came in.
#include "webfilter/html_allow_list_style.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <iterator>
#include <vector>

#include "webfilter/html_allow_list.h"

namespace htmlallowlist {
namespace {

// What a style may not name: script in the old browsers' styles, bindings, imports, and the
// escapes and comments that could hide them.
constexpr std::string_view kForbiddenInStyle[] = {
    "expression", "javascript", "vbscript", "behavior", "binding", "@import", "\\", "&", "/*"};

// Properties kept by their whole name, and families kept with every member ("font",
// "font-size", ...).
constexpr std::string_view kKeptProperties[] = {
    "border-collapse", "border-spacing", "clear",       "color",          "cursor",
    "display",         "float",          "height",      "letter-spacing", "max-height",
    "max-width",       "min-height",     "min-width",   "text-align",     "text-indent",
    "text-transform",  "vertical-align", "white-space", "width",          "word-spacing"};
constexpr std::string_view kKeptFamilies[] = {
    "background", "border", "font", "list-style", "margin", "padding", "text-decoration"};

// Functions a value may call.
constexpr std::string_view kKeptFunctions[] = {"url", "rgb", "rgba", "hsl", "hsla"};

// The keywords that the layout properties may take; no other value keeps them.
struct KeywordProperty {
    std::string_view name;
    std::vector<std::string_view> keywords;
};
const KeywordProperty kKeywordProperties[] = {
    {"display", {"none", "inline", "block", "inline-block"}},
    {"float", {"none", "left", "right"}},
    {"clear", {"none", "left", "right", "both"}},
    {"vertical-align",
     {"baseline", "sub", "super", "top", "text-top", "middle", "bottom", "text-bottom"}},
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

template <std::size_t N>
bool Contains(const std::string_view (&list)[N], std::string_view name) {
    return std::find(std::begin(list), std::end(list), name) != std::end(list);
}

// The value with its character references read, which must all stand for ASCII characters other
// than NUL (those that DecodedAscii reads); nullopt for any other reference or a NUL byte.
std::optional<std::string> ReadReferences(std::string_view raw) {
    std::string text;
    std::size_t at = 0;
    while (at < raw.size()) {
        if (raw[at] == '\0') return std::nullopt;
        if (raw[at] != '&') {
            text += raw[at++];
            continue;
        }
        // The reference's extent: '&', then '#' and alphanumerics or a name, then ';'.
        std::size_t end = at + 1;
        while (end < raw.size() && (std::isalnum(static_cast<unsigned char>(raw[end])) != 0 ||
                                    (end == at + 1 && raw[end] == '#'))) {
            ++end;
        }
        if (end < raw.size() && raw[end] == ';') ++end;
        const std::string character = DecodedAscii(raw.substr(at, end - at));
        if (character.size() != 1 || static_cast<unsigned char>(character[0]) >= 0x80 ||
            character[0] == '&') {
            return std::nullopt;
        }
        text += character;
        at = end;
    }
    return text;
}

// The declarations of a style, split at the semicolons outside brackets; nullopt when a quote or
// a bracket is left open or a quoted text holds a semicolon, which no font name does.
std::optional<std::vector<std::string_view>> Declarations(std::string_view style) {
    std::vector<std::string_view> declarations;
    char quote = 0;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t at = 0; at < style.size(); ++at) {
        const char c = style[at];
        if (quote != 0) {
            if (c == ';') return std::nullopt;
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (--depth < 0) return std::nullopt;
        } else if (c == ';' && depth == 0) {
            declarations.push_back(style.substr(start, at - start));
            start = at + 1;
        }
    }
    if (quote != 0 || depth != 0) return std::nullopt;
    declarations.push_back(style.substr(start));
    return declarations;
}

bool IsKeptProperty(std::string_view name) {
    if (Contains(kKeptProperties, name)) return true;
    return std::any_of(
        std::begin(kKeptFamilies), std::end(kKeptFamilies), [name](std::string_view family) {
            return name == family ||
                   (name.size() > family.size() && name.substr(0, family.size()) == family &&
                    name[family.size()] == '-');
        });
}

// Whether value (lower case) calls only the kept functions and holds no negative number.
bool IsPlainValue(std::string_view value) {
    for (std::size_t at = 0; at < value.size(); ++at) {
        if (value[at] == '-' && at + 1 < value.size() &&
            (IsDigit(value[at + 1]) || value[at + 1] == '.')) {
            return false;
        }
        if (value[at] == '(') {
            std::size_t start = at;
            while (start > 0 && (std::isalnum(static_cast<unsigned char>(value[start - 1])) != 0 ||
                                 value[start - 1] == '-')) {
                --start;
            }
            if (!Contains(kKeptFunctions, value.substr(start, at - start))) return false;
        }
    }
    return true;
}

// A size of a style: "auto", a number of pixels up to maxPixels ("0" needs no unit), or a
// percentage up to 100.
bool IsSizeWithin(std::string_view token, int maxPixels) {
    if (token == "auto") return true;
    std::size_t at = 0;
    double number = 0;
    while (at < token.size() && IsDigit(token[at])) number = number * 10 + (token[at++] - '0');
    if (at == 0) return false;
    if (at < token.size() && token[at] == '.') {
        double scale = 0.1;
        for (++at; at < token.size() && IsDigit(token[at]); ++at, scale /= 10) {
            number += (token[at] - '0') * scale;
        }
    }
    const std::string_view unit = token.substr(at);
    if (unit == "%") return number <= 100;
    if (unit == "px") return number <= maxPixels;
    return unit.empty() && number == 0;
}

// Whether the declaration name: value (both lower case) may stay.
bool KeepsDeclaration(std::string_view name, std::string_view value) {
    if (!IsKeptProperty(name) || value.empty() || !IsPlainValue(value)) return false;
    const auto keywords = std::find_if(std::begin(kKeywordProperties), std::end(kKeywordProperties),
                                       [name](const KeywordProperty& p) { return p.name == name; });
    if (keywords != std::end(kKeywordProperties)) {
        return std::find(keywords->keywords.begin(), keywords->keywords.end(), value) !=
               keywords->keywords.end();
    }
    // A line height inside the font shorthand could draw the text over the lines above it.
    if (name == "font") return value.find('/') == std::string_view::npos;
    const bool width = name == "width" || name == "min-width" || name == "max-width";
    const bool height = name == "height" || name == "min-height" || name == "max-height";
    if (width || height) return IsSizeWithin(value, width ? kCellWidthPixels : kCellHeightPixels);
    return true;
}

}  // namespace

std::optional<std::string> KeptSize(std::string_view raw, int maxPixels) {
    const std::string decoded = DecodedAscii(raw);
    std::string_view text = decoded;
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    std::size_t end = 0;
    while (end < text.size() && IsDigit(text[end])) ++end;
    if (end == 0) return std::nullopt;
    if (end + 1 < text.size() && text[end] == '.' && IsDigit(text[end + 1])) {
        for (++end; end < text.size() && IsDigit(text[end]);) ++end;
    }
    std::string size(text.substr(0, end));
    if (end < text.size() && text[end] == '%') size += '%';
    if (!IsSizeWithin(size.back() == '%' ? size : size + "px", maxPixels)) return std::nullopt;
    return size;
}

std::optional<std::string> KeptStyle(std::string_view raw) {
    const std::optional<std::string> style = ReadReferences(raw);
    if (!style) return std::nullopt;
    const std::string lower = Lower(*style);
    for (std::string_view word : kForbiddenInStyle) {
        if (lower.find(word) != std::string::npos) return std::nullopt;
    }
    const std::optional<std::vector<std::string_view>> declarations = Declarations(*style);
    if (!declarations) return std::nullopt;
    std::string kept;
    for (std::string_view declaration : *declarations) {
        const std::size_t colon = declaration.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string name = Lower(Trimmed(declaration.substr(0, colon)));
        const std::string_view value = Trimmed(declaration.substr(colon + 1));
        if (!KeepsDeclaration(name, Lower(value))) continue;
        if (!kept.empty()) kept += ';';
        kept += name;
        kept += ':';
        kept += value;
    }
    if (kept.empty()) return std::nullopt;
    return kept;
}

}  // namespace htmlallowlist
