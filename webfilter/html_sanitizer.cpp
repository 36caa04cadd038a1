// The allow-list filter for HTML from the network. It reads the text the way a browser's
// tokenizer does (tags, attributes with quoted or bare values, comments, raw text elements) and
// writes every kept piece again in one plain form, so that nothing it let through can be read
// differently by the browser. Code page 936 needs no special care here: the bytes that shape
// markup (< > " ' = & / and white space) all lie below 0x40, and no trail byte does.
#include "webfilter/html_sanitizer.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

#include "webfilter/html_allow_list.h"
#include "webfilter/html_sanitizer_tree.h"

namespace {

using htmlallowlist::ElementRule;
using htmlallowlist::IsButtonType;
using htmlallowlist::KeptValue;
using htmlallowlist::Lower;
using htmlallowlist::StartsWithIgnoringCase;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

struct Attribute {
    std::string name;  // lower case
    std::string_view value;
    bool hasValue = false;
};

struct Tag {
    std::string name;  // lower case
    std::vector<Attribute> attributes;
    std::unordered_set<std::string> names;  // of the attributes, so a tag is read in linear time
};

// An input is kept only as a button; every other kept element is kept as it is.
bool IsKeptInput(const Tag& tag) {
    if (tag.name != "input") return true;
    return std::any_of(tag.attributes.begin(), tag.attributes.end(), [](const Attribute& a) {
        return a.name == "type" && IsButtonType(a.value);
    });
}

// The start tag as written: the name and the kept attributes, each value in double quotes.
std::string StartTagText(const Tag& tag) {
    std::string out = "<" + tag.name;
    for (const Attribute& attribute : tag.attributes) {
        std::optional<std::string> value;
        if (attribute.hasValue) {
            value = KeptValue(tag.name, attribute.name, attribute.value);
            if (!value) continue;
        } else if (!KeptValue(tag.name, attribute.name, {})) {
            continue;
        }
        out += ' ';
        out += attribute.name;
        if (!value) continue;
        out += "=\"";
        // A NUL byte is what the browser makes of it, the replacement character.
        for (const char c : *value) {
            if (c == '"') {
                out += "&quot;";
            } else if (c == '\0') {
                out += "&#65533;";
            } else {
                out += c;
            }
        }
        out += '"';
    }
    out += '>';
    return out;
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
                        WriteText("&gt;");
                    } else if (c != '\0') {
                        m_writer.Text(c);
                    }
                }
                ++m_at;
            }
        }
        m_writer.Finish();
        return std::move(m_out);
    }

private:
    void WriteText(std::string_view text) {
        for (const char c : text) m_writer.Text(c);
    }

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
            if (m_skipDepth == 0) WriteText("&lt;");
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
            if (tag.names.insert(attribute.name).second) {
                tag.attributes.push_back(std::move(attribute));
            }
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
        switch (htmlallowlist::RuleOf(tag.name)) {
            case ElementRule::keep:
            case ElementRule::keepEmpty:
                if (IsKeptInput(tag)) m_writer.Start(tag.name, StartTagText(tag));
                break;
            case ElementRule::dropTag:
                break;
            case ElementRule::dropWithContent:
                m_skipped = tag.name;
                m_skipDepth = 1;
                break;
            case ElementRule::dropRawText:
                SkipRawText(tag.name);
                break;
        }
    }

    void EndTag() {
        Tag tag;
        tag.name = Name();
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
        if (htmlallowlist::RuleOf(tag.name) == ElementRule::keep) m_writer.End(tag.name);
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
    htmlsanitizer::CElementWriter m_writer{m_out};
    // Inside an element dropped with its content: its name, and how deep its own kind nests.
    std::string m_skipped;
    int m_skipDepth = 0;
};

}  // namespace

std::string SanitizeHtml(std::string_view html) {
    return Sanitizer(html).Run();
}
