// The program's diagnostics: lines for a developer watching the debugger output, never shown to
// the user. They go to the Qt logging category "garmentdict.debug", which is off unless enabled,
// for example with QT_LOGGING_RULES="garmentdict.debug.debug=true" (a rule's last part names the
// message type, so the category's own ".debug" needs another).
#pragma once

#include <QLoggingCategory>
#include <string_view>

Q_DECLARE_LOGGING_CATEGORY(garmentDictDebug)

// Writes a code page 936 text, unchanged (line ends included), as one debug message.
void DebugOutput(std::string_view text);
