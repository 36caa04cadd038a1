// The marks of a result row that come from the user's own lists: the star after the speaker,
// which shows whether the row's entry is in the word book and keeps or drops it when clicked,
// and the "我的" tag of a row of the user's own terms. Code page 936, standard library only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace resultrows {

// The id of the star of result row n is this prefix followed by n in decimal.
constexpr std::string_view kStarIdPrefix = "IMGST_";
// The star's pictures in the program's directory: in the word book, and not.
constexpr std::string_view kStarOnImage = "star_on.gif";
constexpr std::string_view kStarOffImage = "star_off.gif";

// The star image of row n, filled when starred; imageDirectory holds its pictures.
std::string StarHtml(std::size_t n, bool starred, std::string_view imageDirectory);
// The address of the star's picture, as the star image's src.
std::string StarImagePath(bool starred, std::string_view imageDirectory);
// The star's tip: what a click does.
std::string StarTitle(bool starred);

// The small tag after the headword of a row of the user's own terms.
std::string OwnTermTagHtml();

// The row that a star's id names ("IMGST_12": 12), or npos for an id of another kind.
std::size_t StarRow(std::string_view id);

}  // namespace resultrows
