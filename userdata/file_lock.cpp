#include "userdata/file_lock.h"

#include <algorithm>
#include <thread>

#include "userdata/file_bytes.h"
#include "userdata/user_data_error.h"

#ifdef _WIN32
#include <windows.h>

#include "text/wide_text.h"
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

[[noreturn]] void Fail(const std::string& lockPath, int error) {
    throw CUserDataError(CUserDataError::Cause::io,
                         "cannot lock " + lockPath + ": " + SystemReason(error));
}

[[noreturn]] void FailWaiting(const std::string& lockPath) {
    throw CUserDataError(CUserDataError::Cause::locked,
                         "another program holds the lock " + lockPath + " and does not let go");
}

// Tries take() until it returns true (taken, or failed for good) or wait has run out, a little
// longer between each try; false when the wait ran out.
template <class Take>
bool TakeWithin(std::chrono::milliseconds wait, Take take) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    std::chrono::milliseconds pause(1);
    for (;;) {
        if (take()) return true;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) return false;
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

}  // namespace

#ifdef _WIN32

CFileLock::CFileLock(const std::string& lockPath, std::chrono::milliseconds wait) {
    m_handle = CreateFileW(WideFromUtf8(lockPath).c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_handle == INVALID_HANDLE_VALUE) Fail(lockPath, static_cast<int>(GetLastError()));
    DWORD error = 0;
    const bool taken = TakeWithin(wait, [&] {
        OVERLAPPED whole{};
        if (LockFileEx(m_handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                       MAXDWORD, &whole)) {
            error = 0;
            return true;
        }
        error = GetLastError();
        return error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING;
    });
    if (taken && error == 0) return;
    CloseHandle(m_handle);
    if (!taken) FailWaiting(lockPath);
    Fail(lockPath, static_cast<int>(error));
}

CFileLock::~CFileLock() {
    OVERLAPPED whole{};
    UnlockFileEx(m_handle, 0, MAXDWORD, MAXDWORD, &whole);
    CloseHandle(m_handle);
}

#else

CFileLock::CFileLock(const std::string& lockPath, std::chrono::milliseconds wait) {
    m_descriptor = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_descriptor < 0) Fail(lockPath, errno);
    int error = 0;
    const bool taken = TakeWithin(wait, [&] {
        if (::flock(m_descriptor, LOCK_EX | LOCK_NB) == 0) {
            error = 0;
            return true;
        }
        error = errno;
        return error != EWOULDBLOCK && error != EINTR;
    });
    if (taken && error == 0) return;
    ::close(m_descriptor);
    if (!taken) FailWaiting(lockPath);
    Fail(lockPath, error);
}

CFileLock::~CFileLock() {
    // Closing the only descriptor of the lock file releases the lock.
    ::close(m_descriptor);
}

#endif
