// The desktop's web browser, found and started the way the shell of the program's original home
// opens a web link: the result codes of that shell, the default browser's command line and its
// start as a process of its own.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// The results of opening an address: the codes of the shell and of starting a program. Every code
// above 32 is a success.
namespace OpenUrlCode {
constexpr int OutOfResources = 0;
constexpr int FileNotFound = 2;
constexpr int PathNotFound = 3;
constexpr int AccessDenied = 5;
constexpr int OutOfMemory = 8;
constexpr int BadFormat = 11;
constexpr int SharingViolation = 26;
constexpr int AssociationIncomplete = 27;
constexpr int DdeTimeout = 28;
constexpr int DdeFailed = 29;
constexpr int DdeBusy = 30;
constexpr int NoAssociation = 31;
constexpr int DllNotFound = 32;
constexpr int Succeeded = 33;
}  // namespace OpenUrlCode

// Finds the command line of the user's web browser (code page 936), with "%1" where the address
// goes. Returns 0 and sets command, or a nonzero error code and leaves command unchanged.
using BrowserCommandReader = std::function<int(std::string& command)>;

// The desktop's default browser for http addresses: the Exec line of the desktop entry that
// `xdg-mime query default x-scheme-handler/http` names, through DesktopExecToCommand.
int ReadBrowserCommand(std::string& command);

// A desktop entry's Exec value as a command line: the address codes %u, %U, %f and %F become
// "%1", "%%" becomes "%", and the other field codes are dropped.
std::string DesktopExecToCommand(std::string_view exec);

// The command line that opens address with the browser command: cut at the first "\"%1\"" (at
// its opening quote), else at the first "%1", else kept whole; then one space and the address,
// unquoted. Whatever followed the placeholder is dropped.
std::string BrowserCommandLine(std::string_view command, std::string_view address);

// The message for an open's failure code, without the "Unable to open hyperlink" prefix.
std::string OpenErrorText(int code);

// Starts a command line (code page 936) as a detached process; returns OpenUrlCode::Succeeded, or
// FileNotFound when its program is not there, AccessDenied when it is there but did not start.
int StartCommandLine(const std::string& commandLine);
