// The allow-list of the filter for HTML from the network (html_sanitizer.h): which elements and
// attributes it keeps. Names are ASCII lower case; values are raw, as written between the quotes,
// character references unread.
#pragma once

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

// Whether attribute name, with value raw, stays on element: presentation attributes anywhere,
// the address attributes (href of a, src of img, background of table parts) when they hold an
// absolute http or https address once read as the browser reads them, a style that names no
// script, binding, import or escape, and a type that keeps a button a button.
bool KeepsAttribute(std::string_view element, std::string_view name, std::string_view raw);

// Whether a type value makes an input or a button element a button ("button", "submit",
// "reset").
bool IsButtonType(std::string_view raw);

// text with A-Z as a-z.
std::string Lower(std::string_view text);

// Whether text begins with prefix (lower case), A-Z counting as a-z.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

}  // namespace htmlallowlist
