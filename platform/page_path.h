// File paths as the program's code page 936 pages name them.
#pragma once

#include <string>
#include <string_view>

// A file name as platform/file_name.h holds it, read as UTF-8 (which Windows names are, and the
// names of a Linux desktop), in the form that a code page 936 page can name it: the path itself in
// code page 936, or, when the code page cannot hold one of its characters, its percent-encoded file
// address.
std::string PagePath(std::string_view path);
