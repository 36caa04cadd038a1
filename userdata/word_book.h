// The word book: the dictionary entries that the user keeps, newest first, in the file
// word_book.tsv of the data folder (FORMAT.md). Each call is one read or one transaction of
// userdata/list_file.h, and throws CUserDataError as that says.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "userdata/list_file.h"
#include "userdata/utc_time.h"

struct CWordBookEntry {
    std::string english;  // code page 936, as the dictionary holds it
    std::string chinese;  // code page 936
    std::chrono::sys_seconds added;
};

class CWordBook {
public:
    static constexpr char kFileName[] = "word_book.tsv";

    // The word book of the data folder folder (userdata/data_folder.h).
    explicit CWordBook(const std::string& folder,
                       std::chrono::milliseconds lockWait = kDefaultLockWait);

    const std::string& path() const { return m_path; }

    CListRead<CWordBookEntry> Read() const;

    // Puts the entry english, chinese first in the book, added at added. Count 0, and nothing
    // saved, when the book holds that pair already. Throws CUserDataError (Cause::badText) for a
    // text that is empty, too long, holds a control character or is no code page 936 text.
    CListChange Add(std::string_view english, std::string_view chinese,
                    std::chrono::sys_seconds added = UtcNow()) const;

    // Takes the entry english, chinese out of the book; count 0 when it was not there.
    CListChange Remove(std::string_view english, std::string_view chinese) const;

private:
    std::string m_path;
    std::chrono::milliseconds m_lockWait;
};
