// Routing a page's events through its event map: the first matching row wins, ids match
// exactly and tag names ignoring case, and the row's answer reaches the browser.
#include "pagehost/html_event.h"

#include <gtest/gtest.h>

namespace {

using Match = CHtmlEventMapEntry::Match;

class HtmlEventRoutingTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_map = {
            Row(Match::id, "BUTTON_GO", "click", HtmlEventResult::allow),
            Row(Match::tag, "img", "click", HtmlEventResult::allow),
            Row(Match::tag, "td", "contextmenu", HtmlEventResult::cancel),
        };
    }
    CHtmlEventMapEntry Row(Match match, std::string element, std::string event,
                           HtmlEventResult answer) {
        const std::string name = element + "/" + event;
        return {match, element, event, [this, name, answer](const CHtmlElement& source) {
                    m_handled.push_back(name + " <- " + source.id);
                    return answer;
                }};
    }
    HtmlEventResult Route(std::string event, std::string id, std::string tag) {
        CHtmlEvent reported;
        reported.name = std::move(event);
        reported.source = {std::move(id), std::move(tag)};
        return RouteHtmlEvent(m_map, reported);
    }
    CHtmlEventMap m_map;
    std::vector<std::string> m_handled;
};

TEST_F(HtmlEventRoutingTest, FirstMatchingRowAloneHandlesTheEvent) {
    Route("click", "BUTTON_GO", "IMG");
    Route("click", "IMGSP_3", "IMG");
    EXPECT_EQ(m_handled,
              (std::vector<std::string>{"BUTTON_GO/click <- BUTTON_GO", "img/click <- IMGSP_3"}));
}

TEST_F(HtmlEventRoutingTest, IdsMatchExactlyTagsIgnoringCase) {
    Route("click", "button_go", "SPAN");
    Route("click", "x", "iMg");
    EXPECT_EQ(m_handled, std::vector<std::string>{"img/click <- x"});
}

TEST_F(HtmlEventRoutingTest, AnswersReachTheBrowserAndUnknownEventsAreAllowed) {
    EXPECT_EQ(Route("contextmenu", "", "TD"), HtmlEventResult::cancel);
    EXPECT_EQ(Route("contextmenu", "", "TR"), HtmlEventResult::allow);
    EXPECT_EQ(Route("keydown", "BUTTON_GO", "IMG"), HtmlEventResult::allow);
    EXPECT_EQ(m_handled.size(), 1u);
}

}  // namespace
