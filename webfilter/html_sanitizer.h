// HTML that arrives from the network (the server's notice), cut down to what it may show in the
// program's pages: text, formatting, tables, pictures and links, and nothing that runs, loads a
// frame, submits, reaches anything but the network addresses it names, takes the names the
// page's events are routed by, leaves its place in the page, or makes the browser build more
// elements than it holds.
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
// Of the attributes, only presentation ones (title, alt, align, colours, border, spacing, ...)
// are kept, sizes only up to the size of the page's results cell, and of a style only the
// declarations that keep the element in the flow of its cell (html_allow_list_style.h); id,
// name, class, for, form, event handlers, target and all others go. The addresses href (of a),
// src (of img) and background (of table parts) are kept only when they are absolute http or
// https addresses once their character references are read.
//
// The output is well formed: every element written is closed by an end tag written here (or has
// none), in order, and is one the browser's tree builder puts where it stands, so that the
// browser builds exactly the elements written (html_sanitizer_tree.h). Text-level elements are
// closed before a block opens and opened again inside it; paragraphs, list items and table parts
// are closed where the browser would close them; table parts outside a table and other elements
// directly inside a table go, their content kept. Elements nest at most 64 deep and at most
// 4,096 are written; the start tags past either limit are dropped, their content kept.
//
// Text is kept as written, character references included; a '<' or '>' that starts no tag is
// written as "&lt;" or "&gt;", and NUL bytes are dropped (in attribute values they become
// "&#65533;", the replacement character the browser would read). Names are matched ignoring ASCII
// case and written in lower case; each attribute value is written in double quotes with '"' as
// "&quot;", so the browser reads exactly the elements and attributes written here. A tag that
// the text ends inside is dropped. The result is unchanged by a second pass. Linear in the
// length of html.
std::string SanitizeHtml(std::string_view html);
