#include "dictionary/dict_entry.h"

#include <stdexcept>
#include <string_view>

#include "crypto/cipher_method_set.h"
#include "dictionary/archive_reader.h"
#include "platform/mbcs.h"

bool CDictEntry::ReadRecord(CArchiveReader& archive) {
    for (int i = 0; i < kReservedWords; ++i) archive.ReadInt32();
    const std::string text = archive.ReadCountedString();
    if (text.size() <= kKeyLength) return true;

    const std::string_view view(text);
    std::string plain;
    try {
        plain = TheCipherMethodSet().TextCipher(CCipherMethodSet::kTea, view.substr(0, kKeyLength),
                                                view.substr(kKeyLength));
    } catch (const std::runtime_error&) {
        return false;
    }

    const std::size_t separator = mbcs::FindOnBoundary(plain, kSeparator);
    if (separator == std::string::npos) return true;
    english.assign(plain, 0, separator);
    chinese.assign(plain, separator + std::string_view(kSeparator).size());
    return true;
}
