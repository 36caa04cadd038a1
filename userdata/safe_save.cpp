#include "userdata/safe_save.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <utility>

#include "files/file_name.h"
#include "userdata/file_bytes.h"
#include "userdata/user_data_error.h"

#ifdef _WIN32
#include <windows.h>

#include <thread>

#include "text/wide_text.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

constexpr char kSavingMark[] = ".saving-";
// Names drawn for the new file before a save gives up on finding a free one.
constexpr int kNameAttempts = 16;

[[noreturn]] void Fail(const std::string& what, const std::string& path, int error) {
    throw CUserDataError(CUserDataError::Cause::io,
                         "cannot " + what + " " + path + ": " + SystemReason(error));
}

#ifdef _WIN32
unsigned long ThisProcess() {
    return GetCurrentProcessId();
}
#else
unsigned long ThisProcess() {
    return static_cast<unsigned long>(getpid());
}
#endif

// A name for the new file beside path that no other save is likely to draw. The generator is
// seeded again in a forked process, which would otherwise draw the names its parent draws.
std::string SavingName(const std::string& path) {
    static thread_local unsigned long owner = 0;
    static thread_local std::mt19937_64 generator;
    if (owner != ThisProcess()) {
        owner = ThisProcess();
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        generator.seed(std::random_device{}() ^ static_cast<std::uint64_t>(now) ^
                       (static_cast<std::uint64_t>(owner) << 32));
    }
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(generator()));
    return path + kSavingMark + suffix;
}

#ifdef _WIN32

// The new file, open for writing, and its name.
class NewFile {
public:
    explicit NewFile(const std::string& path) {
        for (int attempt = 1;; ++attempt) {
            m_name = SavingName(path);
            m_handle = CreateFileW(WideFromUtf8(m_name).c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (m_handle != INVALID_HANDLE_VALUE) return;
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_EXISTS || attempt == kNameAttempts) {
                Fail("create", m_name, static_cast<int>(error));
            }
        }
    }
    // Removes the file unless it was renamed.
    ~NewFile() {
        if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
        if (!m_renamed) DeleteFileW(WideFromUtf8(m_name).c_str());
    }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    void Write(std::string_view bytes) {
        while (!bytes.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
            DWORD written = 0;
            if (!WriteFile(m_handle, bytes.data(), chunk, &written, nullptr) || written == 0) {
                Fail("write", m_name, static_cast<int>(GetLastError()));
            }
            bytes.remove_prefix(written);
        }
    }

    void FlushAndClose() {
        if (!FlushFileBuffers(m_handle)) Fail("flush", m_name, static_cast<int>(GetLastError()));
        if (!CloseHandle(std::exchange(m_handle, INVALID_HANDLE_VALUE))) {
            Fail("close", m_name, static_cast<int>(GetLastError()));
        }
    }

    // Renames the file over path, waiting a little while a scanner or an indexer of the system
    // holds the target open without sharing it.
    void RenameOver(const std::string& path) {
        const std::wstring from = WideFromUtf8(m_name);
        const std::wstring to = WideFromUtf8(path);
        for (int attempt = 0;; ++attempt) {
            if (MoveFileExW(from.c_str(), to.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                m_renamed = true;
                return;
            }
            const DWORD error = GetLastError();
            if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) ||
                attempt == 50) {
                Fail("replace", path, static_cast<int>(error));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

private:
    std::string m_name;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    bool m_renamed = false;
};

void FlushFolder(const std::string&) {
    // MOVEFILE_WRITE_THROUGH has the rename on the disk when MoveFileExW returns.
}

#else

// The new file, open for writing, and its name.
class NewFile {
public:
    explicit NewFile(const std::string& path) {
        for (int attempt = 1;; ++attempt) {
            m_name = SavingName(path);
            m_descriptor = ::open(m_name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_descriptor >= 0) break;
            if (errno != EEXIST || attempt == kNameAttempts) Fail("create", m_name, errno);
        }
        // The new file takes the target's permissions, so that a save never changes them.
        struct stat target {};
        if (::stat(path.c_str(), &target) == 0 &&
            ::fchmod(m_descriptor, target.st_mode & 07777) != 0) {
            const int error = errno;
            Discard();
            Fail("set the permissions of", m_name, error);
        }
    }
    // Removes the file unless it was renamed.
    ~NewFile() { Discard(); }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    void Write(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t written = ::write(m_descriptor, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) Fail("write", m_name, written < 0 ? errno : ENOSPC);
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
    }

    void FlushAndClose() {
        if (::fsync(m_descriptor) != 0) Fail("flush", m_name, errno);
        if (::close(std::exchange(m_descriptor, -1)) != 0) Fail("close", m_name, errno);
    }

    void RenameOver(const std::string& path) {
        if (::rename(m_name.c_str(), path.c_str()) != 0) Fail("replace", path, errno);
        m_renamed = true;
    }

private:
    void Discard() {
        if (m_descriptor >= 0) ::close(std::exchange(m_descriptor, -1));
        if (!m_renamed) ::unlink(m_name.c_str());
        m_renamed = true;
    }

    std::string m_name;
    int m_descriptor = -1;
    bool m_renamed = false;
};

// Flushes the folder of path, so that a rename in it is on the disk. A file system that cannot
// flush a folder says so with EINVAL: there is nothing more to do then.
void FlushFolder(const std::string& path) {
    const std::filesystem::path folder = PathOfName(path).parent_path();
    const int directory =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory < 0) Fail("open the folder of", path, errno);
    const int error = ::fsync(directory) != 0 && errno != EINVAL ? errno : 0;
    ::close(directory);
    if (error != 0) Fail("flush the folder of", path, error);
}

#endif

}  // namespace

void SaveFileSafely(const std::string& path, std::string_view bytes) {
    {
        NewFile file(path);
        file.Write(bytes);
        file.FlushAndClose();
        file.RenameOver(path);
    }
    FlushFolder(path);
}

void RemoveStaleSaves(const std::string& path) {
    const std::filesystem::path target = PathOfName(path);
    const std::filesystem::path folder =
        target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    const std::filesystem::path::string_type prefix =
        target.filename().native() + PathOfName(kSavingMark).native();
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path::string_type name = it->path().filename().native();
        std::error_code ignored;
        if (name.compare(0, prefix.size(), prefix) == 0)
            std::filesystem::remove(it->path(), ignored);
    }
}
