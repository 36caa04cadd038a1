// Feeds arbitrary bytes to the allow-list filter for HTML from the network. What it writes must
// pass a second time unchanged, and none of its tags may name an element that runs, frames or
// submits, nor carry an event handler; anything else (a crash, a sanitizer report) is a fault.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "webfilter/html_sanitizer.h"

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Checks every tag of the filter's output: its name, and the names of its attributes.
bool TagsAreHarmless(std::string_view html) {
    constexpr std::string_view kForbidden[] = {"script", "iframe", "svg",     "object", "embed",
                                               "style",  "meta",   "base",    "form",   "math",
                                               "frame",  "link",   "template"};
    for (std::size_t at = html.find('<'); at != std::string_view::npos; at = html.find('<', at)) {
        std::size_t end = at + 1;
        if (end < html.size() && html[end] == '/') ++end;
        std::string name;
        while (end < html.size() && html[end] != ' ' && html[end] != '>')
            name += Lower(html[end++]);
        for (std::string_view forbidden : kForbidden) {
            if (name == forbidden) return false;
        }
        // Attribute names follow a space outside the double-quoted values.
        bool quoted = false;
        for (; end < html.size() && (quoted || html[end] != '>'); ++end) {
            if (html[end] == '"') quoted = !quoted;
            if (!quoted && html[end] == ' ' && end + 2 < html.size() &&
                Lower(html[end + 1]) == 'o' && Lower(html[end + 2]) == 'n') {
                return false;
            }
        }
        at = end;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view html(reinterpret_cast<const char*>(data), size);
    const std::string once = SanitizeHtml(html);
    if (SanitizeHtml(once) != once) __builtin_trap();
    if (!TagsAreHarmless(once)) __builtin_trap();
    return 0;
}
