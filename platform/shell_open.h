// Opening a web address the way the desktop opens it: in the user's default browser.
#pragma once

#include <string_view>

// Asks the desktop to open a code page 936 address; false when it could not.
bool ShellOpen(std::string_view address);
