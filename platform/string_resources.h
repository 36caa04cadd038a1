// The program's string table and its other stored texts, read from the program's resources.
#pragma once

#include <string>
#include <string_view>

#include "settings/startup_settings.h"

// The stored text of the resource named name ("102", "web_dictionary_url"): code page 936 or
// enciphered hexadecimal as it was stored; empty when the program holds no such text.
std::string LoadStringResource(std::string_view name);

// Every entry of the string table that the program holds, by id.
StringTable LoadStringTable();
