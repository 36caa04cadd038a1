// Texts that the program keeps as stored (enciphered hexadecimal) constants under its key text.
#pragma once

#include <string_view>

// The title drawn while the dictionary loads: "服装词典 1.0.0.5" in code page 936.
extern const std::string_view SplashTitleText;
