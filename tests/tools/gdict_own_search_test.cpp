// gdict lookup and translate with the own terms of the data folder. Every gdict that this test
// program runs reads the own terms of a data folder of its own (GDICT_DATA_DIR), never those of
// the user who runs the tests: the other tests' lookups see an empty list.
#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <memory>

#include <gtest/gtest.h>

#include "tests/support/program_outcome.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace {

void SetVariable(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

// The data folder of the whole test program, created empty and removed at its end.
class OwnTermsFolder : public ::testing::Environment {
public:
    void SetUp() override {
        m_folder = std::make_unique<TempDir>();
        SetVariable("GDICT_DATA_DIR", m_folder->path().string());
    }
    void TearDown() override { m_folder.reset(); }
    static std::filesystem::path Path() { return getenv("GDICT_DATA_DIR"); }

private:
    std::unique_ptr<TempDir> m_folder;
};

[[maybe_unused]] ::testing::Environment* const kOwnTermsFolder =
    ::testing::AddGlobalTestEnvironment(new OwnTermsFolder);

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class GdictOwnSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(m_dir / "g.tsv",
                  "shirt\t衬衫\ndress shirt\t正装衬衫\nfabric\t面料\nlining fabric\t里料\n");
        ASSERT_EQ(Gdict({"build", Path("g.tsv"), Path("g.dat")}).status, 0);
        WriteOwnTerms(
            "# garment-dictionary own terms 1\n"
            "body fabric\t大身面料\tBF-12\n"
            "shirt\t公司衬衫\n"
            "fabric swatch\t面料样\n");
    }
    // The next test finds the data folder empty.
    void TearDown() override {
        for (const auto& entry : std::filesystem::directory_iterator(OwnTermsFolder::Path()))
            std::filesystem::remove_all(entry.path());
    }

    Outcome Gdict(const std::vector<std::string>& args, const std::string& input = "") {
        const int status = RunProgram(GDICT_PROGRAM, args, input, Path("out"), Path("err"));
        return {status, ReadFile(m_dir / "out"), ReadFile(m_dir / "err")};
    }
    std::string Path(const char* name) const { return (m_dir / name).string(); }
    static void WriteOwnTerms(const std::string& text) {
        std::filesystem::create_directories(OwnTermsFolder::Path());
        WriteFile(OwnTermsFolder::Path() / "own_terms.tsv", text);
    }

    TempDir m_dir;
};

TEST_F(GdictOwnSearchTest, LookupRanksOwnTermsFirstWithinEachGroup) {
    const struct {
        std::vector<std::string> options;
        const char* query;
        const char* out;
    } cases[] = {
        {{}, "shirt", "shirt\t公司衬衫\nshirt\t衬衫\ndress shirt\t正装衬衫\n"},
        {{"--no-own"}, "shirt", "shirt\t衬衫\ndress shirt\t正装衬衫\n"},
        // The exact entry, then the prefix group (own first), then the rest (own first).
        {{},
         "fabric",
         "fabric\t面料\nfabric swatch\t面料样\nbody fabric\t大身面料（BF-12）\n"
         "lining fabric\t里料\n"},
        {{}, "面料", "fabric\t面料\nfabric swatch\t面料样\nbody fabric\t大身面料（BF-12）\n"},
        // An own term's note is searched with its Chinese text.
        {{}, "BF-12", "body fabric\t大身面料（BF-12）\n"},
        {{"--no-own"}, "BF-12", ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"lookup", "--dict", Path("g.dat")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(c.query);
        const Outcome run = Gdict(args);
        EXPECT_EQ(run.out, c.out) << c.query;
        EXPECT_EQ(run.status, *c.out ? 0 : 1) << c.query;
    }
    EXPECT_EQ(Gdict({"lookup", "--no-own=yes", "shirt"}).status, 2);
}

TEST_F(GdictOwnSearchTest, TranslateTakesTheOwnTermFirstAndItsNoteAsTheNote) {
    WriteFile(m_dir / "terms.txt", "shirt\nbody fabric\n大身面料\n");
    const Outcome run = Gdict({"translate", "--dict", Path("g.dat"), Path("terms.txt")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "shirt\t公司衬衫\t衬衫\n"
              "body fabric\t大身面料\t\tBF-12\n"
              "大身面料\tbody fabric\t\n");
    const Outcome without =
        Gdict({"translate", "--dict", Path("g.dat"), "--no-own", Path("terms.txt")});
    EXPECT_EQ(without.status, 1);
    EXPECT_EQ(without.out.substr(0, without.out.find('\n') + 1), "shirt\t衬衫\t\n");
}

// Own terms that cannot be read leave the dictionary's answer as it is, with a line that says
// why; a damaged list is reported and its good lines are searched.
TEST_F(GdictOwnSearchTest, OwnTermsThatCannotBeReadAreReportedAndLeftOut) {
    WriteOwnTerms("# garment-dictionary own terms 2\nshirt\t公司衬衫\n");
    const Outcome later = Gdict({"lookup", "--dict", Path("g.dat"), "shirt"});
    EXPECT_EQ(later.status, 0);
    EXPECT_EQ(later.out, "shirt\t衬衫\ndress shirt\t正装衬衫\n");
    EXPECT_EQ(later.err.rfind("gdict lookup: the own terms are left out: ", 0), 0u) << later.err;

    WriteOwnTerms("# garment-dictionary own terms 1\nbroken line\nshirt\t公司衬衫\n");
    const Outcome damaged = Gdict({"lookup", "--dict", Path("g.dat"), "shirt"});
    EXPECT_EQ(damaged.out, "shirt\t公司衬衫\nshirt\t衬衫\ndress shirt\t正装衬衫\n");
    EXPECT_NE(damaged.err.find("own_terms.tsv is damaged: line 2 could not be read"),
              std::string::npos)
        << damaged.err;
    EXPECT_EQ(Gdict({"lookup", "--dict", Path("g.dat"), "shirt"}).err, "");
}

}  // namespace
