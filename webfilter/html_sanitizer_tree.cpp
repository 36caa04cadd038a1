// The filter's element writer. The rules below are those of the browser's tree builder for the
// kept elements ("in body", "in table" and the table parts' insertion modes, and the scopes in
// which an open element is looked for), cut down to what the writer lets through: as text-level
// elements are always closed before a block opens, they only ever form a run at the top of the
// open elements, and nothing the writer opened is ever closed by the tree builder instead.
#include "webfilter/html_sanitizer_tree.h"

#include <utility>

namespace htmlsanitizer {
namespace {

using htmlallowlist::ElementKind;

constexpr std::size_t npos = static_cast<std::size_t>(-1);

bool IsInline(ElementKind kind) {
    return kind == ElementKind::formatting || kind == ElementKind::phrasing;
}

bool IsHeading(std::string_view name) {
    return name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6';
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

}  // namespace

void CElementWriter::Start(std::string_view name, std::string tag) {
    const ElementKind kind = htmlallowlist::KindOf(name);
    // Each turn closes or opens an element, or ends.
    for (;;) {
        if (InTable()) {
            if (!StartInTable(name, kind, tag)) return;
            continue;
        }
        switch (kind) {
            case ElementKind::tableSection:
            case ElementKind::row:
            case ElementKind::cell:
            case ElementKind::caption:
            case ElementKind::columnGroup:
            case ElementKind::column: {
                // In a table's cell or caption they end it; anywhere else the tree builder
                // ignores them.
                const std::size_t at = Find(
                    [](const Open& e) {
                        return e.kind == ElementKind::cell || e.kind == ElementKind::caption;
                    },
                    [](const Open& e) { return e.kind == ElementKind::table; });
                if (at == npos) return;
                CloseThrough(at);
                continue;
            }
            case ElementKind::formatting:
            case ElementKind::phrasing:
                // A link or a nobr inside another closes the other.
                if (name == "a" || name == "nobr") {
                    const std::size_t at = FindInInlineRun(name);
                    if (at != npos) CloseThrough(at);
                }
                Push({std::string(name), kind, std::move(tag), {}});
                return;
            case ElementKind::inlineVoid:
                WriteVoid(tag);
                return;
            default:
                StartBlock(name, kind, std::move(tag));
                return;
        }
    }
}

bool CElementWriter::StartInTable(std::string_view name, ElementKind kind, const std::string& tag) {
    const auto open = [&] { Push({std::string(name), kind, tag, {}}); };
    switch (m_open.back().kind) {
        case ElementKind::columnGroup:
            if (kind == ElementKind::column) {
                WriteVoid(tag);
                return false;
            }
            Close();
            return true;
        case ElementKind::table:
            switch (kind) {
                case ElementKind::caption:
                case ElementKind::columnGroup:
                case ElementKind::tableSection:
                    open();
                    return false;
                case ElementKind::column:
                    return Push({"colgroup", ElementKind::columnGroup, "<colgroup>", {}});
                case ElementKind::row:
                case ElementKind::cell:
                    return Push({"tbody", ElementKind::tableSection, "<tbody>", {}});
                case ElementKind::table:
                    Close();
                    return true;
                default:
                    return false;  // the tree builder would move it out of the table
            }
        case ElementKind::tableSection:
            switch (kind) {
                case ElementKind::row:
                    open();
                    return false;
                case ElementKind::cell:
                    return Push({"tr", ElementKind::row, "<tr>", {}});
                case ElementKind::tableSection:
                case ElementKind::caption:
                case ElementKind::columnGroup:
                case ElementKind::column:
                case ElementKind::table:
                    Close();
                    return true;
                default:
                    return false;
            }
        default:  // a row
            switch (kind) {
                case ElementKind::cell:
                    open();
                    return false;
                case ElementKind::row:
                case ElementKind::tableSection:
                case ElementKind::caption:
                case ElementKind::columnGroup:
                case ElementKind::column:
                case ElementKind::table:
                    Close();
                    return true;
                default:
                    return false;
            }
    }
}

void CElementWriter::StartBlock(std::string_view name, ElementKind kind, std::string tag) {
    std::vector<Open> closed = CloseInlineRun();
    if (kind == ElementKind::listItem) {
        // An item closes the open item of its kind, looking past address, div and p only.
        const bool li = name == "li";
        for (std::size_t at = m_open.size(); at-- > 0;) {
            const std::string& open = m_open[at].name;
            if (li ? open == "li" : (open == "dd" || open == "dt")) {
                CloseThrough(at);
                break;
            }
            if (open != "address" && open != "div" && open != "p") break;
        }
    }
    if (kind != ElementKind::container) {
        const std::size_t paragraph = FindInScope("p", true, false);
        if (paragraph != npos) CloseThrough(paragraph);
    }
    if (IsHeading(name) && !m_open.empty() && IsHeading(m_open.back().name)) Close();
    if (name == "button") {
        const std::size_t button = FindInScope("button", false, false);
        if (button != npos) CloseThrough(button);
    }

    if (kind == ElementKind::rule) {
        WriteVoid(tag);
        Reopen(closed);
        return;
    }
    // What the new element opens again: what it closed, or what its list carries.
    std::vector<Open> carried = closed;
    if (carried.empty() && !m_open.empty() && m_open.back().kind == ElementKind::list) {
        carried = m_open.back().carried;
    }
    Open element{std::string(name), kind, std::move(tag), {}};
    if (kind == ElementKind::list) element.carried = carried;
    if (!Push(std::move(element))) {
        Reopen(closed);
        return;
    }
    if (kind == ElementKind::flowBlock || kind == ElementKind::listItem ||
        kind == ElementKind::container) {
        Reopen(carried);
    }
}

void CElementWriter::End(std::string_view name) {
    const ElementKind kind = htmlallowlist::KindOf(name);
    std::size_t at = npos;
    switch (kind) {
        case ElementKind::formatting:
        case ElementKind::phrasing:
            at = FindInInlineRun(name);
            break;
        case ElementKind::flowBlock:
        case ElementKind::list:
        case ElementKind::listItem:
        case ElementKind::container:
            at = FindInScope(name, name == "p", name == "li");
            break;
        case ElementKind::table:
        case ElementKind::tableSection:
        case ElementKind::row:
        case ElementKind::cell:
        case ElementKind::caption:
            at = FindInTable(kind, name);
            break;
        case ElementKind::columnGroup:
            if (!m_open.empty() && m_open.back().kind == ElementKind::columnGroup) {
                at = m_open.size() - 1;
            }
            break;
        default:
            break;  // elements without content have no end
    }
    if (at != npos) CloseThrough(at);
}

void CElementWriter::Text(char c) {
    // Text ends a column group.
    if (!IsSpace(c) && !m_open.empty() && m_open.back().kind == ElementKind::columnGroup) Close();
    m_out += c;
}

void CElementWriter::Finish() {
    CloseThrough(0);
}

bool CElementWriter::InTable() const {
    if (m_open.empty()) return false;
    const ElementKind kind = m_open.back().kind;
    return kind == ElementKind::table || kind == ElementKind::tableSection ||
           kind == ElementKind::row || kind == ElementKind::columnGroup;
}

template <typename Target, typename Boundary>
std::size_t CElementWriter::Find(Target isTarget, Boundary isBoundary) const {
    for (std::size_t at = m_open.size(); at-- > 0;) {
        if (isTarget(m_open[at])) return at;
        if (isBoundary(m_open[at])) return npos;
    }
    return npos;
}

std::size_t CElementWriter::FindInInlineRun(std::string_view name) const {
    return Find([name](const Open& e) { return e.name == name; },
                [](const Open& e) { return !IsInline(e.kind); });
}

std::size_t CElementWriter::FindInScope(std::string_view name, bool button, bool listItem) const {
    const bool heading = IsHeading(name);
    return Find(
        [name, heading](const Open& e) { return heading ? IsHeading(e.name) : e.name == name; },
        [button, listItem](const Open& e) {
            return e.kind == ElementKind::table || e.kind == ElementKind::cell ||
                   e.kind == ElementKind::caption || e.name == "marquee" ||
                   (button && e.name == "button") ||
                   (listItem && (e.name == "ol" || e.name == "ul"));
        });
}

std::size_t CElementWriter::FindInTable(ElementKind kind, std::string_view name) const {
    return Find([kind, name](const Open& e) { return e.kind == kind && e.name == name; },
                [](const Open& e) { return e.kind == ElementKind::table; });
}

bool CElementWriter::Push(Open element) {
    if (m_open.size() >= kMaxDepth || m_written >= kMaxElements) return false;
    m_out += element.tag;
    ++m_written;
    m_open.push_back(std::move(element));
    return true;
}

bool CElementWriter::WriteVoid(const std::string& tag) {
    if (m_open.size() >= kMaxDepth || m_written >= kMaxElements) return false;
    m_out += tag;
    ++m_written;
    return true;
}

void CElementWriter::Close() {
    m_out += "</";
    m_out += m_open.back().name;
    m_out += '>';
    m_open.pop_back();
}

void CElementWriter::CloseThrough(std::size_t index) {
    while (m_open.size() > index) Close();
}

std::vector<CElementWriter::Open> CElementWriter::CloseInlineRun() {
    std::size_t start = m_open.size();
    while (start > 0 && IsInline(m_open[start - 1].kind)) --start;
    std::vector<Open> run(m_open.begin() + static_cast<std::ptrdiff_t>(start), m_open.end());
    CloseThrough(start);
    return run;
}

void CElementWriter::Reopen(const std::vector<Open>& elements) {
    for (const Open& element : elements) {
        if (!Push(element)) return;
    }
}

}  // namespace htmlsanitizer
