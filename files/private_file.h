// Files the program keeps for itself in a per-user folder: written with owner-only permissions
// and never reached through a symbolic link that someone planted at their path.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

class CPrivateFile {
public:
    // Creates the file at path, or empties it; nullopt when it cannot be created for writing
    // (a symbolic link at path counts as that).
    static std::optional<CPrivateFile> Create(const std::string& path);

    CPrivateFile(CPrivateFile&& other) noexcept;
    CPrivateFile& operator=(CPrivateFile&& other) noexcept;
    CPrivateFile(const CPrivateFile&) = delete;
    ~CPrivateFile();

    // Appends size bytes; false when this or an earlier write failed.
    bool Write(const char* data, std::size_t size);
    // Flushes and closes the file; true when every write and the close succeeded.
    bool Close();

private:
    explicit CPrivateFile(int descriptor) : m_descriptor(descriptor) {}

    int m_descriptor;
    bool m_ok = true;
};

// The bytes of the file at path, read without following a symbolic link at path: all of them, or
// those read before a read failed; nullopt when it cannot be opened.
std::optional<std::string> ReadPrivateFile(const std::string& path);
