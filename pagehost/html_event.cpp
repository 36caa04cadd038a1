#include "pagehost/html_event.h"
#include "text/ascii.h"

#include <algorithm>

namespace {

bool Matches(const CHtmlEventMapEntry& entry, const CHtmlEvent& event) {
    if (entry.event != event.name) return false;
    return entry.match == CHtmlEventMapEntry::Match::id
               ? event.source.id == entry.element
               : ascii::EqualsIgnoringCase(event.source.tagName, entry.element);
}

}  // namespace

HtmlEventResult RouteHtmlEvent(const CHtmlEventMap& map, const CHtmlEvent& event) {
    for (const CHtmlEventMapEntry& entry : map) {
        if (Matches(entry, event)) return entry.handler(event.source);
    }
    return HtmlEventResult::allow;
}
