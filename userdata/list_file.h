// The list files of the user's data folder, and the one way in which they are read and changed.
//
// A list file is UTF-8 text (FORMAT.md): a version line, then one record a line, its fields
// parted by TAB and escaped as userdata/tsv_fields.h says. Reading it keeps every line that
// parses. A damaged file (a version line of another kind, a line that does not parse, bad UTF-8)
// is first kept aside whole as NAME.damaged-YYYYMMDD-HHMMSS (the time in UTC), then rewritten
// with the lines that parsed, and the caller gets a CDamageReport; it is never replaced without
// that copy, and the copy is never removed. A file whose version line names a later version of
// its format is never touched: reading it throws. A missing file is an empty list.
//
// Every change is one transaction under the file's lock (userdata/file_lock.h): lock, read the
// file again, apply the change, save it safely (userdata/safe_save.h), unlock. So a change that
// another process saved meanwhile is kept, and two writers never overwrite each other's changes.
#pragma once

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "userdata/file_bytes.h"
#include "userdata/file_lock.h"
#include "userdata/safe_save.h"
#include "userdata/user_data_error.h"

// How long a change waits for a lock that another process holds.
inline constexpr std::chrono::milliseconds kDefaultLockWait{10'000};

// A list file that was damaged when it was read.
struct CDamageReport {
    std::string file;         // the list file
    std::string keptAs;       // the copy of it as it was; empty when it could not be made, and
                              // then the file was left as it was
    std::string keepFailure;  // why the copy could not be made
    std::vector<long> lines;  // the lines that did not parse, in order; 1 is the version line
};

// A list as read: its records in file order, and the report when the file was damaged.
template <class Record>
struct CListRead {
    std::vector<Record> records;
    std::optional<CDamageReport> damage;
};

// What a change did: the number of records it added, changed or removed, and the report when
// the file was damaged (the change then applied to the lines that parsed).
struct CListChange {
    std::size_t count = 0;
    std::optional<CDamageReport> damage;
};

namespace listfile {

// The record lines of a list file's bytes, split and unescaped.
struct CSplitLines {
    std::vector<std::pair<long, std::vector<std::string>>> rows;  // line number, fields
    std::vector<long> damaged;  // lines that did not split, or were no UTF-8 text
};

// Splits the bytes of the list file path, whose first line should be versionLine, whose last
// word is the version number. Throws CUserDataError (Cause::newerFormat) when the first line is
// versionLine with a higher number. A UTF-8 byte order mark before the first line and empty
// lines are passed over; a first line of another kind is a damaged line, and is read as a record
// line too.
CSplitLines Split(std::string_view bytes, std::string_view versionLine, const std::string& path);

// Saves records (as their fields) under versionLine as the file path.
void Save(const std::string& path, std::string_view versionLine,
          const std::vector<std::vector<std::string>>& records);

// Keeps bytes, which path held, as path.damaged-STAMP (another name when that exists); returns
// that name. Throws CUserDataError when it cannot.
std::string KeepAside(const std::string& path, std::string_view bytes);

// Creates the folder of path when it is missing. Throws CUserDataError when it cannot.
void CreateFolderOf(const std::string& path);

}  // namespace listfile

// One list file of Format, which gives:
//   using Record = ...;
//   static constexpr std::string_view kVersionLine;
//   static std::optional<Record> Parse(std::vector<std::string>& fields);  // nullopt: damaged
//   static std::vector<std::string> Fields(const Record& record);
template <class Format>
class CListFile {
public:
    using Record = typename Format::Record;

    CListFile(std::string path, std::chrono::milliseconds lockWait)
        : m_path(std::move(path)), m_lockWait(lockWait) {}

    const std::string& path() const { return m_path; }

    // The list as the file holds it now. A damaged file is repaired in a transaction of its
    // own; when that fails (a folder that cannot be written) the report says why, and the lines
    // that parsed are given all the same. Throws CUserDataError when the file cannot be read or
    // is of a later format.
    CListRead<Record> Read() const {
        const std::optional<std::string> bytes = ReadFileBytes(m_path);
        if (!bytes) return {};
        CListRead<Record> read = Parse(*bytes);
        if (!read.damage) return read;
        try {
            return Change([](std::vector<Record>&) { return false; });
        } catch (const CUserDataError& error) {
            if (error.cause() == CUserDataError::Cause::newerFormat) throw;
            read.damage->keepFailure = error.what();
            return read;
        }
    }

    // One transaction: calls change(records) with the records as the file holds them under the
    // lock, and saves them when it returns true (or when the file was damaged). Returns the
    // records as saved. Throws CUserDataError when the folder, the lock, the file, the copy of a
    // damaged file or the save fails, and whatever change throws: the file then holds what it
    // held before.
    template <class Apply>
    CListRead<Record> Change(Apply&& change) const {
        listfile::CreateFolderOf(m_path);
        const CFileLock lock(m_path + ".lock", m_lockWait);
        RemoveStaleSaves(m_path);
        const std::optional<std::string> bytes = ReadFileBytes(m_path);
        CListRead<Record> read = bytes ? Parse(*bytes) : CListRead<Record>{};
        if (read.damage) read.damage->keptAs = listfile::KeepAside(m_path, *bytes);
        if (change(read.records) || read.damage) {
            std::vector<std::vector<std::string>> fields;
            fields.reserve(read.records.size());
            for (const Record& record : read.records) fields.push_back(Format::Fields(record));
            listfile::Save(m_path, Format::kVersionLine, fields);
        }
        return read;
    }

private:
    CListRead<Record> Parse(std::string_view bytes) const {
        listfile::CSplitLines split = listfile::Split(bytes, Format::kVersionLine, m_path);
        CListRead<Record> read;
        read.records.reserve(split.rows.size());
        for (auto& [line, fields] : split.rows) {
            std::optional<Record> record = Format::Parse(fields);
            if (record) {
                read.records.push_back(*std::move(record));
            } else {
                split.damaged.push_back(line);
            }
        }
        if (!split.damaged.empty()) {
            std::sort(split.damaged.begin(), split.damaged.end());
            split.damaged.erase(std::unique(split.damaged.begin(), split.damaged.end()),
                                split.damaged.end());
            read.damage = CDamageReport{m_path, {}, {}, std::move(split.damaged)};
        }
        return read;
    }

    std::string m_path;
    std::chrono::milliseconds m_lockWait;
};
