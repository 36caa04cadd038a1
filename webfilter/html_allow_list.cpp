// The allow-list of the filter for HTML from the network: the elements, the attributes and the
// values it keeps, and what each kept element is to the browser's tree builder.
#include "webfilter/html_allow_list.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <span>

#include "webfilter/html_allow_list_style.h"

namespace htmlallowlist {
namespace {

// Elements written out, with their content, by what they are to the tree builder.
constexpr std::string_view kFormatting[] = {"a",    "b", "big",   "code",   "em",     "font", "i",
                                            "nobr", "s", "small", "strike", "strong", "tt",   "u"};
constexpr std::string_view kPhrasing[] = {"abbr", "acronym", "bdo",  "cite", "del", "dfn", "ins",
                                          "kbd",  "q",       "samp", "span", "sub", "sup", "var"};
constexpr std::string_view kInlineVoid[] = {"br", "img", "input", "wbr"};
constexpr std::string_view kFlowBlocks[] = {"address", "blockquote", "center", "div", "h1", "h2",
                                            "h3",      "h4",         "h5",     "h6",  "p",  "pre"};
constexpr std::string_view kLists[] = {"dir", "dl", "ol", "ul"};
constexpr std::string_view kListItems[] = {"dd", "dt", "li"};
constexpr std::string_view kRules[] = {"hr"};
constexpr std::string_view kContainers[] = {"button", "marquee"};
constexpr std::string_view kTables[] = {"table"};
constexpr std::string_view kTableSections[] = {"tbody", "tfoot", "thead"};
constexpr std::string_view kRows[] = {"tr"};
constexpr std::string_view kCells[] = {"td", "th"};
constexpr std::string_view kCaptions[] = {"caption"};
constexpr std::string_view kColumnGroups[] = {"colgroup"};
constexpr std::string_view kColumns[] = {"col"};

struct KeptElements {
    ElementKind kind;
    std::span<const std::string_view> names;
};
constexpr KeptElements kKeptElements[] = {{ElementKind::formatting, kFormatting},
                                          {ElementKind::phrasing, kPhrasing},
                                          {ElementKind::inlineVoid, kInlineVoid},
                                          {ElementKind::flowBlock, kFlowBlocks},
                                          {ElementKind::list, kLists},
                                          {ElementKind::listItem, kListItems},
                                          {ElementKind::rule, kRules},
                                          {ElementKind::container, kContainers},
                                          {ElementKind::table, kTables},
                                          {ElementKind::tableSection, kTableSections},
                                          {ElementKind::row, kRows},
                                          {ElementKind::cell, kCells},
                                          {ElementKind::caption, kCaptions},
                                          {ElementKind::columnGroup, kColumnGroups},
                                          {ElementKind::column, kColumns}};

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

// Attributes kept on any kept element. Names that scripts and the event map find elements by
// (id, name, class, for, form) are not among them.
constexpr std::string_view kKeptAttributes[] = {
    "abbr",        "align",       "alt",     "axis",     "bgcolor",  "border",  "bordercolor",
    "cellpadding", "cellspacing", "char",    "charoff",  "clear",    "color",   "colspan",
    "compact",     "datetime",    "dir",     "disabled", "face",     "frame",   "headers",
    "hspace",      "lang",        "noshade", "nowrap",   "reversed", "rowspan", "rules",
    "scope",       "size",        "span",    "start",    "summary",  "title",   "valign",
    "value",       "vspace"};

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

// The types of the button-like elements that are kept.
constexpr std::string_view kButtonTypes[] = {"button", "submit", "reset"};

template <std::size_t N>
bool Contains(const std::string_view (&list)[N], std::string_view name) {
    return std::find(std::begin(list), std::end(list), name) != std::end(list);
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The kind of a kept element; nullopt for an element that is not kept.
std::optional<ElementKind> FindKept(std::string_view name) {
    for (const KeptElements& kept : kKeptElements) {
        if (std::find(kept.names.begin(), kept.names.end(), name) != kept.names.end()) {
            return kept.kind;
        }
    }
    return std::nullopt;
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

}  // namespace

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

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
    return lower;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && Lower(text.substr(0, prefix.size())) == prefix;
}

ElementRule RuleOf(std::string_view name) {
    if (FindKept(name)) {
        return Contains(kVoidElements, name) ? ElementRule::keepEmpty : ElementRule::keep;
    }
    if (Contains(kRawTextElements, name)) return ElementRule::dropRawText;
    if (Contains(kDroppedWithContent, name)) return ElementRule::dropWithContent;
    return ElementRule::dropTag;
}

ElementKind KindOf(std::string_view element) {
    return FindKept(element).value_or(ElementKind::phrasing);
}

bool IsButtonType(std::string_view raw) {
    return Contains(kButtonTypes, Lower(DecodedAscii(raw)));
}

std::optional<std::string> KeptValue(std::string_view element, std::string_view name,
                                     std::string_view raw) {
    const auto kept = [raw]() { return std::optional<std::string>(raw); };
    if (name == "style") return KeptStyle(raw);
    if (name == "width") return KeptSize(raw, kCellWidthPixels);
    if (name == "height") return KeptSize(raw, kCellHeightPixels);
    if (name == "type") {
        const bool button = element == "input" || element == "button";
        if (button ? IsButtonType(raw) : element == "ol" || element == "ul" || element == "li") {
            return kept();
        }
        return std::nullopt;
    }
    const bool address =
        std::any_of(std::begin(kAddressAttributes), std::end(kAddressAttributes),
                    [&](const AddressAttribute& a) { return a.attribute == name; });
    if (address) {
        const bool here = std::any_of(
            std::begin(kAddressAttributes), std::end(kAddressAttributes),
            [&](const AddressAttribute& a) { return a.attribute == name && a.element == element; });
        if (here && IsWebAddress(raw)) return kept();
        return std::nullopt;
    }
    if (Contains(kMarqueeAttributes, name)) {
        if (element == "marquee") return kept();
        return std::nullopt;
    }
    if (Contains(kKeptAttributes, name)) return kept();
    return std::nullopt;
}

}  // namespace htmlallowlist
