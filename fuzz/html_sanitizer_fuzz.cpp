// Feeds arbitrary bytes to the allow-list filter for HTML from the network. What it writes must
// pass a second time unchanged; none of its tags may name an element that runs, frames or
// submits, nor carry an event handler or a name the page's events are routed by; and it must be
// well formed, so that the browser builds the elements written and no more: every element closed
// in order, at most 64 deep and 4,096 in all, no text-level element open where a block starts,
// table parts only where they belong, and nothing open that the browser would close by itself at
// the next start tag. Anything else (a crash, a sanitizer report) is a fault too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "webfilter/html_sanitizer.h"

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

template <std::size_t N>
bool In(const std::string_view (&list)[N], std::string_view name) {
    return std::find(std::begin(list), std::end(list), name) != std::end(list);
}

// Whether a style's value, as written (a quote as "&quot;"), keeps no declaration that could take
// its element out of the flow or over the page: positions, layers, transforms and negative
// numbers.
bool StaysInPlace(std::string_view written) {
    std::string style(written);
    for (std::size_t at = style.find("&quot;"); at != std::string::npos;
         at = style.find("&quot;", at + 1)) {
        style.replace(at, 6, "\"");
    }
    constexpr std::string_view kMoving[] = {"position", "z-index", "transform", "translate",
                                            "rotate",   "scale",   "inset",     "top",
                                            "left",     "right",   "bottom"};
    for (std::size_t c = 0; c + 1 < style.size(); ++c) {
        if (style[c] == '-' &&
            ((style[c + 1] >= '0' && style[c + 1] <= '9') || style[c + 1] == '.')) {
            return false;
        }
    }
    // Declarations are written "name:value", separated by ';' (which no quoted text holds).
    for (std::size_t declaration = 0; declaration < style.size();) {
        const std::size_t colon = style.find(':', declaration);
        if (colon == std::string::npos) break;
        std::string name;
        for (std::size_t c = declaration; c < colon; ++c) name += Lower(style[c]);
        if (In(kMoving, name)) return false;
        const std::size_t next = style.find(';', colon);
        declaration = next == std::string::npos ? style.size() : next + 1;
    }
    return true;
}

// Checks every tag of the filter's output: its name, the names of its attributes and its style.
bool TagsAreHarmless(std::string_view html) {
    constexpr std::string_view kForbidden[] = {"script", "iframe", "svg",     "object", "embed",
                                               "style",  "meta",   "base",    "form",   "math",
                                               "frame",  "link",   "template"};
    constexpr std::string_view kRoutingNames[] = {"id", "name", "class", "for", "form"};
    for (std::size_t at = html.find('<'); at != std::string_view::npos; at = html.find('<', at)) {
        std::size_t end = at + 1;
        if (end < html.size() && html[end] == '/') ++end;
        std::string name;
        while (end < html.size() && html[end] != ' ' && html[end] != '>')
            name += Lower(html[end++]);
        if (In(kForbidden, name)) return false;
        // Attribute names follow a space outside the double-quoted values.
        bool quoted = false;
        for (; end < html.size() && (quoted || html[end] != '>'); ++end) {
            if (html[end] == '"') quoted = !quoted;
            if (quoted || html[end] != ' ') continue;
            std::string attribute;
            for (std::size_t c = end + 1;
                 c < html.size() && html[c] != '=' && html[c] != ' ' && html[c] != '>'; ++c) {
                attribute += Lower(html[c]);
            }
            if (attribute.starts_with("on") || In(kRoutingNames, attribute)) return false;
            if (attribute == "style") {
                const std::size_t value = end + sizeof " style=\"" - 1;
                if (!StaysInPlace(html.substr(value, html.find('"', value) - value))) return false;
            }
        }
        at = end;
    }
    return true;
}

// The kept elements by what they are to the browser's tree builder, written down apart from the
// filter's own tables.
constexpr std::string_view kInline[] = {
    "a",    "abbr",   "acronym", "b",   "bdo", "big",  "cite", "code", "del",  "dfn",
    "em",   "font",   "i",       "ins", "kbd", "nobr", "q",    "s",    "samp", "small",
    "span", "strike", "strong",  "sub", "sup", "tt",   "u",    "var"};
constexpr std::string_view kVoid[] = {"br", "col", "hr", "img", "input", "wbr"};
constexpr std::string_view kTextLevelVoid[] = {"br", "img", "input", "wbr"};
constexpr std::string_view kClosesParagraph[] = {
    "address", "blockquote", "center", "dd", "dir", "div", "dl", "dt",  "h1",    "h2", "h3",
    "h4",      "h5",         "h6",     "hr", "li",  "ol",  "p",  "pre", "table", "ul"};
constexpr std::string_view kTableModes[] = {"table", "tbody", "thead", "tfoot", "tr", "colgroup"};
constexpr std::string_view kScopeBoundaries[] = {"table", "td", "th", "caption", "marquee"};

bool IsHeading(std::string_view name) {
    return name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6';
}

// What a table part's parent must be; empty for elements that are no table part.
std::string_view ParentOfTablePart(std::string_view name) {
    if (name == "tbody" || name == "thead" || name == "tfoot" || name == "caption" ||
        name == "colgroup") {
        return "table";
    }
    if (name == "tr") return "tbody|thead|tfoot";
    if (name == "td" || name == "th") return "tr";
    if (name == "col") return "colgroup";
    return {};
}

class ShapeCheck {
public:
    bool Run(std::string_view html) {
        std::size_t at = 0;
        while (at < html.size()) {
            if (html[at] != '<') {
                if (!Text(html[at])) return false;
                ++at;
                continue;
            }
            const bool end = at + 1 < html.size() && html[at + 1] == '/';
            std::size_t nameEnd = at + (end ? 2 : 1);
            while (nameEnd < html.size() && html[nameEnd] != ' ' && html[nameEnd] != '>') ++nameEnd;
            const std::string name(html.substr(at + (end ? 2 : 1), nameEnd - at - (end ? 2 : 1)));
            bool quoted = false;
            std::size_t close = nameEnd;
            for (; close < html.size() && (quoted || html[close] != '>'); ++close) {
                if (html[close] == '"') quoted = !quoted;
            }
            if (close >= html.size()) return false;  // a tag left open
            if (!(end ? End(name) : Start(name))) return false;
            at = close + 1;
        }
        return m_open.empty();
    }

private:
    bool Text(char c) {
        if (c == '>') return false;  // written as "&gt;"
        const bool space = c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
        return space || m_open.empty() || m_open.back() != "colgroup";
    }

    bool InScope(std::string_view target, bool button) const {
        for (std::size_t at = m_open.size(); at-- > 0;) {
            if (m_open[at] == target) return true;
            if (In(kScopeBoundaries, m_open[at]) || (button && m_open[at] == "button")) {
                return false;
            }
        }
        return false;
    }

    bool Start(const std::string& name) {
        if (++m_elements > 4096 || m_open.size() >= 64) return false;
        const std::string_view top = m_open.empty() ? std::string_view() : m_open.back();
        const std::string_view parent = ParentOfTablePart(name);
        if (!parent.empty() ? parent.find(top) == std::string_view::npos || top.empty()
                            : In(kTableModes, top)) {
            return false;
        }
        if (!In(kInline, name) && !In(kTextLevelVoid, name) && In(kInline, top)) {
            return false;  // a block inside a text-level element
        }
        if (In(kClosesParagraph, name) && InScope("p", true)) return false;
        if (IsHeading(name) && IsHeading(top)) return false;
        if (name == "button" && InScope("button", false)) return false;
        if (name == "li" || name == "dd" || name == "dt") {
            for (std::size_t at = m_open.size(); at-- > 0;) {
                const std::string& open = m_open[at];
                if (name == "li" ? open == "li" : (open == "dd" || open == "dt")) return false;
                if (open != "address" && open != "div" && open != "p") break;
            }
        }
        if (name == "a" || name == "nobr") {
            for (std::size_t at = m_open.size(); at-- > 0 && In(kInline, m_open[at]);) {
                if (m_open[at] == name) return false;
            }
        }
        if (!In(kVoid, name)) m_open.push_back(name);
        return true;
    }

    bool End(const std::string& name) {
        if (m_open.empty() || m_open.back() != name) return false;
        m_open.pop_back();
        return true;
    }

    std::vector<std::string> m_open;
    std::size_t m_elements = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view html(reinterpret_cast<const char*>(data), size);
    const std::string once = SanitizeHtml(html);
    if (SanitizeHtml(once) != once) __builtin_trap();
    if (!TagsAreHarmless(once)) __builtin_trap();
    if (!ShapeCheck().Run(once)) __builtin_trap();
    return 0;
}
