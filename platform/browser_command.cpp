#include "platform/browser_command.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <optional>

#include "platform/ansi_text.h"

namespace {

constexpr int kQueryTimeoutMs = 5000;
constexpr std::string_view kPlaceholder = "%1";
constexpr std::string_view kQuotedPlaceholder = "\"%1\"";

// The value of key Exec in the [Desktop Entry] group of a desktop entry file; nullopt if none.
std::optional<QString> DesktopEntryExec(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return std::nullopt;
    bool inEntryGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inEntryGroup = line == QLatin1String("[Desktop Entry]");
        } else if (inEntryGroup && line.startsWith(QLatin1String("Exec"))) {
            const qsizetype equals = line.indexOf(u'=');
            if (equals >= 0 && line.left(equals).trimmed() == QLatin1String("Exec"))
                return line.mid(equals + 1).trimmed();
        }
    }
    return std::nullopt;
}

}  // namespace

int StartCommandLine(const std::string& commandLine) {
    QStringList arguments = QProcess::splitCommand(FromAnsi(commandLine));
    if (arguments.isEmpty()) return OpenUrlCode::FileNotFound;
    const QString program = arguments.takeFirst();
    if (QProcess::startDetached(program, arguments)) return OpenUrlCode::Succeeded;
    const bool found = program.contains(u'/') ? QFileInfo::exists(program)
                                              : !QStandardPaths::findExecutable(program).isEmpty();
    return found ? OpenUrlCode::AccessDenied : OpenUrlCode::FileNotFound;
}

int ReadBrowserCommand(std::string& command) {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("x-scheme-handler/http")});
    if (!query.waitForFinished(kQueryTimeoutMs) || query.exitStatus() != QProcess::NormalExit ||
        query.exitCode() != 0) {
        query.kill();
        return OpenUrlCode::FileNotFound;
    }
    const QString entry = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
    if (entry.isEmpty()) return OpenUrlCode::FileNotFound;
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
    if (path.isEmpty()) return OpenUrlCode::FileNotFound;
    const std::optional<QString> exec = DesktopEntryExec(path);
    if (!exec || exec->isEmpty()) return OpenUrlCode::FileNotFound;
    command = DesktopExecToCommand(ToAnsi(*exec));
    return 0;
}

std::string DesktopExecToCommand(std::string_view exec) {
    std::string command;
    command.reserve(exec.size());
    for (std::size_t at = 0; at < exec.size(); ++at) {
        if (exec[at] != '%' || at + 1 == exec.size()) {
            command += exec[at];
            continue;
        }
        const char code = exec[++at];
        if (code == '%') {
            command += '%';
        } else if (code == 'u' || code == 'U' || code == 'f' || code == 'F') {
            command += kPlaceholder;
        }
    }
    return command;
}

std::string BrowserCommandLine(std::string_view command, std::string_view address) {
    std::size_t cut = command.find(kQuotedPlaceholder);
    if (cut == std::string_view::npos) cut = command.find(kPlaceholder);
    std::string commandLine(command.substr(0, cut));
    commandLine += ' ';
    commandLine += address;
    return commandLine;
}

std::string OpenErrorText(int code) {
    switch (code) {
        case OpenUrlCode::OutOfResources:
            return "The operating system is out\nof memory or resources.";
        case OpenUrlCode::FileNotFound:
            return "The specified file was not found.";
        case OpenUrlCode::PathNotFound:
            return "The specified path was not found.";
        case OpenUrlCode::AccessDenied:
            return "The operating system denied\naccess to the specified file.";
        case OpenUrlCode::OutOfMemory:
            return "There was not enough memory to complete the operation.";
        case OpenUrlCode::BadFormat:
            return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        case OpenUrlCode::SharingViolation:
            return "A sharing violation occurred. ";
        case OpenUrlCode::AssociationIncomplete:
            return "The filename association is\nincomplete or invalid.";
        case OpenUrlCode::DdeTimeout:
            return "The DDE transaction could not\nbe completed because the request timed out.";
        case OpenUrlCode::DdeFailed:
            return "The DDE transaction failed.";
        case OpenUrlCode::DdeBusy:
            return "The DDE transaction could not\nbe completed because other DDE "
                   "transactions\nwere being processed.";
        case OpenUrlCode::NoAssociation:
            return "There is no application associated\nwith the given filename extension.";
        case OpenUrlCode::DllNotFound:
            return "The specified dynamic-link library was not found.";
        default:
            return "Unknown Error (" + std::to_string(code) + ") occurred.";
    }
}
