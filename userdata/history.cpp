#include "userdata/history.h"

#include <charconv>

#include "text/mbcs.h"
#include "userdata/term_text.h"

namespace {

struct HistoryFormat {
    using Record = CHistoryEntry;
    static constexpr std::string_view kVersionLine = "# garment-dictionary history 1";

    static std::optional<Record> Parse(std::vector<std::string>& fields) {
        Record record;
        if (fields.size() != 3 || CheckUtf8Text(fields[0], kQueryTextRule, &record.query)) {
            return std::nullopt;
        }
        const std::optional<std::chrono::sys_seconds> time = ParseUtcTime(fields[1]);
        const std::string& count = fields[2];
        const char* end = count.data() + count.size();
        const auto [stop, error] = std::from_chars(count.data(), end, record.results);
        if (!time || count.empty() || error != std::errc() || stop != end) return std::nullopt;
        record.time = *time;
        return record;
    }

    static std::vector<std::string> Fields(const Record& record) {
        return {mbcs::ToUtf8(record.query), FormatUtcTime(record.time),
                std::to_string(record.results)};
    }
};

void KeepNewest(std::vector<CHistoryEntry>& entries) {
    if (entries.size() > CHistory::kMaxEntries) entries.resize(CHistory::kMaxEntries);
}

}  // namespace

CHistory::CHistory(const std::string& folder, std::chrono::milliseconds lockWait)
    : m_path(folder + "/" + kFileName), m_lockWait(lockWait) {}

CListRead<CHistoryEntry> CHistory::Read() const {
    CListRead<CHistoryEntry> read = CListFile<HistoryFormat>(m_path, m_lockWait).Read();
    KeepNewest(read.records);
    return read;
}

CListChange CHistory::Add(std::string_view query, std::uint64_t results,
                          std::chrono::sys_seconds time) const {
    if (query.empty()) return {};
    Utf8OfText(query, kQueryTextRule, "the query");
    CListChange result;
    result.damage = CListFile<HistoryFormat>(m_path, m_lockWait)
                        .Change([&](std::vector<CHistoryEntry>& entries) {
                            entries.insert(entries.begin(), {std::string(query), time, results});
                            KeepNewest(entries);
                            result.count = 1;
                            return true;
                        })
                        .damage;
    return result;
}

CListChange CHistory::Clear() const {
    CListChange result;
    result.damage = CListFile<HistoryFormat>(m_path, m_lockWait)
                        .Change([&](std::vector<CHistoryEntry>& entries) {
                            result.count = entries.size();
                            entries.clear();
                            return true;
                        })
                        .damage;
    return result;
}
