#include "userdata/word_book.h"

#include <algorithm>

#include "text/mbcs.h"
#include "userdata/term_text.h"

namespace {

// The dictionary's own texts, which may be longer than an own term.
constexpr CTextRule kEntryTextRule{true, false, 1000};

struct WordBookFormat {
    using Record = CWordBookEntry;
    static constexpr std::string_view kVersionLine = "# garment-dictionary word book 1";

    static std::optional<Record> Parse(std::vector<std::string>& fields) {
        Record record;
        if (fields.size() != 3 || CheckUtf8Text(fields[0], kEntryTextRule, &record.english) ||
            CheckUtf8Text(fields[1], kEntryTextRule, &record.chinese)) {
            return std::nullopt;
        }
        const std::optional<std::chrono::sys_seconds> added = ParseUtcTime(fields[2]);
        if (!added) return std::nullopt;
        record.added = *added;
        return record;
    }

    static std::vector<std::string> Fields(const Record& record) {
        return {mbcs::ToUtf8(record.english), mbcs::ToUtf8(record.chinese),
                FormatUtcTime(record.added)};
    }
};

bool SamePair(const CWordBookEntry& entry, std::string_view english, std::string_view chinese) {
    return entry.english == english && entry.chinese == chinese;
}

}  // namespace

CWordBook::CWordBook(const std::string& folder, std::chrono::milliseconds lockWait)
    : m_path(folder + "/" + kFileName), m_lockWait(lockWait) {}

CListRead<CWordBookEntry> CWordBook::Read() const {
    return CListFile<WordBookFormat>(m_path, m_lockWait).Read();
}

CListChange CWordBook::Add(std::string_view english, std::string_view chinese,
                           std::chrono::sys_seconds added) const {
    Utf8OfText(english, kEntryTextRule, "the English text");
    Utf8OfText(chinese, kEntryTextRule, "the Chinese text");
    CListChange result;
    result.damage = CListFile<WordBookFormat>(m_path, m_lockWait)
                        .Change([&](std::vector<CWordBookEntry>& entries) {
                            if (std::any_of(entries.begin(), entries.end(), [&](const auto& entry) {
                                    return SamePair(entry, english, chinese);
                                })) {
                                return false;
                            }
                            entries.insert(entries.begin(),
                                           {std::string(english), std::string(chinese), added});
                            result.count = 1;
                            return true;
                        })
                        .damage;
    return result;
}

CListChange CWordBook::Remove(std::string_view english, std::string_view chinese) const {
    CListChange result;
    result.damage = CListFile<WordBookFormat>(m_path, m_lockWait)
                        .Change([&](std::vector<CWordBookEntry>& entries) {
                            result.count = std::erase_if(entries, [&](const auto& entry) {
                                return SamePair(entry, english, chinese);
                            });
                            return result.count > 0;
                        })
                        .damage;
    return result;
}
