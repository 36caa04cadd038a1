// The allow-list of the filter for HTML from the network: the elements, the attributes and the
// values it keeps.
#include "webfilter/html_allow_list.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace htmlallowlist {
namespace {

// Elements written out, with their content.
constexpr std::string_view kKeptElements[] = {
    "a",      "abbr",   "acronym", "address", "b",     "bdo",   "big",     "blockquote",
    "br",     "button", "caption", "center",  "cite",  "code",  "col",     "colgroup",
    "dd",     "del",    "dfn",     "dir",     "div",   "dl",    "dt",      "em",
    "font",   "h1",     "h2",      "h3",      "h4",    "h5",    "h6",      "hr",
    "i",      "img",    "input",   "ins",     "kbd",   "li",    "marquee", "nobr",
    "ol",     "p",      "pre",     "q",       "s",     "samp",  "small",   "span",
    "strike", "strong", "sub",     "sup",     "table", "tbody", "td",      "tfoot",
    "th",     "thead",  "tr",      "tt",      "u",     "ul",    "var",     "wbr"};

// Kept elements that have no content and no end tag.
constexpr std::string_view kVoidElements[] = {"br", "col", "hr", "img", "input", "wbr"};

// Elements whose content the browser reads as text up to their end tag; dropped with it.
constexpr std::string_view kRawTextElements[] = {"iframe",    "noembed", "noframes", "noscript",
                                                 "plaintext", "script",  "style",    "textarea",
                                                 "title",     "xmp"};

// Elements dropped with everything inside them.
constexpr std::string_view kDroppedWithContent[] = {
    "applet", "audio",  "canvas", "datalist", "frameset", "head", "map",
    "math",   "object", "select", "svg",      "template", "video"};

// Attributes kept on any kept element.
constexpr std::string_view kKeptAttributes[] = {
    "abbr",        "align",       "alt",      "axis",    "bgcolor",  "border",  "bordercolor",
    "cellpadding", "cellspacing", "char",     "charoff", "class",    "clear",   "color",
    "colspan",     "compact",     "datetime", "dir",     "disabled", "face",    "frame",
    "headers",     "height",      "hspace",   "id",      "lang",     "noshade", "nowrap",
    "reversed",    "rowspan",     "rules",    "scope",   "size",     "span",    "start",
    "summary",     "title",       "valign",   "value",   "vspace",   "width"};

// Attributes kept on a marquee only.
constexpr std::string_view kMarqueeAttributes[] = {"behavior", "direction", "loop", "scrollamount",
                                                   "scrolldelay"};

// Address attributes and the elements they are kept on.
struct AddressAttribute {
    std::string_view attribute;
    std::string_view element;
};
constexpr AddressAttribute kAddressAttributes[] = {{"href", "a"},           {"src", "img"},
                                                   {"background", "table"}, {"background", "tr"},
                                                   {"background", "td"},    {"background", "th"}};

// What a style may not name: script in the old browsers' styles, bindings, imports, and the
// escapes and unread references that could hide either.
constexpr std::string_view kForbiddenInStyle[] = {
    "expression", "javascript", "vbscript", "behavior", "binding", "@import", "\\", "&"};

// The types of the button-like elements that are kept.
constexpr std::string_view kButtonTypes[] = {"button", "submit", "reset"};

template <std::size_t N>
bool Contains(const std::string_view (&list)[N], std::string_view name) {
    return std::find(std::begin(list), std::end(list), name) != std::end(list);
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The ASCII characters of an attribute value once its character references are read; every
// other character, and a NUL byte, which the browser reads as the replacement character, is one
// byte 0x80. Only what decides the checks below needs to be read right:
// numeric references, and the named ones that stand for ASCII punctuation in addresses.
std::string DecodedAscii(std::string_view raw) {
    struct Named {
        std::string_view name;
        char character;
    };
    constexpr Named kNamed[] = {{"amp;", '&'},  {"lt;", '<'},    {"gt;", '>'},
                                {"quot;", '"'}, {"apos;", '\''}, {"colon;", ':'},
                                {"sol;", '/'},  {"Tab;", '\t'},  {"NewLine;", '\n'}};
    std::string decoded;
    std::size_t at = 0;
    while (at < raw.size()) {
        const char c = raw[at];
        if (c != '&') {
            decoded += c != '\0' && static_cast<unsigned char>(c) < 0x80 ? c : '\x80';
            ++at;
            continue;
        }
        const std::string_view rest = raw.substr(at + 1);
        if (!rest.empty() && rest[0] == '#') {
            const bool hex = rest.size() > 1 && (rest[1] == 'x' || rest[1] == 'X');
            std::size_t digits = hex ? 2 : 1;
            unsigned long value = 0;
            const std::size_t first = digits;
            for (; digits < rest.size(); ++digits) {
                const char d = LowerAscii(rest[digits]);
                const bool decimal = d >= '0' && d <= '9';
                if (!decimal && !(hex && d >= 'a' && d <= 'f')) break;
                value = std::min(value * (hex ? 16 : 10) + (decimal ? d - '0' : d - 'a' + 10),
                                 0x110000ul);
            }
            if (digits > first) {
                decoded += value > 0 && value < 0x80 ? static_cast<char>(value) : '\x80';
                at += 1 + digits + (digits < rest.size() && rest[digits] == ';' ? 1 : 0);
                continue;
            }
        }
        const auto named = std::find_if(
            std::begin(kNamed), std::end(kNamed),
            [rest](const Named& n) { return rest.substr(0, n.name.size()) == n.name; });
        if (named != std::end(kNamed)) {
            decoded += named->character;
            at += 1 + named->name.size();
            continue;
        }
        decoded += '&';
        ++at;
    }
    return decoded;
}

// An absolute http or https address, as the browser reads the value: references read, leading
// white space and control characters dropped. Tabs and line ends inside, which the browser would
// drop, make the value suspect and refused.
bool IsWebAddress(std::string_view raw) {
    const std::string decoded = DecodedAscii(raw);
    std::string_view address = decoded;
    while (!address.empty() && static_cast<unsigned char>(address.front()) <= 0x20) {
        address.remove_prefix(1);
    }
    if (std::any_of(address.begin(), address.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
        return false;
    }
    return StartsWithIgnoringCase(address, "http://") ||
           StartsWithIgnoringCase(address, "https://");
}

bool IsHarmlessStyle(std::string_view raw) {
    const std::string style = Lower(DecodedAscii(raw));
    return std::none_of(
        std::begin(kForbiddenInStyle), std::end(kForbiddenInStyle),
        [&style](std::string_view word) { return style.find(word) != std::string::npos; });
}

}  // namespace

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
    return lower;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && Lower(text.substr(0, prefix.size())) == prefix;
}

ElementRule RuleOf(std::string_view name) {
    if (Contains(kKeptElements, name)) {
        return Contains(kVoidElements, name) ? ElementRule::keepEmpty : ElementRule::keep;
    }
    if (Contains(kRawTextElements, name)) return ElementRule::dropRawText;
    if (Contains(kDroppedWithContent, name)) return ElementRule::dropWithContent;
    return ElementRule::dropTag;
}

bool IsButtonType(std::string_view raw) {
    return Contains(kButtonTypes, Lower(DecodedAscii(raw)));
}

bool KeepsAttribute(std::string_view element, std::string_view name, std::string_view raw) {
    if (name == "style") return IsHarmlessStyle(raw);
    if (name == "type") {
        if (element == "input" || element == "button") return IsButtonType(raw);
        return element == "ol" || element == "ul" || element == "li";
    }
    const bool address =
        std::any_of(std::begin(kAddressAttributes), std::end(kAddressAttributes),
                    [&](const AddressAttribute& a) { return a.attribute == name; });
    if (address) {
        return std::any_of(std::begin(kAddressAttributes), std::end(kAddressAttributes),
                           [&](const AddressAttribute& a) {
                               return a.attribute == name && a.element == element;
                           }) &&
               IsWebAddress(raw);
    }
    if (Contains(kMarqueeAttributes, name)) return element == "marquee";
    return Contains(kKeptAttributes, name);
}

}  // namespace htmlallowlist
