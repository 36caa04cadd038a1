// The dictionary page's event map: which handler each event of the page reaches. The first row
// that matches an event handles it; a click on the GO image therefore never reaches the image
// row below it. The last row, after the context menus, takes the clicks on near-match links.
#include "view/dict_view_page.h"
#include "view/row_marks.h"

namespace {

// Every element kind whose context menu the page decides on.
constexpr const char* kContextMenuTags[] = {
    "a",        "abbr",     "acronym", "address",    "applet",   "area",     "b",       "base",
    "basefont", "bdo",      "big",     "blockquote", "body",     "br",       "button",  "caption",
    "center",   "cite",     "code",    "col",        "colgroup", "dd",       "del",     "dir",
    "div",      "dfn",      "dl",      "dt",         "em",       "fieldset", "font",    "form",
    "frame",    "frameset", "h1",      "h2",         "h3",       "h4",       "head",    "hr",
    "html",     "i",        "iframe",  "img",        "input",    "ins",      "isindex", "kbd",
    "label",    "legend",   "li",      "link",       "map",      "menu",     "meta",    "noframes",
    "noscript", "object",   "ol",      "optgroup",   "option",   "p",        "param",   "pre",
    "q",        "s",        "samp",    "script",     "select",   "small",    "span",    "strike",
    "strong",   "style",    "sub",     "sup",        "table",    "tbody",    "td",      "textarea",
    "tfoot",    "th",       "thead",   "title",      "tr",       "tt",       "u",       "ul",
    "var",      "xmp",      "marquee",
};

}  // namespace

CHtmlEventMap CDictViewPage::DictEventMap() {
    using Match = CHtmlEventMapEntry::Match;
    const auto action = [this](void (CDictViewPage::*run)()) {
        return [this, run](const CHtmlElement&) {
            (this->*run)();
            return HtmlEventResult::allow;
        };
    };
    const auto handler = [this](HtmlEventResult (CDictViewPage::*handle)(const CHtmlElement&)) {
        return [this, handle](const CHtmlElement& element) { return (this->*handle)(element); };
    };

    CHtmlEventMap map = {
        {Match::id, "ButtonOK", "click", action(&CDictViewPage::OnOK)},
        {Match::id, "ButtonCancel", "click", action(&CDictViewPage::OnCancel)},
        {Match::id, "BUTTON_CLOSE", "click", handler(&CDictViewPage::OnCloseClick)},
        {Match::id, "TxtBoxFind", "keydown", handler(&CDictViewPage::OnFindKeyDown)},
        {Match::id, "BUTTON_GO", "click", action(&CDictViewPage::OnOK)},
        // The images of the result rows: a star keeps or drops its row's entry in the word
        // book, a speaker reads its row aloud.
        {Match::tag, "img", "click",
         [this](const CHtmlElement& element) {
             return resultrows::StarRow(element.id) != std::string_view::npos
                        ? OnStarClick(element)
                        : OnSpeakerClick(element);
         }},
    };
    for (const char* tag : kContextMenuTags) {
        map.push_back({Match::tag, tag, "contextmenu", handler(&CDictViewPage::OnHtmlContextMenu)});
    }
    map.push_back({Match::tag, "a", "click", handler(&CDictViewPage::OnNearMatchClick)});
    return map;
}
