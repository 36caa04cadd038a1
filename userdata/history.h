// The history: every search that ran, newest first, at most kMaxEntries (the oldest go), in the
// file history.tsv of the data folder (FORMAT.md). Each call is one read or one transaction of
// userdata/list_file.h, and throws CUserDataError as that says. Whether searches are recorded at
// all is the caller's setting.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "userdata/list_file.h"
#include "userdata/utc_time.h"

struct CHistoryEntry {
    std::string query;  // code page 936, as it was searched for
    std::chrono::sys_seconds time;
    std::uint64_t results;
};

class CHistory {
public:
    static constexpr char kFileName[] = "history.tsv";
    static constexpr std::size_t kMaxEntries = 1000;

    // The history of the data folder folder (userdata/data_folder.h).
    explicit CHistory(const std::string& folder,
                      std::chrono::milliseconds lockWait = kDefaultLockWait);

    const std::string& path() const { return m_path; }

    // The newest kMaxEntries searches.
    CListRead<CHistoryEntry> Read() const;

    // Puts a search for query that found results entries, at time, first; the oldest go beyond
    // kMaxEntries. An empty query records nothing (count 0). Throws CUserDataError
    // (Cause::badText) for a query that is too long, holds U+0000 or is no code page 936 text.
    CListChange Add(std::string_view query, std::uint64_t results,
                    std::chrono::sys_seconds time = UtcNow()) const;

    // Forgets every search; count is how many there were.
    CListChange Clear() const;

private:
    std::string m_path;
    std::chrono::milliseconds m_lockWait;
};
