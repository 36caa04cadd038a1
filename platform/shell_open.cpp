#include "platform/shell_open.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/ansi_text.h"

bool ShellOpen(std::string_view address) {
    return QDesktopServices::openUrl(QUrl(FromAnsi(address)));
}
