// Events of an HTML page and the page's event map, which routes each event to its handler.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

// What a handler tells the browser: let the event's default action go on, or cancel it.
enum class HtmlEventResult { allow, cancel };

// The element an event came from, as the page reported it. Texts are code page 936.
struct CHtmlElement {
    std::string id;
    std::string tagName;      // as the browser spells it ("TD", "INPUT")
    bool isTextEdit = false;  // the element holds editable text (text boxes, text areas, body)
};

struct CHtmlEvent {
    std::string name;  // "click", "keydown", "contextmenu"
    CHtmlElement source;
    int keyCode = 0;            // the key of a key event, 0 otherwise
    std::string selectionHtml;  // the HTML of the page's selection, empty when none
    // The value of every form control that has an id, as it was when the event happened.
    std::map<std::string, std::string> values;
};

// One row of an event map: an element named by its id (exact) or by its tag name (ignoring
// case), an event name, and the handler, which gets the source element.
struct CHtmlEventMapEntry {
    enum class Match { id, tag };
    Match match;
    std::string element;
    std::string event;
    std::function<HtmlEventResult(const CHtmlElement&)> handler;
};

using CHtmlEventMap = std::vector<CHtmlEventMapEntry>;

// Hands event to the first row of map that matches it and returns that row's answer; an event
// that no row matches is allowed.
HtmlEventResult RouteHtmlEvent(const CHtmlEventMap& map, const CHtmlEvent& event);
