// Where the running program lives.
#pragma once

#include <string>
#include <string_view>

// The directory of the running executable, without a trailing separator, in the file system's
// own narrow encoding; empty when the platform does not tell (and for a program in the root
// directory, whose files are then "" + "/name").
std::string GetProgramDirectory();

// A code page 936 file name, as the program's texts hold it, in the file system's narrow
// encoding: UTF-8 on POSIX systems (a byte sequence that is no character becomes U+FFFD), the
// name unchanged on Windows, whose narrow encoding is the code page itself.
std::string FileNameFromAnsi(std::string_view name);

// path cut at its last directory separator: "/opt/gdict/bin/gdict" gives "/opt/gdict/bin",
// "/gdict" gives "", a path without a separator gives "".
std::string_view DirectoryOf(std::string_view path);
