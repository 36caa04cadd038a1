#include "userdata/file_bytes.h"

#include <system_error>

#include "userdata/user_data_error.h"

#ifdef _WIN32
#include <windows.h>

#include "text/wide_text.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

[[noreturn]] void ThrowReadError(const std::string& path, int error) {
    throw CUserDataError(CUserDataError::Cause::io,
                         "cannot read " + path + ": " + SystemReason(error));
}

#ifdef _WIN32
struct ClosedAtEnd {
    HANDLE handle;
    ~ClosedAtEnd() { CloseHandle(handle); }
};
#else
struct ClosedAtEnd {
    int descriptor;
    ~ClosedAtEnd() { ::close(descriptor); }
};
#endif

}  // namespace

#ifdef _WIN32

std::string SystemReason(int error) {
    return std::system_category().message(error);
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    const HANDLE handle = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
        ThrowReadError(path, static_cast<int>(error));
    }
    const ClosedAtEnd file{handle};
    std::string bytes;
    char buffer[65536];
    DWORD error = 0;
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(file.handle, buffer, sizeof buffer, &count, nullptr)) {
            error = GetLastError();
            break;
        }
        if (count == 0) break;
        bytes.append(buffer, count);
    }
    if (error != 0) ThrowReadError(path, static_cast<int>(error));
    return bytes;
}

#else

std::string SystemReason(int error) {
    return std::generic_category().message(error);
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno == ENOENT) return std::nullopt;
        ThrowReadError(path, errno);
    }
    const ClosedAtEnd file{descriptor};
    int error = 0;
    std::string bytes;
    struct stat status {};
    if (::fstat(file.descriptor, &status) != 0) {
        error = errno;
    } else if (S_ISDIR(status.st_mode)) {
        error = EISDIR;
    } else {
        if (S_ISREG(status.st_mode)) bytes.reserve(static_cast<std::size_t>(status.st_size));
        char buffer[65536];
        for (;;) {
            const ssize_t count = ::read(file.descriptor, buffer, sizeof buffer);
            if (count < 0 && errno == EINTR) continue;
            if (count < 0) error = errno;
            if (count <= 0) break;
            bytes.append(buffer, static_cast<std::size_t>(count));
        }
    }
    if (error != 0) ThrowReadError(path, error);
    return bytes;
}

#endif
