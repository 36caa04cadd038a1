#include "dictionary/dict_entry.h"

#include <algorithm>
#include <stdexcept>

#include "crypto/cipher_method_set.h"
#include "dictionary/archive_reader.h"
#include "text/mbcs.h"

bool CDictEntry::ReadRecord(CArchiveReader& archive, std::string& texts) {
    for (int i = 0; i < kReservedWords; ++i) archive.ReadInt32();
    const std::string text = archive.ReadCountedString();
    english = chinese = std::string_view();
    if (text.size() <= kKeyLength) return AppendPair({}, {}, texts);

    const std::string_view view(text);
    std::string plain;
    try {
        plain = TheCipherMethodSet().TextCipher(CCipherMethodSet::kTea, view.substr(0, kKeyLength),
                                                view.substr(kKeyLength));
    } catch (const std::runtime_error&) {
        return false;
    }

    const std::size_t separator = mbcs::FindOnBoundary(plain, kSeparator);
    if (separator == std::string::npos) return AppendPair({}, {}, texts);
    const std::string_view pair(plain);
    return AppendPair(pair.substr(0, separator),
                      pair.substr(separator + std::string_view(kSeparator).size()), texts);
}

bool CDictEntry::AppendPair(std::string_view englishText, std::string_view chineseText,
                            std::string& texts) {
    // Room first, growing geometrically, so that the appends below cannot fail halfway.
    const std::size_t size = texts.size() + englishText.size() + chineseText.size() + 2;
    if (size > texts.capacity()) texts.reserve(std::max(size, 2 * texts.capacity()));
    const std::size_t start = texts.size();
    texts.append(englishText).push_back('\0');
    texts.append(chineseText).push_back('\0');
    english = std::string_view(texts).substr(start, englishText.size());
    chinese = std::string_view(texts).substr(start + englishText.size() + 1, chineseText.size());
    return true;
}
