// Reading a whole file of the user's data, and the system's reason for a failure.
#pragma once

#include <optional>
#include <string>

// The bytes of the file named path (a file name as platform/file_name.h holds it); nullopt when
// there is no file of that name. Throws CUserDataError (Cause::io, naming path and the system's
// reason) when it exists but cannot be read whole, or is a folder. On Windows the file is opened
// so that a save of another process may rename a new file over it meanwhile.
std::optional<std::string> ReadFileBytes(const std::string& path);

// The system's text for the errno value error, or on Windows for the system error code error.
std::string SystemReason(int error);
