// Where the running program lives.
#pragma once

#include <string>
#include <string_view>

// The directory of the running executable, without a trailing separator, as a file name of the
// program's (platform/file_name.h: UTF-8 on Windows, the file system's own bytes elsewhere): ""
// for a program in the root directory, whose files are then "" + "/name", and on Windows the
// drive alone ("C:") for one in a drive's root. Empty too when the platform does not tell.
std::string GetProgramDirectory();

// A code page 936 file name, as the program's texts hold it, as a file name of the program's:
// UTF-8 (a byte sequence that is no character becomes U+FFFD).
std::string FileNameFromAnsi(std::string_view name);

// path cut at its last directory separator ('/', on Windows also '\'): "/opt/gdict/bin/gdict"
// gives "/opt/gdict/bin", "/gdict" gives "", a path without a separator gives "".
std::string_view DirectoryOf(std::string_view path);
