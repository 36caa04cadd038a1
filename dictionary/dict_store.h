// CDictStore: the dictionary in memory, every entry of the dictionary file in file order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
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

    // Appends an entry of the code page 936 texts english and chinese from memory (the store
    // keeps its own copies; the texts must not view the store's own), as if it had been read
    // from a file. Throws std::invalid_argument
    // when a text holds a zero byte, std::bad_alloc when memory runs out: the store is then as it
    // was. Like loading, it ends the validity of earlier results.
    void AddEntry(std::string_view english, std::string_view chinese);

    // Every entry whose English or Chinese text contains query, ignoring letter case under the
    // rules of code page 936: first the entries in which one of the texts begins with the
    // query, then those that contain it only further in, each group in file order. An empty
    // query finds every entry. The results point into the store: they stay valid until the
    // store is destroyed or loads again.
    CResultList Search(std::string_view query) const;
    // The same search, telling in prefixCount how many of the first results are those in which
    // one of the texts begins with the query.
    CResultList Search(std::string_view query, std::size_t& prefixCount) const;

    std::size_t size() const { return m_entries.size(); }
    // Every entry in file order. Their texts view the store's own memory: they stay valid
    // until the store is destroyed or loads again.
    const std::vector<CDictEntry>& entries() const { return m_entries; }

private:
    // Makes room, when the file tells its size, for count records in bytesLeft bytes at most,
    // so that the entries and their texts are not copied as they grow.
    void ReserveFor(std::uint32_t count, std::optional<std::uint64_t> bytesLeft);
    // Points every entry at its texts again when m_texts no longer begins at textsBefore.
    void PointEntriesAtTexts(const char* textsBefore);

    // The texts of all entries as loaded, one after the other in entry order, each followed by
    // a zero byte: the English text, 0, the Chinese text, 0 of each entry. A search reads them
    // in one forward pass; as no text holds a zero byte, a match never runs from one text into
    // the next, and the byte before a text always ends a character.
    std::string m_texts;
    std::vector<CDictEntry> m_entries;
};
