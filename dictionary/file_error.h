// CFileError: why opening or reading the dictionary file failed, with the message shown to the
// user.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

class CFileError : public std::runtime_error {
public:
    enum class Cause {
        generic,           // "An unknown error occurred while accessing %1."
        fileNotFound,      // "%1 was not found."
        badPath,           // "%1 contains an invalid path."
        tooManyOpenFiles,  // "The file %1 could not be opened because there are too many open
                           // files."
        accessDenied,      // "Access to %1 was denied."
        hardIO,            // "A hardware I/O error was reported while accessing %1."
        sharingViolation,  // "A sharing violation occurred while accessing %1."
        endOfFile,         // "An attempt was made to access %1 past its end."
        damaged,           // "%1 is damaged: N records could not be deciphered and were left out."
    };

    // What the archive reader names a file by: it knows no path.
    static constexpr std::string_view kUnnamedFile = "an unnamed file";

    // name fills the %1 of the cause's message. skippedRecords is used by Cause::damaged only.
    CFileError(Cause cause, std::string_view name, long skippedRecords = 0);

    // The cause for an errno value reported by opening or reading a file.
    static Cause CauseOfErrno(int error);

    Cause cause() const { return m_cause; }

private:
    Cause m_cause;
};
