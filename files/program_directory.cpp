#include "files/program_directory.h"

#include <filesystem>
#include <system_error>

#include "text/mbcs.h"

#ifdef _WIN32
#include <windows.h>

#include "text/wide_text.h"
#endif

std::string_view DirectoryOf(std::string_view path) {
#ifdef _WIN32
    const std::size_t cut = path.find_last_of("\\/");
#else
    const std::size_t cut = path.rfind('/');
#endif
    return cut == std::string_view::npos ? std::string_view() : path.substr(0, cut);
}

std::string FileNameFromAnsi(std::string_view name) {
    return mbcs::ToUtf8(name);
}

std::string GetProgramDirectory() {
#ifdef _WIN32
    // The wide name, so that no character of the path is lost to the narrow code page; a
    // buffer that the name fills up may have cut it, so it grows until the name fits.
    std::wstring executable(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, executable.data(), static_cast<DWORD>(executable.size()));
        if (length == 0) return std::string();
        if (length < executable.size()) {
            executable.resize(length);
            break;
        }
        executable.resize(executable.size() * 2);
    }
    const std::string name = Utf8FromWide(executable);
    return std::string(DirectoryOf(name));
#else
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::string();
    return std::string(DirectoryOf(executable.native()));
#endif
}
