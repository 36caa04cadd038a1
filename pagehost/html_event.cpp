#include "pagehost/html_event.h"

#include <algorithm>

namespace {

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

bool Matches(const CHtmlEventMapEntry& entry, const CHtmlEvent& event) {
    if (entry.event != event.name) return false;
    return entry.match == CHtmlEventMapEntry::Match::id
               ? event.source.id == entry.element
               : EqualsIgnoringCase(event.source.tagName, entry.element);
}

}  // namespace

HtmlEventResult RouteHtmlEvent(const CHtmlEventMap& map, const CHtmlEvent& event) {
    for (const CHtmlEventMapEntry& entry : map) {
        if (Matches(entry, event)) return entry.handler(event.source);
    }
    return HtmlEventResult::allow;
}
