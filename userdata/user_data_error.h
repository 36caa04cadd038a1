// CUserDataError: why reading or changing the user's own data (word book, history, own terms),
// or a file they are imported from or exported to, failed. Every call of userdata/ reports its
// failures by throwing one; a call that returns has done all that it says.
#pragma once

#include <stdexcept>
#include <string>

class CUserDataError : public std::runtime_error {
public:
    enum class Cause {
        io,            // a file or folder could not be read, written, renamed or created
        locked,        // another process held the list's lock for longer than the wait
        newerFormat,   // the file was written in a later version of its format: left untouched
        badText,       // a text given to a change that the list cannot hold
        noDataFolder,  // the system tells no folder for the user's data
    };

    // message names the file and the system's reason where there is one.
    CUserDataError(Cause cause, const std::string& message)
        : std::runtime_error(message), m_cause(cause) {}

    Cause cause() const { return m_cause; }

private:
    Cause m_cause;
};
