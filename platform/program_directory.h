// Where the running program lives.
#pragma once

#include <string>
#include <string_view>

// The directory of the running executable, without a trailing separator, in the file system's
// own narrow encoding; empty when the platform does not tell (and for a program in the root
// directory, whose files are then "" + "/name").
std::string GetProgramDirectory();

// path cut at its last directory separator: "/opt/gdict/bin/gdict" gives "/opt/gdict/bin",
// "/gdict" gives "", a path without a separator gives "".
std::string_view DirectoryOf(std::string_view path);
