// CFileLock: the lock that a process holds while it reads, changes and saves one list file of
// the user's data, the program and gdict alike.
//
// It is a lock file beside the data file, held with the system's lock of a whole file (flock on
// POSIX, LockFileEx on Windows), which the system releases when the holder ends, however it ends:
// a crash never leaves a list locked. Two locks of one file exclude each other within one process
// too (each opens the file anew). The lock file stays, empty, in the folder: removing it could let
// two processes lock two different files of the same name.
#pragma once

#include <chrono>
#include <string>

class CFileLock {
public:
    // Takes the lock of the file named lockPath, creating it when missing, waiting at most wait
    // while another holds it. Throws CUserDataError: Cause::locked, naming the file, when the
    // wait runs out; Cause::io when the lock file cannot be opened or locked.
    CFileLock(const std::string& lockPath, std::chrono::milliseconds wait);
    // Releases the lock.
    ~CFileLock();
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

private:
#ifdef _WIN32
    void* m_handle;
#else
    int m_descriptor;
#endif
};
