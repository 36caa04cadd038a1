// Windows: how much of gdict's UTF-8 output a console can be given before the next bytes come.
#include <gtest/gtest.h>

#include "tools/gdict/standard_streams.h"

namespace {

TEST(StandardStreams, AConsoleGetsWholeUtf8SequencesOnly) {
    const struct {
        std::string_view text;
        std::size_t complete;
    } cases[] = {
        {"", 0},
        {"shirt\n", 6},
        {"衬衫", 6},
        {"衬\xE8", 3},
        {"衬\xE8\xA1", 3},
        {"a\xF0\x9F\x91", 1},
        {"a\xF0\x9F\x91\x95", 5},
        {"\xC3", 0},
        {"a\xC3(", 3},            // no sequence can end with '(': shown as it is
        {"\x80\x80\x80\x80", 4},  // continuation bytes without a start
        {"\xFF", 1},              // no UTF-8 byte at all
        {"\xF8\x88\x80", 3},      // the start of a five-byte form, which UTF-8 does not have
        {"\xC0", 1},              // an overlong start
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompleteUtf8Length(c.text), c.complete) << testing::PrintToString(c.text);
    }
}

}  // namespace
