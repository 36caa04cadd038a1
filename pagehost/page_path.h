// How the program's pages name the pictures of the program directory.
#pragma once

#include <string>
#include <string_view>

// The page address of the file at path (a file name as platform/file_name.h holds it), on the
// program's own origin: the program directory itself becomes the origin's pictures address, and
// the rest of path follows with every byte but letters, digits, "-._~" and '/' percent-encoded. The
// address is ASCII and holds nothing of the directory's name, so quotes, '#', '?', '%', spaces
// or any other character in it cannot break an attribute or an address. A path outside the
// program directory gives an address that nothing is served at.
std::string PagePath(std::string_view path);
