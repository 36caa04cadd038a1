// HTML that arrives from the network (the server's notice), cut down to what it may show in the
// program's pages: text, formatting, tables, pictures and links, and nothing that runs, loads a
// frame, submits, or reaches anything but the network addresses it names.
#pragma once

#include <string>
#include <string_view>

// Writes html (code page 936) out anew with only the elements and attributes of an allow-list:
// - kept, with their content: text formatting (b, i, u, font, span, div, p, center, headings,
//   ...), lists, tables, img, a, br and hr, and button and input elements that are buttons;
// - dropped with their content: script, style, iframe, frame sets, object, embed, applet, svg,
//   math, template, textarea, title, select, noscript and the like;
// - dropped, their content kept: every other element (html, body, form, unknown names);
// - dropped: comments, doctypes, processing instructions, end tags of dropped elements.
// Of the attributes, only presentation ones (id, class, title, alt, align, width, colours, size,
// border, spacing, style, ...) are kept; event handlers, name, target and all others go. The
// addresses href (of a), src (of img) and background (of table parts) are kept only when they
// are absolute http or https addresses once their character references are read; a style that
// names script, bindings, imports or escapes goes.
//
// Text is kept as written, character references included; a '<' or '>' that starts no tag is
// written as "&lt;" or "&gt;", and NUL bytes are dropped (in attribute values they become
// "&#65533;", the replacement character the browser would read). Names are matched ignoring ASCII
// case and written in lower case; each attribute value is written in double quotes with '"' as
// "&quot;", so the browser reads exactly the elements and attributes written here. A tag that
// the text ends inside is dropped. The result is unchanged by a second pass. Linear in the
// length of html.
std::string SanitizeHtml(std::string_view html);
