// The element writer of the filter for HTML from the network (html_sanitizer.h). It keeps the
// elements it has opened and writes every end tag itself, so that the browser's tree builder,
// reading what it wrote, builds exactly the elements written and no more: it closes what the
// tree builder would close by itself (an open paragraph before a block, an open list item before
// the next, a table cell before the next row), writes the table parts the tree builder would add
// (tbody, tr, colgroup), drops what the tree builder would drop or move out of a table, and closes
// the open text-level elements before a block, opening copies of them again inside it. End tags
// close only what is open.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "webfilter/html_allow_list.h"

namespace htmlsanitizer {

// How deep elements nest, and how many are written in all; a start tag past either is dropped
// and its content kept as it comes.
inline constexpr std::size_t kMaxDepth = 64;
inline constexpr std::size_t kMaxElements = 4096;

class CElementWriter {
public:
    // Appends to out, which must outlive the writer.
    explicit CElementWriter(std::string& out) : m_out(out) {}

    // A kept element (html_allow_list.h) whose start tag is written as tag ("<b title=\"x\">").
    void Start(std::string_view name, std::string tag);
    // The end tag of a kept element that has content.
    void End(std::string_view name);
    // One character of text, in the form it is written.
    void Text(char c);
    // Closes every element still open.
    void Finish();

private:
    struct Open {
        std::string name;
        htmlallowlist::ElementKind kind;
        std::string tag;
        // Of a list: the text-level elements that its items open again.
        std::vector<Open> carried;
    };

    bool InTable() const;
    bool StartInTable(std::string_view name, htmlallowlist::ElementKind kind,
                      const std::string& tag);
    void StartBlock(std::string_view name, htmlallowlist::ElementKind kind, std::string tag);
    // The index of the nearest open element for which isTarget holds, searching from the top
    // and giving up at the first one for which isBoundary holds; npos when none.
    template <typename Target, typename Boundary>
    std::size_t Find(Target isTarget, Boundary isBoundary) const;
    std::size_t FindInInlineRun(std::string_view name) const;
    std::size_t FindInScope(std::string_view name, bool button, bool listItem) const;
    std::size_t FindInTable(htmlallowlist::ElementKind kind, std::string_view name) const;

    bool Push(Open element);
    bool WriteVoid(const std::string& tag);
    void Close();
    void CloseThrough(std::size_t index);
    std::vector<Open> CloseInlineRun();
    void Reopen(const std::vector<Open>& elements);

    std::string& m_out;
    std::vector<Open> m_open;
    std::size_t m_written = 0;
};

}  // namespace htmlsanitizer
