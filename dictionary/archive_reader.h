// CArchiveReader: reads the values of a dictionary file from an open file through a
// 4096-byte buffer. All integers are little-endian.
//
// Every failure throws CFileError naming "an unnamed file", because the reader knows no path:
// the file ending inside a value (Cause::endOfFile), a read error, or a counted-string length
// above 0x7FFFFFFF (Cause::generic).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

class CArchiveReader {
public:
    static constexpr std::size_t kBufferSize = 4096;

    // Reads from the current position of file, which stays owned by the caller and must
    // outlive the reader.
    explicit CArchiveReader(std::FILE* file) : m_file(file) {}
    CArchiveReader(const CArchiveReader&) = delete;
    CArchiveReader& operator=(const CArchiveReader&) = delete;

    std::int32_t ReadInt32();

    // A length-prefixed string. The length is one byte below 0xFF; otherwise a 16-bit value
    // below 0xFFFF, then a 32-bit value below 0xFFFFFFFF, then a 64-bit value. A 16-bit 0xFFFE
    // right after the first 0xFF marks a UTF-16LE string, whose length follows in the same
    // forms; it is returned converted to code page 936. Byte strings are returned as stored.
    std::string ReadCountedString();

    // The number of bytes from the reading position to the end of the file, when the file can
    // tell (a regular file, a memory stream); nullopt otherwise. Leaves the position as it was.
    std::optional<std::uint64_t> BytesLeft();

private:
    std::uint8_t ReadUInt8();
    std::uint16_t ReadUInt16();
    std::uint32_t ReadUInt32();
    std::uint64_t ReadUInt64();
    // Reads exactly n bytes and appends them to out.
    void ReadBytes(std::size_t n, std::string& out);
    void Read(void* out, std::size_t n);
    // Refills the buffer; false at the end of the file.
    bool Fill();

    std::FILE* m_file;
    unsigned char m_buffer[kBufferSize];
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
};
