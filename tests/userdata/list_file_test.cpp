// The list files underneath every list: their escapes, damaged files, files of a later format,
// the lock, and saves that fail.
#include <gtest/gtest.h>

#include "text/mbcs.h"
#include "tests/support/temp_dir.h"
#include "tests/userdata/user_data_files.h"
#include "userdata/file_lock.h"
#include "userdata/own_terms.h"
#include "userdata/safe_save.h"
#include "userdata/tsv_fields.h"
#include "userdata/word_book.h"

namespace {

using namespace std::chrono_literals;

TEST(TsvFields, EscapeAndSplit) {
    const struct {
        const char* line;
        CEscapes escapes;
        std::optional<std::vector<std::string>> fields;
    } cases[] = {
        {"a\tb", CEscapes::strict, {{"a", "b"}}},
        {"", CEscapes::strict, {{""}}},
        {"\t", CEscapes::strict, {{"", ""}}},
        {"x\\ty\\\\\\r\\n", CEscapes::strict, {{"x\ty\\\r\n"}}},
        {"C:\\path", CEscapes::strict, std::nullopt},
        {"C:\\path", CEscapes::lenient, {{"C:\\path"}}},
        {"end\\", CEscapes::strict, std::nullopt},
        {"end\\", CEscapes::lenient, {{"end\\"}}},
        {"raw\rCR", CEscapes::strict, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitLine(c.line, c.escapes), c.fields) << c.line;

    const std::vector<std::string> fields = {"tab\there", "\\n is not LF", "CR\r LF\n", ""};
    std::string line;
    AppendLine(line, fields);
    EXPECT_EQ(line, "tab\\there\t\\\\n is not LF\tCR\\r LF\\n\t\n");
    line.pop_back();
    EXPECT_EQ(SplitLine(line, CEscapes::strict), fields);
}

constexpr char kTermsVersion[] = "# garment-dictionary own terms 1\n";

// A damaged file: the lines that parse are used, the file as it was is kept aside, the file is
// rewritten with the good lines and the damage is told once.
TEST(ListFile, DamagedFilesAreKeptAsideAndTheGoodLinesUsed) {
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> english;
        std::vector<long> lines;  // empty: not damaged
    } cases[] = {
        {"good", std::string(kTermsVersion) + "a\tb\n\nc\td\tnote\n", {"a", "c"}, {}},
        {"byte order mark and CR LF",
         "\xEF\xBB\xBF# garment-dictionary own terms 1\r\na\tb\r\n",
         {"a"},
         {}},
        {"no version line", "a\tb\nc\td\n", {"a", "c"}, {1}},
        {"version line of another list", "# garment-dictionary history 1\na\tb\n", {"a"}, {1}},
        {"bad lines",
         std::string(kTermsVersion) + "a\tb\nonly one field\nc\td\te\tf\ng\th\n",
         {"a", "g"},
         {3, 4}},
        {"bad UTF-8", std::string(kTermsVersion) + "a\t\xE8\xA1\n\xFF\tx\nc\td\n", {"c"}, {2, 3}},
        {"bad escape", std::string(kTermsVersion) + "a\\x\tb\nc\td\n", {"c"}, {2}},
        {"cut in a line", std::string(kTermsVersion) + "a\tb\nc\t", {"a"}, {3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempDir dir;
        WriteText(dir / "own_terms.tsv", c.text);
        const COwnTerms terms(dir.path().string());
        const CListRead<COwnTerm> read = terms.Read();
        std::vector<std::string> english;
        for (const COwnTerm& term : read.records) english.push_back(term.english);
        EXPECT_EQ(english, c.english);
        const std::vector<std::string> kept =
            NamesStartingWith(dir.path(), "own_terms.tsv.damaged-");
        if (c.lines.empty()) {
            EXPECT_FALSE(read.damage);
            EXPECT_TRUE(kept.empty());
            EXPECT_EQ(FileText(dir / "own_terms.tsv"), c.text);
            continue;
        }
        ASSERT_TRUE(read.damage);
        EXPECT_EQ(read.damage->lines, c.lines);
        // Compared as paths: on Windows the folder and the name may be joined by either separator.
        EXPECT_EQ(std::filesystem::path(read.damage->file), dir / "own_terms.tsv");
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(std::filesystem::path(read.damage->keptAs), dir / kept[0]);
        EXPECT_EQ(kept[0].size(), std::string("own_terms.tsv.damaged-20240501-083000").size());
        EXPECT_EQ(FileText(dir / kept[0]), c.text);
        EXPECT_EQ(FileText(dir / "own_terms.tsv").rfind(kTermsVersion, 0), 0u);
        const CListRead<COwnTerm> again = terms.Read();
        EXPECT_FALSE(again.damage);
        EXPECT_EQ(again.records.size(), read.records.size());
    }
}

TEST(ListFile, ADamagedFileMeetsAChangeWithItsCopyKept) {
    const TempDir dir;
    const std::string damaged = "# garment-dictionary word book 1\nshirt\t衬衫\tyesterday\n";
    WriteText(dir / "word_book.tsv", damaged);
    const CWordBook book(dir.path().string());
    const CListChange change = book.Add("collar", mbcs::FromUtf8("领子").value());
    ASSERT_TRUE(change.damage);
    EXPECT_EQ(change.damage->lines, std::vector<long>{2});
    EXPECT_EQ(FileText(change.damage->keptAs), damaged);
    EXPECT_EQ(book.Read().records.size(), 1u);
    // A second damage within the same second gets a name of its own.
    WriteText(dir / "word_book.tsv", damaged);
    EXPECT_NE(book.Read().damage->keptAs, change.damage->keptAs);
    EXPECT_EQ(NamesStartingWith(dir.path(), "word_book.tsv.damaged-").size(), 2u);
}

TEST(ListFile, AFileOfALaterFormatIsNeverTouched) {
    const TempDir dir;
    const std::string later = "# garment-dictionary own terms 2\nshirt\t衬衫\tx\ty\n";
    WriteText(dir / "own_terms.tsv", later);
    const COwnTerms terms(dir.path().string());
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            attempt == 0 ? (void)terms.Read() : (void)terms.Add({"a", "b", ""});
            ADD_FAILURE() << "read a file of a later format";
        } catch (const CUserDataError& error) {
            EXPECT_EQ(error.cause(), CUserDataError::Cause::newerFormat);
        }
    }
    EXPECT_EQ(FileText(dir / "own_terms.tsv"), later);
    EXPECT_TRUE(NamesStartingWith(dir.path(), "own_terms.tsv.damaged-").empty());
}

TEST(ListFile, AChangeWaitsForTheLockAndGivesUp) {
    const TempDir dir;
    const COwnTerms terms(dir.path().string(), 200ms);
    {
        const CFileLock held((dir / "own_terms.tsv.lock").string(), 0ms);
        try {
            terms.Add({"a", "b", ""});
            ADD_FAILURE() << "changed a locked list";
        } catch (const CUserDataError& error) {
            EXPECT_EQ(error.cause(), CUserDataError::Cause::locked);
            EXPECT_NE(std::string(error.what()).find("own_terms.tsv.lock"), std::string::npos);
        }
        EXPECT_FALSE(std::filesystem::exists(dir / "own_terms.tsv"));
        EXPECT_EQ(terms.Read().records.size(), 0u);  // reading needs no lock
    }
    EXPECT_EQ(terms.Add({"a", "b", ""}).outcome, COwnTermOutcome::added);
}

TEST(SafeSave, FailuresAreReportedAndLeaveNothingBehind) {
    const TempDir dir;
    std::filesystem::create_directories(dir / "folder" / "inside");
    const struct {
        const char* name;
        std::string path;
    } cases[] = {
        {"missing folder", (dir / "missing" / "file").string()},
        {"a folder in the way", (dir / "folder").string()},
    };
    for (const auto& c : cases) {
        EXPECT_THROW(SaveFileSafely(c.path, "text"), CUserDataError) << c.name;
    }
    EXPECT_TRUE(NamesStartingWith(dir.path(), "folder.saving-").empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder" / "inside"));

    // A list whose folder cannot be made is not changed, and says so.
    WriteText(dir / "plain", "a file");
    EXPECT_THROW(COwnTerms((dir / "plain" / "data").string()).Add({"a", "b", ""}), CUserDataError);

    SaveFileSafely((dir / "new").string(), "first");
    SaveFileSafely((dir / "new").string(), "second");
    EXPECT_EQ(FileText(dir / "new"), "second");
    EXPECT_TRUE(NamesStartingWith(dir.path(), "new.saving-").empty());
}

}  // namespace
