#include "platform/ansi_text.h"

#include "text/mbcs.h"

QString FromAnsi(std::string_view text) {
    return QString::fromStdString(mbcs::ToUtf8(text));
}

std::string ToAnsi(const QString& text) {
    return mbcs::FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                               static_cast<std::size_t>(text.size())));
}
