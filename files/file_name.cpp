#include "files/file_name.h"

#ifdef _WIN32
#include <windows.h>

#include <cerrno>
#include <cstdlib>

#include "text/wide_text.h"
#endif

std::filesystem::path PathOfName(std::string_view name) {
#ifdef _WIN32
    return std::filesystem::path(WideFromUtf8(name));
#else
    return std::filesystem::path(std::string(name));
#endif
}

std::FILE* OpenFile(const std::string& name, const char* mode) {
#ifdef _WIN32
    std::FILE* file = _wfopen(WideFromUtf8(name).c_str(), WideFromUtf8(mode).c_str());
    if (!file && _doserrno == ERROR_SHARING_VIOLATION) errno = EBUSY;
    return file;
#else
    return std::fopen(name.c_str(), mode);
#endif
}
