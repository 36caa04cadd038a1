// The three lists through their own calls: what each change does, what the files then hold, and
// what a list refuses.
#include <stdlib.h>

#include <gtest/gtest.h>

#include "text/mbcs.h"
#include "tests/support/temp_dir.h"
#include "tests/userdata/user_data_files.h"
#include "userdata/data_folder.h"
#include "userdata/exports.h"
#include "userdata/history.h"
#include "userdata/own_term_store.h"
#include "userdata/own_terms.h"
#include "userdata/word_book.h"

namespace {

using std::chrono::sys_days;
using std::chrono::sys_seconds;
using namespace std::chrono_literals;

std::string Gbk(std::string_view utf8) {
    return mbcs::FromUtf8(utf8).value();
}

const sys_seconds kMay1 = sys_days(std::chrono::year{2024} / 5 / 1) + 8h + 30min;

TEST(WordBook, KeepsEachPairOnceNewestFirstAndExports) {
    const TempDir dir;
    const CWordBook book(dir.path().string());
    EXPECT_EQ(book.Read().records.size(), 0u);  // no file yet
    EXPECT_EQ(book.Add(Gbk("shirt"), Gbk("衬衫"), kMay1).count, 1u);
    EXPECT_EQ(book.Add(Gbk("zip, \"YKK\" type"), Gbk("拉链"), kMay1 + 1h).count, 1u);
    EXPECT_EQ(book.Add(Gbk("shirt"), Gbk("衬衫"), kMay1 + 2h).count, 0u);
    EXPECT_EQ(FileText(dir / "word_book.tsv"),
              "# garment-dictionary word book 1\n"
              "zip, \"YKK\" type\t拉链\t2024-05-01T09:30:00Z\n"
              "shirt\t衬衫\t2024-05-01T08:30:00Z\n");

    const std::vector<CWordBookEntry> entries = CWordBook(dir.path().string()).Read().records;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].chinese, Gbk("衬衫"));
    EXPECT_EQ(entries[1].added, kMay1);
    EXPECT_EQ(WordBookTsv(entries),
              "english\tchinese\tadded\n"
              "zip, \"YKK\" type\t拉链\t2024-05-01T09:30:00Z\n"
              "shirt\t衬衫\t2024-05-01T08:30:00Z\n");
    EXPECT_EQ(WordBookCardsCsv(entries), "\"zip, \"\"YKK\"\" type\",拉链\r\nshirt,衬衫\r\n");

    EXPECT_EQ(book.Remove(Gbk("shirt"), Gbk("衬衣")).count, 0u);
    EXPECT_EQ(book.Remove(Gbk("shirt"), Gbk("衬衫")).count, 1u);
    EXPECT_EQ(book.Read().records.size(), 1u);
}

TEST(History, EscapesItsFieldsAndKeepsTheNewestThousand) {
    const TempDir dir;
    const CHistory history(dir.path().string());
    std::string lines = "# garment-dictionary history 1\n";
    for (int i = 0; i < 1003; ++i) lines += "q" + std::to_string(i) + "\t2024-04-01T00:00:00Z\t1\n";
    WriteText(dir / "history.tsv", lines);
    EXPECT_EQ(history.Read().records.size(), CHistory::kMaxEntries);

    const std::string query = Gbk("领\t子\\n\r\n");
    EXPECT_EQ(history.Add(query, 42, kMay1).count, 1u);
    EXPECT_EQ(history.Add("", 0, kMay1).count, 0u);
    const std::string text = FileText(dir / "history.tsv");
    EXPECT_EQ(text.substr(0, text.find("q0\t")),
              "# garment-dictionary history 1\n"
              "领\\t子\\\\n\\r\\n\t2024-05-01T08:30:00Z\t42\n");
    const std::vector<CHistoryEntry> entries = history.Read().records;
    ASSERT_EQ(entries.size(), CHistory::kMaxEntries);
    EXPECT_EQ(entries.front().query, query);
    EXPECT_EQ(entries.front().results, 42u);
    EXPECT_EQ(mbcs::ToUtf8(entries.back().query), "q998");
    EXPECT_EQ(HistoryTsv({entries.front()}),
              "query\ttime\tresults\n领\\t子\\\\n\\r\\n\t2024-05-01T08:30:00Z\t42\n");

    EXPECT_EQ(history.Clear().count, CHistory::kMaxEntries);
    EXPECT_EQ(FileText(dir / "history.tsv"), "# garment-dictionary history 1\n");
}

TEST(OwnTerms, AddEditAndRemoveByPair) {
    const TempDir dir;
    const COwnTerms terms(dir.path().string());
    const COwnTerm fabric{Gbk("body fabric"), Gbk("大身面料"), ""};
    const COwnTerm trim{Gbk("trim card"), Gbk("辅料卡"), Gbk("每款一张")};
    const struct {
        COwnTerm term;
        COwnTermOutcome outcome;
    } adds[] = {
        {{Gbk("  body fabric "), Gbk("大身面料\t"), ""}, COwnTermOutcome::added},
        {trim, COwnTermOutcome::added},
        {{fabric.english, fabric.chinese, Gbk("BF-12")}, COwnTermOutcome::noteChanged},
        {fabric, COwnTermOutcome::unchanged},  // no note keeps the note held
        {{fabric.english, Gbk("面料"), ""}, COwnTermOutcome::added},
    };
    for (const auto& add : adds) EXPECT_EQ(terms.Add(add.term).outcome, add.outcome);
    EXPECT_EQ(FileText(dir / "own_terms.tsv"),
              "# garment-dictionary own terms 1\n"
              "body fabric\t大身面料\tBF-12\n"
              "trim card\t辅料卡\t每款一张\n"
              "body fabric\t面料\n");

    EXPECT_EQ(terms.Edit(fabric.english, Gbk("面料"), trim).outcome, COwnTermOutcome::duplicate);
    EXPECT_EQ(terms.Edit(Gbk("hem"), Gbk("下摆"), trim).outcome, COwnTermOutcome::notFound);
    EXPECT_EQ(terms.Edit(trim.english, trim.chinese, {trim.english, trim.chinese, ""}).outcome,
              COwnTermOutcome::edited);
    EXPECT_EQ(terms.Read().records[1].note, "");

    EXPECT_EQ(terms.Remove(fabric.english, Gbk("面料")).count, 1u);
    EXPECT_EQ(terms.Add({fabric.english, Gbk("面料"), ""}).outcome, COwnTermOutcome::added);
    EXPECT_EQ(terms.Remove(Gbk("body fabric "), std::nullopt).count, 2u);
    EXPECT_EQ(terms.Remove(fabric.english, std::nullopt).count, 0u);
    ASSERT_EQ(terms.Read().records.size(), 1u);
    EXPECT_EQ(terms.Read().records[0].english, trim.english);
}

TEST(OwnTerms, RefuseTextsTheyCannotHoldBeforeTouchingTheFile) {
    const TempDir dir;
    const COwnTerms terms((dir / "data").string());
    const struct {
        COwnTerm term;
        const char* message;
    } cases[] = {
        {{"shirt", " ", ""}, "the Chinese text is empty"},
        {{"", Gbk("衬衫"), ""}, "the English text is empty"},
        {{"sh\nirt", Gbk("衬衫"), ""}, "the English text holds a control character"},
        {{"shirt", "\x81", ""},
         "the Chinese text holds a character that code page 936 cannot hold"},
        {{std::string(201, 'a'), Gbk("衬衫"), ""}, "the English text is too long"},
        {{"shirt", Gbk("衬衫"), std::string(501, 'n')}, "the note is too long"},
    };
    for (const auto& c : cases) {
        try {
            terms.Add(c.term);
            ADD_FAILURE() << c.message;
        } catch (const CUserDataError& error) {
            EXPECT_EQ(error.cause(), CUserDataError::Cause::badText);
            EXPECT_STREQ(error.what(), c.message);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "data"));
    EXPECT_THROW(CWordBook(dir.path().string()).Add("shirt", "\xA1"), CUserDataError);
}

TEST(OwnTerms, AreSearchedAsADictionaryStore) {
    const std::vector<COwnTerm> terms = {{Gbk("body fabric"), Gbk("大身面料"), Gbk("BF-12")},
                                         {Gbk("Fabric swatch"), Gbk("面料小样"), ""}};
    const std::unique_ptr<CDictStore> store = MakeOwnTermStore(terms);
    ASSERT_EQ(store->size(), 2u);
    EXPECT_EQ(store->entries()[0].chinese, Gbk("大身面料（BF-12）"));
    const CResultList found = store->Search(Gbk("fabric"));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0]->english, Gbk("Fabric swatch"));  // begins with the query
    EXPECT_EQ(store->Search(Gbk("面料")).size(), 2u);
    EXPECT_EQ(store->Search(Gbk("BF-12")).size(), 1u);

    // The texts move as the store grows; every entry views its own all the same.
    std::vector<COwnTerm> many;
    for (int i = 0; i < 3000; ++i) many.push_back({"term " + std::to_string(i), Gbk("词"), ""});
    const std::unique_ptr<CDictStore> large = MakeOwnTermStore(many);
    for (int i : {0, 1, 2999}) EXPECT_EQ(large->entries()[i].english, many[i].english);
    EXPECT_EQ(large->Search("term 2999").size(), 1u);
    EXPECT_THROW(large->AddEntry(std::string_view("a\0b", 3), "c"), std::invalid_argument);
    EXPECT_EQ(large->size(), 3000u);
}

#ifndef _WIN32
TEST(DataFolder, FollowsTheVariablesAsQtDoes) {
    const char* const names[] = {"GDICT_DATA_DIR", "XDG_DATA_HOME", "HOME"};
    std::vector<std::optional<std::string>> saved;
    for (const char* name : names) {
        const char* value = getenv(name);
        saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
    const std::string tail = std::string("/") + kOrganisationName + "/" + kApplicationName;
    const struct {
        const char* data;
        const char* xdg;
        const char* home;
        std::string folder;
    } cases[] = {
        {"/srv/glossary/", "/x", "/home/a", "/srv/glossary"},
        {"", "/x/share", "/home/a", "/x/share" + tail},
        {nullptr, "", "/home/a", "/home/a/.local/share" + tail},
        {nullptr, nullptr, "/home/b/", "/home/b/.local/share" + tail},
    };
    for (const auto& c : cases) {
        const char* values[] = {c.data, c.xdg, c.home};
        for (int i = 0; i < 3; ++i) {
            values[i] ? setenv(names[i], values[i], 1) : unsetenv(names[i]);
        }
        EXPECT_EQ(UserDataFolder(), c.folder);
    }
    for (int i = 0; i < 3; ++i)
        saved[i] ? setenv(names[i], saved[i]->c_str(), 1) : unsetenv(names[i]);
}
#endif

}  // namespace
