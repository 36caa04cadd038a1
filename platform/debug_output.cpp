#include "platform/debug_output.h"

#include "platform/ansi_text.h"

Q_LOGGING_CATEGORY(garmentDictDebug, "garmentdict.debug", QtInfoMsg)

void DebugOutput(std::string_view text) {
    qCDebug(garmentDictDebug).noquote() << FromAnsi(text);
}
