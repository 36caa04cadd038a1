// File names as the program holds them: narrow strings, on Windows in UTF-8 (the system's UTF-16
// names converted), elsewhere the file system's own bytes. Every file the program opens by name
// goes through these, so that a name with characters outside the system's narrow code page
// (Chinese characters on a Windows set up for another language) still reaches its file.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

// The standard library's path for name.
std::filesystem::path PathOfName(std::string_view name);

// std::fopen of name with mode. nullptr when it fails, with errno set; on Windows a file that
// another program holds open without sharing it gives EBUSY.
std::FILE* OpenFile(const std::string& name, const char* mode);
