#include "view/row_marks.h"

#include <charconv>

#include "text/mbcs.h"

namespace resultrows {

namespace {

std::string Ansi(std::string_view utf8) {
    return mbcs::FromUtf8(utf8).value_or(std::string());
}

}  // namespace

std::string StarImagePath(bool starred, std::string_view imageDirectory) {
    return std::string(imageDirectory) + "/" + std::string(starred ? kStarOnImage : kStarOffImage);
}

std::string StarTitle(bool starred) {
    return Ansi(starred ? "移出生词本" : "加入生词本");
}

std::string StarHtml(std::size_t n, bool starred, std::string_view imageDirectory) {
    return "<img id=" + std::string(kStarIdPrefix) + std::to_string(n) +
           " class=Star style='cursor:hand' title='" + StarTitle(starred) + "' src='" +
           StarImagePath(starred, imageDirectory) + "'></img>";
}

std::string OwnTermTagHtml() {
    return "<span class=OwnTerm style='font-size:8pt;color:#ffffff;background-color:#cc6600;"
           "padding:0 2px;margin-left:3px'>" +
           Ansi("我的") + "</span>";
}

std::size_t StarRow(std::string_view id) {
    if (!id.starts_with(kStarIdPrefix)) return std::string_view::npos;
    const std::string_view digits = id.substr(kStarIdPrefix.size());
    std::size_t row = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), row);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::string_view::npos;
    return row;
}

}  // namespace resultrows
