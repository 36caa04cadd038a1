// Builds dictionary files byte by byte for tests, including forms the tool never writes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "crypto/stored_text.h"
#include "dictionary/dict_entry.h"
#include "dictionary/dict_file_writer.h"

class DictFileBuilder {
public:
    DictFileBuilder& Count(std::int32_t count) {
        dictfile::WriteInt32(m_bytes, count);
        return *this;
    }
    // A record whose plain text is english|||chinese under key.
    DictFileBuilder& Pair(std::string_view english, std::string_view chinese,
                          std::string_view key = "K3yK3y7") {
        dictfile::WriteRecord(m_bytes, dictfile::MakeRecordText(key, english, chinese));
        return *this;
    }
    // A record whose plain text is given whole, separators and all.
    DictFileBuilder& Plain(std::string_view plain, std::string_view key = "Rec0rd7") {
        dictfile::WriteRecord(m_bytes, std::string(key) + MakeStoredText(key, plain));
        return *this;
    }
    // A record whose record text is given as stored, enciphered or not.
    DictFileBuilder& RecordText(std::string_view text) {
        dictfile::WriteRecord(m_bytes, text);
        return *this;
    }
    // Five reserved words, then bytes as they stand in place of the counted string.
    DictFileBuilder& RawRecord(std::string_view countedString) {
        for (int i = 0; i < CDictEntry::kReservedWords; ++i) dictfile::WriteInt32(m_bytes, 0);
        m_bytes << countedString;
        return *this;
    }
    std::string Bytes() const { return m_bytes.str(); }

    void WriteTo(const std::filesystem::path& path, std::size_t cutTo = std::string::npos) const {
        const std::string bytes = Bytes();
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::min(cutTo, bytes.size()));
    }

private:
    std::ostringstream m_bytes;
};

// Little-endian bytes of value, for writing length forms by hand.
template <typename T>
std::string LittleEndian(T value) {
    std::string bytes(sizeof(T), '\0');
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = static_cast<char>(static_cast<std::uint64_t>(value) >> (8 * i));
    }
    return bytes;
}
