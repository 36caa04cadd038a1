#include "tests/support/run_program.h"

#ifdef _WIN32
#include <windows.h>

#include <memory>
#include <type_traits>

#include "text/wide_text.h"
#else
#include <sys/wait.h>

#include <cstdlib>
#endif

namespace {

#ifdef _WIN32

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// A handle the child inherits: name opened for reading, or created for writing.
Handle InheritedFile(const std::string& name, bool write) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE handle =
        CreateFileW(WideFromUtf8(name).c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                    write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// One word of a command line as the system's parser (CommandLineToArgvW and the C runtime)
// splits it again: quoted, with a backslash before each quote and before each backslash that
// precedes a quote.
std::wstring Quoted(const std::wstring& word) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : word) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

#else

// One word for the shell: single-quoted, each single quote closed, escaped and reopened.
std::string Quoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

#endif

}  // namespace

int RunProgram(const std::string& program, const std::vector<std::string>& args,
               const std::string& inputFile, const std::string& outputFile,
               const std::string& errorFile) {
#ifdef _WIN32
    const std::wstring application = WideFromUtf8(program);
    std::wstring commandLine = Quoted(application);
    for (const std::string& arg : args) commandLine += L" " + Quoted(WideFromUtf8(arg));
    const Handle input = InheritedFile(inputFile.empty() ? "NUL" : inputFile, false);
    const Handle output = InheritedFile(outputFile, true);
    const Handle error = InheritedFile(errorFile, true);
    if (!input || !output || !error) return -1;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.get();
    startup.hStdOutput = output.get();
    startup.hStdError = error.get();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return -1;
    }
    const Handle child(process.hProcess);
    const Handle thread(process.hThread);
    DWORD status = 0;
    if (WaitForSingleObject(child.get(), INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(child.get(), &status)) {
        return -1;
    }
    return static_cast<int>(status);
#else
    std::string command = Quoted(program);
    for (const std::string& arg : args) command += " " + Quoted(arg);
    command += " <" + Quoted(inputFile.empty() ? "/dev/null" : inputFile);
    command += " >" + Quoted(outputFile) + " 2>" + Quoted(errorFile);
    const int status = std::system(command.c_str());
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}
