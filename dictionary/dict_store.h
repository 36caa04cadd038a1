// CDictStore: the dictionary in memory, every entry of the dictionary file in file order.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dict_entry.h"
#include "dictionary/result_list.h"

class CArchiveReader;

class CDictStore {
public:
    CDictStore() = default;
    CDictStore(const CDictStore&) = delete;
    CDictStore& operator=(const CDictStore&) = delete;

    // Reads the dictionary file at path (a file name as platform/file_name.h holds it) and
    // appends its entries. Throws CFileError when the file cannot be opened (the message names
    // path), when it ends inside the record count or a record ("an unnamed file"), or after the
    // last record when some records did not decipher (Cause::damaged, naming path). The store then
    // keeps every entry that was read in full; undecipherable records are left out.
    void LoadFile(const std::string& path);

    // Reads the signed 32-bit record count and that many records (none for a count of 0 or
    // below), appending each entry once it was read in full. Returns the number of records that
    // did not decipher and were left out. Archive failures throw CFileError.
    long ReadEntries(CArchiveReader& archive);

    // Every entry whose English or Chinese text contains query, ignoring letter case under the
    // rules of code page 936: first the entries in which one of the texts begins with the
    // query, then those that contain it only further in, each group in file order. An empty
    // query finds every entry. The results point into the store: they stay valid until the
    // store is destroyed or loads again.
    CResultList Search(std::string_view query) const;

    std::size_t size() const { return m_entries.size(); }
    const std::vector<CDictEntry>& entries() const { return m_entries; }

private:
    std::vector<CDictEntry> m_entries;
};
