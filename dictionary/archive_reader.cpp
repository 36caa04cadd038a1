#include "dictionary/archive_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "dictionary/file_error.h"
#include "text/mbcs.h"

namespace {

template <typename T>
T FromLittleEndian(const unsigned char* bytes) {
    T value = 0;
    for (std::size_t i = sizeof(T); i-- > 0;) value = static_cast<T>(value << 8) | bytes[i];
    return value;
}

}  // namespace

bool CArchiveReader::Fill() {
    m_pos = 0;
    m_end = std::fread(m_buffer, 1, kBufferSize, m_file);
    if (m_end == 0 && std::ferror(m_file)) {
        throw CFileError(errno == EIO ? CFileError::Cause::hardIO : CFileError::Cause::generic,
                         CFileError::kUnnamedFile);
    }
    return m_end > 0;
}

void CArchiveReader::Read(void* out, std::size_t n) {
    auto* target = static_cast<unsigned char*>(out);
    while (n > 0) {
        if (m_pos == m_end && !Fill()) {
            throw CFileError(CFileError::Cause::endOfFile, CFileError::kUnnamedFile);
        }
        const std::size_t take = std::min(n, m_end - m_pos);
        std::memcpy(target, m_buffer + m_pos, take);
        m_pos += take;
        target += take;
        n -= take;
    }
}

void CArchiveReader::ReadBytes(std::size_t n, std::string& out) {
    // Grows with the data actually read, so a damaged length cannot demand a huge allocation.
    while (n > 0) {
        if (m_pos == m_end && !Fill()) {
            throw CFileError(CFileError::Cause::endOfFile, CFileError::kUnnamedFile);
        }
        const std::size_t take = std::min(n, m_end - m_pos);
        out.append(reinterpret_cast<const char*>(m_buffer + m_pos), take);
        m_pos += take;
        n -= take;
    }
}

std::optional<std::uint64_t> CArchiveReader::BytesLeft() {
    const long here = std::ftell(m_file);
    if (here < 0 || std::fseek(m_file, 0, SEEK_END) != 0) return std::nullopt;
    const long end = std::ftell(m_file);
    if (std::fseek(m_file, here, SEEK_SET) != 0) {
        throw CFileError(CFileError::Cause::generic, CFileError::kUnnamedFile);
    }
    if (end < here) return std::nullopt;
    return static_cast<std::uint64_t>(end - here) + (m_end - m_pos);
}

std::uint8_t CArchiveReader::ReadUInt8() {
    std::uint8_t value;
    Read(&value, 1);
    return value;
}

std::uint16_t CArchiveReader::ReadUInt16() {
    unsigned char bytes[2];
    Read(bytes, sizeof bytes);
    return FromLittleEndian<std::uint16_t>(bytes);
}

std::uint32_t CArchiveReader::ReadUInt32() {
    unsigned char bytes[4];
    Read(bytes, sizeof bytes);
    return FromLittleEndian<std::uint32_t>(bytes);
}

std::uint64_t CArchiveReader::ReadUInt64() {
    unsigned char bytes[8];
    Read(bytes, sizeof bytes);
    return FromLittleEndian<std::uint64_t>(bytes);
}

std::int32_t CArchiveReader::ReadInt32() {
    return static_cast<std::int32_t>(ReadUInt32());
}

std::string CArchiveReader::ReadCountedString() {
    bool utf16 = false;
    std::uint64_t length = ReadUInt8();
    if (length == 0xFF) {
        std::uint16_t word = ReadUInt16();
        if (word == 0xFFFE) {
            utf16 = true;
            length = ReadUInt8();
            if (length == 0xFF) word = ReadUInt16();
        }
        if (length == 0xFF) {
            length = word;
            if (word == 0xFFFF) {
                length = ReadUInt32();
                if (length == 0xFFFFFFFF) {
                    length = ReadUInt64();
                    if (length > 0x7FFFFFFF) {
                        throw CFileError(CFileError::Cause::generic, CFileError::kUnnamedFile);
                    }
                }
            }
        }
    }

    std::string bytes;
    if (!utf16) {
        ReadBytes(length, bytes);
        return bytes;
    }
    ReadBytes(2 * length, bytes);
    std::u16string units(length, u'\0');
    for (std::size_t i = 0; i < length; ++i) {
        units[i] = FromLittleEndian<std::uint16_t>(
            reinterpret_cast<const unsigned char*>(bytes.data()) + 2 * i);
    }
    return mbcs::FromUtf16(units);
}
