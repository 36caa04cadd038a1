#include "dictionary/file_error.h"

#include <cerrno>

namespace {

std::string MessageOf(CFileError::Cause cause, std::string_view name, long skippedRecords) {
    const std::string n(name);
    switch (cause) {
        case CFileError::Cause::fileNotFound:
            return n + " was not found.";
        case CFileError::Cause::badPath:
            return n + " contains an invalid path.";
        case CFileError::Cause::tooManyOpenFiles:
            return "The file " + n + " could not be opened because there are too many open files.";
        case CFileError::Cause::accessDenied:
            return "Access to " + n + " was denied.";
        case CFileError::Cause::hardIO:
            return "A hardware I/O error was reported while accessing " + n + ".";
        case CFileError::Cause::sharingViolation:
            return "A sharing violation occurred while accessing " + n + ".";
        case CFileError::Cause::endOfFile:
            return "An attempt was made to access " + n + " past its end.";
        case CFileError::Cause::damaged:
            return n + " is damaged: " + std::to_string(skippedRecords) +
                   (skippedRecords == 1 ? " record" : " records") +
                   " could not be deciphered and " + (skippedRecords == 1 ? "was" : "were") +
                   " left out.";
        case CFileError::Cause::generic:
            break;
    }
    return "An unknown error occurred while accessing " + n + ".";
}

}  // namespace

CFileError::CFileError(Cause cause, std::string_view name, long skippedRecords)
    : std::runtime_error(MessageOf(cause, name, skippedRecords)), m_cause(cause) {}

CFileError::Cause CFileError::CauseOfErrno(int error) {
    switch (error) {
        case ENOENT:
            return Cause::fileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EINVAL:
            return Cause::badPath;
        case EMFILE:
        case ENFILE:
            return Cause::tooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return Cause::accessDenied;
        case EBUSY:
        case ETXTBSY:
            return Cause::sharingViolation;
        case EIO:
            return Cause::hardIO;
        default:
            return Cause::generic;
    }
}
