#include "platform/program_directory.h"

#include <filesystem>
#include <system_error>

#include "platform/mbcs.h"

#ifdef _WIN32
#include <windows.h>
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
#ifdef _WIN32
    return std::string(name);
#else
    return mbcs::ToUtf8(name);
#endif
}

std::string GetProgramDirectory() {
#ifdef _WIN32
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(DirectoryOf(std::string_view(buffer, length)));
#else
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::string();
    return std::string(DirectoryOf(executable.native()));
#endif
}
