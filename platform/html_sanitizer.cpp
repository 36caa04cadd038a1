// The allow-list filter for HTML from the network. It reads the text the way a browser's
// tokenizer does (tags, attributes with quoted or bare values, comments, raw text elements) and
// writes every kept piece again in one plain form, so that nothing it let through can be read
// differently by the browser. Code page 936 needs no special care here: the bytes that shape
// markup (< > " ' = & / and white space) all lie below 0x40, and no trail byte does.
#include "platform/html_sanitizer.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

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

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
    return lower;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && Lower(text.substr(0, prefix.size())) == prefix;
}

// The ASCII characters of an attribute value once its character references are read; every
// other character is one byte 0x80. Only what decides the checks below needs to be read right:
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
            decoded += static_cast<unsigned char>(c) < 0x80 ? c : '\x80';
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

bool IsButtonType(std::string_view raw) {
    return Contains(kButtonTypes, Lower(DecodedAscii(raw)));
}

struct Attribute {
    std::string name;  // lower case
    std::string_view value;
    bool hasValue = false;
};

struct Tag {
    std::string name;  // lower case
    std::vector<Attribute> attributes;
    bool end = false;
};

bool IsKeptElement(std::string_view name) {
    return Contains(kKeptElements, name);
}

bool IsKeptAttribute(const Tag& tag, const Attribute& attribute) {
    const std::string_view name = attribute.name;
    if (name == "style") return IsHarmlessStyle(attribute.value);
    if (name == "type") {
        if (tag.name == "input" || tag.name == "button") return IsButtonType(attribute.value);
        return tag.name == "ol" || tag.name == "ul" || tag.name == "li";
    }
    const bool address =
        std::any_of(std::begin(kAddressAttributes), std::end(kAddressAttributes),
                    [&](const AddressAttribute& a) { return a.attribute == name; });
    if (address) {
        return std::any_of(std::begin(kAddressAttributes), std::end(kAddressAttributes),
                           [&](const AddressAttribute& a) {
                               return a.attribute == name && a.element == tag.name;
                           }) &&
               IsWebAddress(attribute.value);
    }
    if (Contains(kMarqueeAttributes, name)) return tag.name == "marquee";
    return Contains(kKeptAttributes, name);
}

// An input is kept only as a button.
bool IsKeptTag(const Tag& tag) {
    if (!IsKeptElement(tag.name)) return false;
    if (tag.name != "input" || tag.end) return true;
    return std::any_of(tag.attributes.begin(), tag.attributes.end(), [](const Attribute& a) {
        return a.name == "type" && IsButtonType(a.value);
    });
}

void WriteTag(const Tag& tag, std::string& out) {
    out += tag.end ? "</" : "<";
    out += tag.name;
    if (!tag.end) {
        for (const Attribute& attribute : tag.attributes) {
            if (!IsKeptAttribute(tag, attribute)) continue;
            out += ' ';
            out += attribute.name;
            if (!attribute.hasValue) continue;
            out += "=\"";
            for (const char c : attribute.value) {
                if (c == '"') {
                    out += "&quot;";
                } else if (c != '\0') {
                    out += c;
                }
            }
            out += '"';
        }
    }
    out += '>';
}

class Sanitizer {
public:
    explicit Sanitizer(std::string_view html) : m_html(html) { m_out.reserve(html.size()); }

    std::string Run() {
        while (m_at < m_html.size()) {
            const char c = m_html[m_at];
            if (c == '<') {
                Markup();
            } else {
                if (m_skipDepth == 0) {
                    if (c == '>') {
                        m_out += "&gt;";
                    } else if (c != '\0') {
                        m_out += c;
                    }
                }
                ++m_at;
            }
        }
        return std::move(m_out);
    }

private:
    char At(std::size_t at) const { return at < m_html.size() ? m_html[at] : '\0'; }

    // At a '<': a tag, a comment or other markup, or a plain '<'.
    void Markup() {
        const char next = At(m_at + 1);
        if (IsAsciiLetter(next)) {
            ++m_at;
            StartTag();
        } else if (next == '/' && IsAsciiLetter(At(m_at + 2))) {
            m_at += 2;
            EndTag();
        } else if (next == '!' && m_html.substr(m_at + 2, 2) == "--") {
            // "<!-->" and "<!--->" close at once; otherwise the comment runs to "-->".
            const std::size_t body = m_at + 4;
            if (At(body) == '>') {
                m_at = body + 1;
            } else if (At(body) == '-' && At(body + 1) == '>') {
                m_at = body + 2;
            } else {
                const std::size_t close = m_html.find("-->", body);
                m_at = close == std::string_view::npos ? m_html.size() : close + 3;
            }
        } else if (next == '!' || next == '?' || next == '/') {
            // A doctype, a processing instruction, or a bogus comment: up to the next '>'.
            const std::size_t close = m_html.find('>', m_at + 2);
            m_at = close == std::string_view::npos ? m_html.size() : close + 1;
        } else {
            if (m_skipDepth == 0) m_out += "&lt;";
            ++m_at;
        }
    }

    // The name of a tag, from m_at to white space, '/' or '>'.
    std::string Name() {
        const std::size_t start = m_at;
        while (m_at < m_html.size() && !IsSpace(m_html[m_at]) && m_html[m_at] != '/' &&
               m_html[m_at] != '>') {
            ++m_at;
        }
        return Lower(m_html.substr(start, m_at - start));
    }

    void SkipSpaces() {
        while (m_at < m_html.size() && IsSpace(m_html[m_at])) ++m_at;
    }

    // Reads the attributes up to the tag's '>'. False when the text ends inside the tag.
    bool Attributes(Tag& tag) {
        for (;;) {
            while (m_at < m_html.size() && (IsSpace(m_html[m_at]) || m_html[m_at] == '/')) ++m_at;
            if (m_at >= m_html.size()) return false;
            if (m_html[m_at] == '>') {
                ++m_at;
                return true;
            }
            Attribute attribute;
            const std::size_t start = m_at;
            if (m_html[m_at] == '=') ++m_at;  // a name may begin with '='
            while (m_at < m_html.size() && !IsSpace(m_html[m_at]) && m_html[m_at] != '/' &&
                   m_html[m_at] != '>' && m_html[m_at] != '=') {
                ++m_at;
            }
            attribute.name = Lower(m_html.substr(start, m_at - start));
            SkipSpaces();
            if (At(m_at) == '=') {
                ++m_at;
                SkipSpaces();
                if (m_at >= m_html.size()) return false;
                attribute.hasValue = true;
                const char quote = m_html[m_at];
                if (quote == '"' || quote == '\'') {
                    const std::size_t close = m_html.find(quote, m_at + 1);
                    if (close == std::string_view::npos) return false;
                    attribute.value = m_html.substr(m_at + 1, close - m_at - 1);
                    m_at = close + 1;
                } else {
                    const std::size_t valueStart = m_at;
                    while (m_at < m_html.size() && !IsSpace(m_html[m_at]) && m_html[m_at] != '>') {
                        ++m_at;
                    }
                    attribute.value = m_html.substr(valueStart, m_at - valueStart);
                }
            }
            // The first of two attributes of one name counts, as in the browser.
            const bool seen =
                std::any_of(tag.attributes.begin(), tag.attributes.end(),
                            [&](const Attribute& a) { return a.name == attribute.name; });
            if (!seen) tag.attributes.push_back(std::move(attribute));
        }
    }

    void StartTag() {
        Tag tag;
        tag.name = Name();
        if (!Attributes(tag)) {
            m_at = m_html.size();
            return;
        }
        if (m_skipDepth > 0) {
            if (tag.name == m_skipped) ++m_skipDepth;
            return;
        }
        if (Contains(kRawTextElements, tag.name)) {
            SkipRawText(tag.name);
        } else if (Contains(kDroppedWithContent, tag.name)) {
            m_skipped = tag.name;
            m_skipDepth = 1;
        } else if (IsKeptTag(tag)) {
            WriteTag(tag, m_out);
        }
    }

    void EndTag() {
        Tag tag;
        tag.name = Name();
        tag.end = true;
        // An end tag's attributes mean nothing, but its '>' still has to be found.
        if (!Attributes(tag)) {
            m_at = m_html.size();
            return;
        }
        tag.attributes.clear();
        if (m_skipDepth > 0) {
            if (tag.name == m_skipped) --m_skipDepth;
            return;
        }
        if (IsKeptElement(tag.name) && !Contains(kVoidElements, tag.name)) WriteTag(tag, m_out);
    }

    // Passes over the text of a raw text element and its end tag ("</name" followed by white
    // space, '/' or '>'); without one, over the rest of the text.
    void SkipRawText(const std::string& name) {
        const std::string close = "</" + name;
        for (std::size_t at = m_html.find("</", m_at); at != std::string_view::npos;
             at = m_html.find("</", at + 2)) {
            const char after = At(at + close.size());
            if (StartsWithIgnoringCase(m_html.substr(at), close) &&
                (IsSpace(after) || after == '/' || after == '>')) {
                m_at = at + 2;
                Tag end;
                Name();
                if (!Attributes(end)) m_at = m_html.size();
                return;
            }
        }
        m_at = m_html.size();
    }

    std::string_view m_html;
    std::size_t m_at = 0;
    std::string m_out;
    // Inside an element dropped with its content: its name, and how deep its own kind nests.
    std::string m_skipped;
    int m_skipDepth = 0;
};

}  // namespace

std::string SanitizeHtml(std::string_view html) {
    return Sanitizer(html).Run();
}
