// CDictEntry: one pair of the dictionary, an English text and its Chinese counterpart.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class CArchiveReader;

class CDictEntry {
public:
    // The three bytes that part the English text from the Chinese text in a record's plain text.
    static constexpr char kSeparator[] = "|||";
    // A record: kReservedWords 32-bit words, then the counted record text, whose first
    // kKeyLength bytes are the record's key.
    static constexpr int kReservedWords = 5;
    static constexpr std::size_t kKeyLength = 7;

    // Reads one record: five ignored 32-bit words and the counted record text, whose first 7
    // bytes are the record's key and whose rest is the hexadecimal text of the enciphered pair.
    // The pair is split at the first separator that starts on a character boundary; a plain
    // text without one, or a record text of 7 bytes or fewer, leaves both texts empty.
    // Appended to texts: the English text, a zero byte, the Chinese text, a zero byte (texts
    // hold no zero byte: a plain text ends before its first one); english and chinese view the
    // two texts there, valid until texts changes again.
    // Returns false, appending nothing, when the hexadecimal text does not decipher (not a
    // whole number of 8-byte blocks, or a character that is no uppercase hexadecimal digit).
    // Archive failures throw CFileError and append nothing either.
    bool ReadRecord(CArchiveReader& archive, std::string& texts);

    // Code page 936 byte strings, as the file holds them. In a CDictStore they view the
    // store's texts, with the letter case as loaded.
    std::string_view english;
    std::string_view chinese;

private:
    // Appends the two texts, each with a zero byte after it, to texts and views them there, or
    // throws std::bad_alloc and appends nothing. Returns true.
    bool AppendPair(std::string_view englishText, std::string_view chineseText, std::string& texts);
};
