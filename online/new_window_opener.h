// The online tab's page has no windows of its own to give a link with target=_blank or a
// script's window.open: what such a request asks to show goes to the desktop's browser instead.
#pragma once

#include <functional>
#include <string_view>

#include "platform/shell_open.h"

class QWebEnginePage;
class QWidget;

// Opens a code page 936 address on the desktop; false when it could not.
using DesktopOpener = std::function<bool(std::string_view address)>;

// From now on every new window that page asks for in answer to the user's click or key opens
// its address with open, when that is an http or https address. A request the user did not make
// (a script opening windows by itself) and any other address open nothing. When open fails, a
// message box over owner (none once owner is gone) names the address that could not be
// opened.
void OpenNewWindowsInBrowser(QWebEnginePage& page, QWidget* owner, DesktopOpener open = ShellOpen);
