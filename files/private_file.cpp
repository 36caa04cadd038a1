#include "files/private_file.h"

#include <fcntl.h>

#include <cerrno>
#include <utility>

#include "files/file_name.h"

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#define PRIVATE_FILE_WRITE_FLAGS (_O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY)
#define PRIVATE_FILE_READ_FLAGS (_O_RDONLY | _O_BINARY)
#define PRIVATE_FILE_MODE (_S_IREAD | _S_IWRITE)
#else
#include <unistd.h>
#define PRIVATE_FILE_WRITE_FLAGS (O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC)
#define PRIVATE_FILE_READ_FLAGS (O_RDONLY | O_NOFOLLOW | O_CLOEXEC)
#define PRIVATE_FILE_MODE 0600
#endif

namespace {

// Opens a file by the program's name of it: on Windows through the system's UTF-16 name.
int OpenByName(const std::string& path, int flags, int mode = 0) {
#ifdef _WIN32
    return ::_wopen(PathOfName(path).c_str(), flags, mode);
#else
    return ::open(path.c_str(), flags, mode);
#endif
}

// A descriptor that closes itself.
class Descriptor {
public:
    explicit Descriptor(int descriptor) : m_descriptor(descriptor) {}
    ~Descriptor() {
        if (m_descriptor >= 0) ::close(m_descriptor);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_descriptor; }

private:
    int m_descriptor;
};

}  // namespace

std::optional<CPrivateFile> CPrivateFile::Create(const std::string& path) {
    const int descriptor = OpenByName(path, PRIVATE_FILE_WRITE_FLAGS, PRIVATE_FILE_MODE);
    if (descriptor < 0) return std::nullopt;
    return CPrivateFile(descriptor);
}

CPrivateFile::CPrivateFile(CPrivateFile&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1)), m_ok(other.m_ok) {}

CPrivateFile& CPrivateFile::operator=(CPrivateFile&& other) noexcept {
    if (this != &other) {
        if (m_descriptor >= 0) ::close(m_descriptor);
        m_descriptor = std::exchange(other.m_descriptor, -1);
        m_ok = other.m_ok;
    }
    return *this;
}

CPrivateFile::~CPrivateFile() {
    if (m_descriptor >= 0) ::close(m_descriptor);
}

bool CPrivateFile::Write(const char* data, std::size_t size) {
    while (m_ok && size > 0) {
        const auto written = ::write(m_descriptor, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            m_ok = false;
            break;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return m_ok;
}

bool CPrivateFile::Close() {
    if (m_descriptor < 0) return false;
#ifndef _WIN32
    if (::fsync(m_descriptor) != 0 && errno != EINVAL) m_ok = false;
#endif
    if (::close(std::exchange(m_descriptor, -1)) != 0) m_ok = false;
    return m_ok;
}

std::optional<std::string> ReadPrivateFile(const std::string& path) {
    const Descriptor file(OpenByName(path, PRIVATE_FILE_READ_FLAGS));
    if (file.get() < 0) return std::nullopt;
    std::string bytes;
    char buffer[16384];
    for (;;) {
        const auto count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return bytes;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}
