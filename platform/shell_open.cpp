#include "platform/shell_open.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/ansi_text.h"

namespace {

// The address as the desktop's shell reads it. One with a scheme stands as it is, valid or not;
// one without ("www.example.org", "host:8080", which a URL parser reads as the scheme "host",
// or a path) is completed as a person would mean it.
QUrl ShellAddress(const QString& text) {
    const QUrl asWritten(text);
    const bool hostAndPort = QUrl(QStringLiteral("http://") + text).port() != -1;
    if (!asWritten.scheme().isEmpty() && !hostAndPort) return asWritten;
    return QUrl::fromUserInput(text);
}

}  // namespace

bool ShellOpen(std::string_view address) {
    return QDesktopServices::openUrl(ShellAddress(FromAnsi(address)));
}
