// Loading dictionary files: record forms, separators, truncation and open failures.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <atomic>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "crypto/cipher_method_set.h"
#include "crypto/stored_text.h"
#include "crypto/text_cipher_key.h"
#include "dictionary/archive_reader.h"
#include "dictionary/dict_store.h"
#include "dictionary/file_error.h"
#include "files/file_name.h"
#include "tests/support/dict_file_builder.h"
#include "tests/support/temp_dir.h"

namespace {

using Pair = std::pair<std::string, std::string>;

std::vector<Pair> PairsOf(const CDictStore& store) {
    std::vector<Pair> pairs;
    for (const CDictEntry& entry : store.entries())
        pairs.emplace_back(entry.english, entry.chinese);
    return pairs;
}

class LoaderTest : public ::testing::Test {
protected:
    // Loads builder's file; returns the message of the CFileError it threw, or "".
    std::string Load(const DictFileBuilder& builder, std::size_t cutTo = std::string::npos) {
        builder.WriteTo(m_dir / "test.dat", cutTo);
        return LoadPath((m_dir / "test.dat").string());
    }
    std::string LoadPath(const std::string& path) {
        try {
            m_store.LoadFile(path);
        } catch (const CFileError& error) {
            return error.what();
        }
        return "";
    }

    TempDir m_dir;
    CDictStore m_store;
};

TEST_F(LoaderTest, KeepsFileOrderAndDuplicates) {
    DictFileBuilder file;
    file.Count(4)
        .Pair("shirt", "\xB3\xC4\xC9\xC0")
        .Pair("button", "\xC5\xA6\xBF\xDB", "AbCdEfG")
        .Pair("shirt", "\xB3\xC4\xC9\xC0")
        .Pair("", "");
    EXPECT_EQ(Load(file), "");
    EXPECT_EQ(PairsOf(m_store), (std::vector<Pair>{{"shirt", "\xB3\xC4\xC9\xC0"},
                                                   {"button", "\xC5\xA6\xBF\xDB"},
                                                   {"shirt", "\xB3\xC4\xC9\xC0"},
                                                   {"", ""}}));
}

TEST_F(LoaderTest, ASecondFileAddsItsEntriesAfterTheFirst) {
    // The entries view the store's memory for their texts, which the second load moves.
    DictFileBuilder first;
    first.Count(2).Pair("yoke", "\xB5\xB2").Pair("", "");
    EXPECT_EQ(Load(first), "");
    DictFileBuilder second;
    second.Count(300);
    std::vector<Pair> expected = PairsOf(m_store);
    for (int i = 0; i < 300; ++i) {
        expected.emplace_back("gusset " + std::to_string(i), "\xC9\xC0");
        second.Pair(expected.back().first, expected.back().second);
    }
    EXPECT_EQ(Load(second), "");
    EXPECT_EQ(PairsOf(m_store), expected);
    EXPECT_EQ(m_store.Search("YOKE").front(), &m_store.entries()[0]);
}

TEST_F(LoaderTest, ReadsAStreamThatDoesNotTellItsSize) {
    // Without the size to make room beforehand, the texts move as they grow.
    DictFileBuilder file;
    file.Count(500);
    std::vector<Pair> expected;
    for (int i = 0; i < 500; ++i) {
        expected.emplace_back("dart " + std::to_string(i), std::string(i % 7, '\xB2'));
        file.Pair(expected.back().first, expected.back().second);
    }
#ifdef _WIN32
    // A pipe of the system's, written by a thread of the test's own. The thread is joined after
    // the pipe's reading end is closed, so it never waits for a reader that stopped.
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, nullptr, 0));
    const std::string bytes = file.Bytes();
    std::jthread writer;
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(
        _fdopen(_open_osfhandle(reinterpret_cast<intptr_t>(readEnd), _O_RDONLY | _O_BINARY), "rb"),
        &fclose);
    writer = std::jthread([writeEnd, &bytes] {
        DWORD written = 0;
        WriteFile(writeEnd, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(writeEnd);
    });
#else
    file.WriteTo(m_dir / "piped.dat");
    const std::string command = "cat '" + (m_dir / "piped.dat").string() + "'";
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), &pclose);
#endif
    ASSERT_TRUE(pipe);
    CArchiveReader archive(pipe.get());
    ASSERT_FALSE(archive.BytesLeft());
    EXPECT_EQ(m_store.ReadEntries(archive), 0);
    EXPECT_EQ(PairsOf(m_store), expected);
}

TEST_F(LoaderTest, ZeroOrNegativeCountReadsNothingMore) {
    for (const std::int32_t count : {0, -1, INT32_MIN}) {
        DictFileBuilder file;
        file.Count(count).RawRecord("garbage that is never read");
        CDictStore store;
        const auto path = m_dir / "count.dat";
        file.WriteTo(path);
        EXPECT_NO_THROW(store.LoadFile(path.string())) << count;
        EXPECT_EQ(store.size(), 0u) << count;
        EXPECT_TRUE(store.Search("a").empty());
    }
}

TEST_F(LoaderTest, ShortRecordTextGivesEmptyEntryWithoutDeciphering) {
    // Seven bytes or fewer hold only a key: nothing is deciphered (an empty hexadecimal text
    // would not decipher and the record would count as damaged).
    DictFileBuilder file;
    file.Count(3).RecordText("").RecordText("ABC").RecordText("1234567");
    EXPECT_EQ(Load(file), "");
    EXPECT_EQ(PairsOf(m_store), (std::vector<Pair>(3, Pair{"", ""})));
}

TEST_F(LoaderTest, SplitsAtTheFirstSeparatorOnly) {
    DictFileBuilder file;
    file.Count(5)
        .Plain("abc|||")
        .Plain("|||x")
        .Plain("a|||b|||c")
        .Plain("no separator")
        .Plain("a||b");
    EXPECT_EQ(Load(file), "");
    EXPECT_EQ(PairsOf(m_store),
              (std::vector<Pair>{{"abc", ""}, {"", "x"}, {"a", "b|||c"}, {"", ""}, {"", ""}}));
}

TEST_F(LoaderTest, TrailByte7CDoesNotStartASeparator) {
    // 0x81 0x7C is one double-byte character; the "|" that is its trail byte and the two bars
    // after it are no separator.
    DictFileBuilder file;
    file.Count(2).Plain("\x81\x7C||x|||y").Plain("\x81\x7C||");
    EXPECT_EQ(Load(file), "");
    EXPECT_EQ(PairsOf(m_store), (std::vector<Pair>{{"\x81\x7C||x", "y"}, {"", ""}}));
}

TEST_F(LoaderTest, LengthFormsAndUtf16RecordsReadAlike) {
    const std::string key = "LenKey7";
    const std::string longEnglish(150, 'w');  // the record text passes 0xFF bytes
    const std::string shortText = key + MakeStoredText(key, "cuff|||\xD0\xE4\xBF\xDA");
    const std::string longText = key + MakeStoredText(key, longEnglish + "|||x");
    std::u16string wide(shortText.begin(), shortText.end());
    std::string wideBytes;
    for (const char16_t unit : wide) wideBytes += LittleEndian<std::uint16_t>(unit);
    const std::string longWideBytes = [&] {
        std::string bytes;
        for (const char c : longText) bytes += LittleEndian<std::uint16_t>(c);
        return bytes;
    }();

    DictFileBuilder file;
    file.Count(7)
        .RawRecord(LittleEndian<std::uint8_t>(shortText.size()) + shortText)
        .RawRecord("\xFF" + LittleEndian<std::uint16_t>(longText.size()) + longText)
        .RawRecord("\xFF\xFF\xFF" + LittleEndian<std::uint32_t>(shortText.size()) + shortText)
        .RawRecord("\xFF\xFF\xFF\xFF\xFF\xFF\xFF" + LittleEndian<std::uint64_t>(shortText.size()) +
                   shortText)
        .RawRecord("\xFF\xFE\xFF" + LittleEndian<std::uint8_t>(shortText.size()) + wideBytes)
        .RawRecord("\xFF\xFE\xFF\xFF" + LittleEndian<std::uint16_t>(longText.size()) +
                   longWideBytes)
        .RawRecord("\xFF\xFE\xFF\xFF\xFF\xFF" + LittleEndian<std::uint32_t>(shortText.size()) +
                   wideBytes);
    EXPECT_EQ(Load(file), "");
    const Pair cuff{"cuff", "\xD0\xE4\xBF\xDA"};
    const Pair longPair{longEnglish, "x"};
    EXPECT_EQ(PairsOf(m_store),
              (std::vector<Pair>{cuff, longPair, cuff, cuff, cuff, longPair, cuff}));
}

TEST_F(LoaderTest, Utf16RecordTextConvertsToCodePage936) {
    // A UTF-16 record text whose key holds Chinese characters: the key is taken from the
    // converted code page 936 bytes, as it would be from the same text stored as bytes.
    const std::string key =
        "\xB2\xBC\xC1\xCF"
        "abc";  // 布料abc
    const std::string hex = MakeStoredText(key, "fabric|||\xB2\xBC\xC1\xCF");
    std::string wideBytes = LittleEndian<std::uint16_t>(u'布') + LittleEndian<std::uint16_t>(u'料');
    for (const char c : std::string("abc") + hex) wideBytes += LittleEndian<std::uint16_t>(c);
    DictFileBuilder file;
    file.Count(1).RawRecord("\xFF\xFE\xFF" + LittleEndian<std::uint8_t>(5 + hex.size()) +
                            wideBytes);
    EXPECT_EQ(Load(file), "");
    EXPECT_EQ(PairsOf(m_store), (std::vector<Pair>{{"fabric", "\xB2\xBC\xC1\xCF"}}));
}

TEST_F(LoaderTest, HugeUtf16RecordOfUnmappableCharactersIsLeftOutAndTheNextLoads) {
    // 2 Mi characters that code page 936 cannot hold: the record text becomes question marks,
    // which do not decipher. Converting them takes a fraction of a second; work that grew with
    // the square of the length would run past the test's time limit.
    constexpr std::uint32_t kUnits = 2 * 1024 * 1024;
    std::string wideBytes;
    wideBytes.reserve(2 * kUnits);
    for (std::uint32_t i = 0; i < kUnits; ++i) wideBytes += LittleEndian<std::uint16_t>(u'\u0E01');
    DictFileBuilder file;
    file.Count(2)
        .RawRecord("\xFF\xFE\xFF\xFF\xFF\xFF" + LittleEndian<std::uint32_t>(kUnits) + wideBytes)
        .Pair("placket", "\xC3\xC5\xBD\xF3");
    EXPECT_EQ(Load(file), (m_dir / "test.dat").string() +
                              " is damaged: 1 record could not be deciphered and was left out.");
    EXPECT_EQ(PairsOf(m_store), (std::vector<Pair>{{"placket", "\xC3\xC5\xBD\xF3"}}));
}

TEST_F(LoaderTest, FileCutShortKeepsTheCompleteRecords) {
    DictFileBuilder file;
    file.Count(6);
    for (int i = 0; i < 6; ++i) file.Pair("term" + std::to_string(i), "x");
    const std::size_t recordSize = (file.Bytes().size() - 4) / 6;
    const std::string message = Load(file, 4 + 4 * recordSize + recordSize / 2);
    EXPECT_EQ(message, "An attempt was made to access an unnamed file past its end.");
    ASSERT_EQ(m_store.size(), 4u);
    EXPECT_EQ(m_store.entries()[3].english, "term3");
}

TEST_F(LoaderTest, FileCutInsideTheCountOrTheReservedWords) {
    DictFileBuilder file;
    file.Count(1).Pair("a", "b");
    for (const std::size_t cut : {0, 2, 4, 10, 24}) {
        CDictStore store;
        file.WriteTo(m_dir / "cut.dat", cut);
        try {
            store.LoadFile((m_dir / "cut.dat").string());
            ADD_FAILURE() << "no error for a file of " << cut << " bytes";
        } catch (const CFileError& error) {
            EXPECT_EQ(error.cause(), CFileError::Cause::endOfFile) << cut;
        }
        EXPECT_EQ(store.size(), 0u);
    }
}

TEST_F(LoaderTest, HugeLengthsFailWithoutReadingOrAllocating) {
    DictFileBuilder tooLong;
    tooLong.Count(2)
        .Pair("kept", "x")
        .RawRecord(std::string(7, '\xFF') + LittleEndian<std::uint64_t>(0x80000000ull));
    EXPECT_EQ(Load(tooLong), "An unknown error occurred while accessing an unnamed file.");
    EXPECT_EQ(m_store.size(), 1u);

    // A length the file cannot hold ends at the file's end, not in an allocation of 4 GB.
    DictFileBuilder claimsMore;
    claimsMore.Count(1).RawRecord("\xFF\xFF\xFF" + LittleEndian<std::uint32_t>(0xFFFFFFFEu) + "AB");
    CDictStore store;
    claimsMore.WriteTo(m_dir / "claims.dat");
    EXPECT_THROW(store.LoadFile((m_dir / "claims.dat").string()), CFileError);
}

TEST_F(LoaderTest, UndecipherableRecordsAreLeftOutAndReported) {
    DictFileBuilder file;
    file.Count(5)
        .Pair("collar", "\xC1\xEC\xD7\xD3")
        .RecordText(
            "BadKey7"
            "0123456789ABCDEF01")  // 9 bytes: not whole blocks
        .Pair("pocket", "\xBF\xDA\xB4\xFC")
        .RecordText(
            "BadKey7"
            "0123456789abcdef")  // lowercase digits
        .RecordText(
            "BadKey7"
            "0123456789ABCDEG");  // not a digit
    const std::string path = (m_dir / "damaged.dat").string();
    file.WriteTo(path);
    EXPECT_EQ(LoadPath(path), path +
                                  " is damaged: 3 records could not be deciphered and were "
                                  "left out.");
    EXPECT_EQ(PairsOf(m_store),
              (std::vector<Pair>{{"collar", "\xC1\xEC\xD7\xD3"}, {"pocket", "\xBF\xDA\xB4\xFC"}}));
}

TEST_F(LoaderTest, OpenFailuresNameThePath) {
    const std::string missing = (m_dir / "missing.dat").string();
    EXPECT_EQ(LoadPath(missing), missing + " was not found.");

    const std::string directory = m_dir.path().string();
    EXPECT_EQ(LoadPath(directory), "Access to " + directory + " was denied.");

    DictFileBuilder file;
    file.Count(0);
    file.WriteTo(m_dir / "plain.dat");
    const std::string throughFile = (m_dir / "plain.dat" / "x.dat").string();
    EXPECT_EQ(LoadPath(throughFile), throughFile + " contains an invalid path.");
    EXPECT_EQ(LoadPath(""), " contains an invalid path.");
    const std::string noFolder = (m_dir / "no folder" / "x.dat").string();
    EXPECT_EQ(LoadPath(noFolder), noFolder + " contains an invalid path.");

#ifndef _WIN32
    if (geteuid() != 0) {  // root reads files whatever their mode
        const auto locked = m_dir / "locked.dat";
        file.WriteTo(locked);
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        EXPECT_EQ(LoadPath(locked.string()), "Access to " + locked.string() + " was denied.");
    }
#endif
    EXPECT_EQ(m_store.size(), 0u);
}

#ifdef _WIN32
TEST_F(LoaderTest, AFileAnotherProgramHoldsWithoutSharingIsASharingViolation) {
    DictFileBuilder file;
    file.Count(0);
    const std::string held = (m_dir / "held.dat").string();
    file.WriteTo(held);
    const HANDLE holder = CreateFileW(PathOfName(held).c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(LoadPath(held), "A sharing violation occurred while accessing " + held + ".");
    CloseHandle(holder);
    EXPECT_EQ(LoadPath(held), "");
}
#endif

// The names the program holds (UTF-8 on Windows) reach the files under the names the system
// lists, not under those of a narrow code page.
TEST_F(LoaderTest, PathsWithSpacesAndChineseCharacters) {
    const std::string folder = m_dir.path().string() + "/服装 词典";
    std::filesystem::create_directory(PathOfName(folder));
    DictFileBuilder file;
    file.Count(1).Pair("lining", "\xC0\xEF\xB2\xBC");
    file.WriteTo(PathOfName(folder + "/词典 文件.dat"));
    const std::filesystem::directory_entry listed =
        *std::filesystem::directory_iterator(m_dir.path() / std::filesystem::path(u8"服装 词典"));
    EXPECT_EQ(listed.path().filename(), std::filesystem::path(u8"词典 文件.dat"));
    EXPECT_EQ(LoadPath(folder + "/词典 文件.dat"), "");
    EXPECT_EQ(m_store.size(), 1u);
}

TEST_F(LoaderTest, LoadsWhileAnotherThreadDeciphers) {
    // The loader re-keys the shared cipher for every record while the notice worker may
    // decipher with the program's key on its own thread.
    DictFileBuilder file;
    constexpr int kRecords = 3000;
    file.Count(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        const std::string key = "Key" + std::to_string(1000 + i % 9000);
        file.Pair("entry " + std::to_string(i), "\xD2\xC2", key);
    }
    const std::string stored = MakeStoredText(TextCipherKey, "notice text");
    std::atomic<bool> loading{true};
    std::atomic<int> wrong{0};
    std::thread worker([&] {
        while (loading) {
            if (TheCipherMethodSet().TextCipher(2, TextCipherKey, stored) != "notice text") {
                ++wrong;
            }
        }
    });
    const std::string message = Load(file);
    loading = false;
    worker.join();
    EXPECT_EQ(message, "");
    EXPECT_EQ(wrong, 0);
    ASSERT_EQ(m_store.size(), static_cast<std::size_t>(kRecords));
    for (int i = 0; i < kRecords; ++i) {
        ASSERT_EQ(m_store.entries()[i].english, "entry " + std::to_string(i));
    }
}

}  // namespace
