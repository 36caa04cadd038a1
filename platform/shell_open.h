// Opening a web address the way the desktop opens it: in the user's default browser.
#pragma once

#include <string_view>

// Asks the desktop to open a code page 936 address; false when it could not. An address without
// a scheme is taken as the desktop's shell takes it: a host name ("www.example.org") is a web
// address, a path a local file.
//
// True means that a handler registered with the application took the address, or that the
// desktop's opener (xdg-open, its desktop's own, or a browser) was started for it; whether that
// program then shows the page is not reported back.
bool ShellOpen(std::string_view address);
