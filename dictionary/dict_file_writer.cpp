#include "dictionary/dict_file_writer.h"

#include <stdexcept>

#include "crypto/stored_text.h"
#include "dictionary/dict_entry.h"
#include "text/mbcs.h"

namespace dictfile {

namespace {

template <typename T>
void WriteLittleEndian(std::ostream& out, T value) {
    char bytes[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = static_cast<char>(static_cast<std::uint64_t>(value) >> (8 * i));
    }
    out.write(bytes, sizeof bytes);
}

}  // namespace

void WriteInt32(std::ostream& out, std::int32_t value) {
    WriteLittleEndian(out, static_cast<std::uint32_t>(value));
}

void WriteCountedString(std::ostream& out, std::string_view bytes) {
    const std::size_t n = bytes.size();
    if (n < 0xFF) {
        WriteLittleEndian<std::uint8_t>(out, static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        WriteLittleEndian<std::uint8_t>(out, 0xFF);
        WriteLittleEndian<std::uint16_t>(out, static_cast<std::uint16_t>(n));
    } else {
        WriteLittleEndian<std::uint8_t>(out, 0xFF);
        WriteLittleEndian<std::uint16_t>(out, 0xFFFF);
        WriteLittleEndian<std::uint32_t>(out, static_cast<std::uint32_t>(n));
    }
    out.write(bytes.data(), static_cast<std::streamsize>(n));
}

std::string MakeRecordText(std::string_view key, std::string_view english,
                           std::string_view chinese) {
    if (key.size() != CDictEntry::kKeyLength || key.find('\0') != std::string_view::npos) {
        throw std::invalid_argument("a record key is 7 bytes, none of them zero");
    }
    std::string plain(english);
    plain += CDictEntry::kSeparator;
    plain += chinese;
    if (mbcs::FindOnBoundary(plain, CDictEntry::kSeparator) != english.size()) {
        throw std::invalid_argument("the English text must not hold \"|||\" or end in \"|\"");
    }
    return std::string(key) + MakeStoredText(key, plain);
}

void WriteRecord(std::ostream& out, std::string_view recordText) {
    for (int i = 0; i < CDictEntry::kReservedWords; ++i) WriteInt32(out, 0);
    WriteCountedString(out, recordText);
}

}  // namespace dictfile
