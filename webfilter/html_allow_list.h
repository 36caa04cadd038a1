// The allow-list of the filter for HTML from the network (html_sanitizer.h): which elements and
// attributes it keeps, and how the browser's tree builder treats each kept element. Names are
// ASCII lower case; values are raw, as written between the quotes, character references unread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace htmlallowlist {

enum class ElementRule {
    keep,             // written out with its content
    keepEmpty,        // written out; it has no content and no end tag
    dropTag,          // the tag goes, the content stays
    dropWithContent,  // the element goes with everything inside it
    dropRawText,      // the element goes with its content, which the browser reads as text
};

ElementRule RuleOf(std::string_view element);

// What a kept element is to the browser's tree builder, which decides what it closes, what it
// may hold and what the builder opens again by itself.
enum class ElementKind {
    formatting,    // a, b, font, i, ...: the builder opens them again after a block closed them
    phrasing,      // span, sub, q, ...: other text-level elements
    inlineVoid,    // br, img, input, wbr
    flowBlock,     // div, p, center, h1-h6, pre, ...: blocks that close an open paragraph
    list,          // ul, ol, dl, dir
    listItem,      // li, dd, dt: each closes an open item of its kind
    rule,          // hr: a block without content
    container,     // button, marquee: hold anything and leave an open paragraph open
    table,         // table
    tableSection,  // thead, tbody, tfoot
    row,           // tr
    cell,          // td, th
    caption,       // caption
    columnGroup,   // colgroup
    column,        // col
};

// REQUIRES: RuleOf(element) is keep or keepEmpty.
ElementKind KindOf(std::string_view element);

// The value that attribute name, with value raw, keeps on element; nullopt when the attribute
// goes. Kept are presentation attributes (no id, name, class or form references, which could take
// the names the program's pages are routed by), the address attributes (href of a, src of img,
// background of table parts) when they hold an absolute http or https address once read as the
// browser reads them, a type that keeps a button a button, sizes no larger than the dictionary
// page's results cell (written as plain numbers, html_allow_list_style.h), and the declarations
// of a style that keep the element in its place (html_allow_list_style.h). Other values are kept
// as written.
std::optional<std::string> KeptValue(std::string_view element, std::string_view name,
                                     std::string_view raw);

// Whether a type value makes an input or a button element a button ("button", "submit",
// "reset").
bool IsButtonType(std::string_view raw);

// The ASCII characters of an attribute value once its character references are read; every
// other character, and a NUL byte, which the browser reads as the replacement character, is one
// byte 0x80. Numeric references and the named ones that stand for ASCII punctuation are read.
std::string DecodedAscii(std::string_view raw);

// text with A-Z as a-z.
std::string Lower(std::string_view text);

// Whether text begins with prefix (lower case), A-Z counting as a-z.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

}  // namespace htmlallowlist
