// The gdict command line: output lines and exit codes of each subcommand.
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class GdictTest : public ::testing::Test {
protected:
    // Runs gdict with arguments (each single-quoted for the shell), its standard output going to
    // output (a file of the test's own folder when empty).
    Outcome Gdict(const std::vector<std::string>& args, std::string output = "") {
        if (output.empty()) output = (m_dir / "out").string();
        std::string command = std::string("'") + GDICT_BIN_DIR + "/gdict'";
        for (const std::string& arg : args) command += " '" + arg + "'";
        command += " >'" + output + "' 2>'" + (m_dir / "err").string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(m_dir / "out"),
                ReadFile(m_dir / "err")};
    }
    std::string Source(const std::string& text) {
        const std::string path = (m_dir / "source.tsv").string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::string Path(const char* name) const { return (m_dir / name).string(); }

    TempDir m_dir;
};

constexpr char kGlossary[] =
    "# a comment line\n"
    "dress shirt\t正装衬衫\n"
    "\n"
    "shirt\t衬衫\r\n"
    "collar\t领子\n"
    "ＧＳＭ\t克重\n"
    "\t\n";

TEST_F(GdictTest, BuildThenDumpGivesTheSourceBack) {
    EXPECT_EQ(Gdict({"build", Source(kGlossary), Path("g.dat")}).status, 0);
    const Outcome dump = Gdict({"dump", Path("g.dat")});
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(dump.out, "dress shirt\t正装衬衫\nshirt\t衬衫\ncollar\t领子\nＧＳＭ\t克重\n\t\n");
}

TEST_F(GdictTest, BuildIsReproducibleForASeed) {
    const std::string source = Source(kGlossary);
    Gdict({"build", "--seed", "7", source, Path("a.dat")});
    Gdict({"build", "--seed=7", source, Path("b.dat")});
    Gdict({"build", "--seed", "8", source, Path("c.dat")});
    EXPECT_EQ(ReadFile(Path("a.dat")), ReadFile(Path("b.dat")));
    EXPECT_NE(ReadFile(Path("a.dat")), ReadFile(Path("c.dat")));
}

TEST_F(GdictTest, BuildRefusesBadSourcesAndLeavesNoFile) {
    for (const char* bad :
         {"shirt 衬衫\n", "a|||b\tc\n", "emoji\t\xF0\x9F\x91\x95\n", "bad utf-8\t\xC3\x28\n"}) {
        const Outcome run = Gdict({"build", Source(bad), Path("bad.dat")});
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_FALSE(run.err.empty()) << bad;
        EXPECT_FALSE(std::filesystem::exists(Path("bad.dat"))) << bad;
        EXPECT_FALSE(std::filesystem::exists(Path("bad.dat.partial"))) << bad;
    }
    EXPECT_EQ(Gdict({"build", Source("a\tb\n"), Path("x.dat"), "extra"}).status, 2);
    EXPECT_EQ(Gdict({"build", "--seed", "-1", Source("a\tb\n"), Path("x.dat")}).status, 2);
}

TEST_F(GdictTest, LookupPrintsResultsInResultOrder) {
    Gdict({"build", Source(kGlossary), Path("g.dat")});
    const Outcome shirt = Gdict({"lookup", "--dict", Path("g.dat"), "SHIRT"});
    EXPECT_EQ(shirt.status, 0);
    EXPECT_EQ(shirt.out, "shirt\t衬衫\ndress shirt\t正装衬衫\n");
    EXPECT_EQ(Gdict({"lookup", "--dict", Path("g.dat"), "衬衫"}).out,
              "shirt\t衬衫\ndress shirt\t正装衬衫\n");
    EXPECT_EQ(Gdict({"lookup", "--dict", Path("g.dat"), "ｇｓｍ"}).out, "ＧＳＭ\t克重\n");
    const Outcome limited = Gdict({"lookup", "--dict", Path("g.dat"), "--limit", "1", "shirt"});
    EXPECT_EQ(limited.status, 0);
    EXPECT_EQ(limited.out, "shirt\t衬衫\n");
}

TEST_F(GdictTest, LookupExitCodes) {
    Gdict({"build", Source(kGlossary), Path("g.dat")});
    const Outcome none = Gdict({"lookup", "--dict", Path("g.dat"), "zzz"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    const Outcome missing = Gdict({"lookup", "--dict", Path("missing.dat"), "shirt"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find(Path("missing.dat") + " was not found."), std::string::npos);
    EXPECT_EQ(Gdict({"lookup", "--dict", Path("g.dat"), "--limit", "x", "a"}).status, 2);
    EXPECT_EQ(Gdict({"lookup", "--colour", "red", "a"}).status, 2);
    EXPECT_EQ(Gdict({"find", "a"}).status, 2);
    EXPECT_EQ(Gdict({}).status, 2);
}

TEST_F(GdictTest, LookupReadsTheBundledDictionaryByDefault) {
    const Outcome run = Gdict({"lookup", "shirt"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("shirt\t衬衫\n"), std::string::npos);
}

TEST_F(GdictTest, DumpShowsWhatWasReadBeforeAFault) {
    Gdict({"build", Source(kGlossary), Path("g.dat")});
    const std::string bytes = ReadFile(Path("g.dat"));
    std::ofstream(Path("cut.dat"), std::ios::binary) << bytes.substr(0, bytes.size() - 5);
    const Outcome run = Gdict({"dump", Path("cut.dat")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "dress shirt\t正装衬衫\nshirt\t衬衫\ncollar\t领子\nＧＳＭ\t克重\n");
    EXPECT_NE(run.err.find("An attempt was made to access an unnamed file past its end."),
              std::string::npos);
}

TEST_F(GdictTest, EncipherAndDecipher) {
    const Outcome stored = Gdict({"encipher", "服装词典"});
    EXPECT_EQ(stored.status, 0);
    EXPECT_EQ(stored.out.size(), 17u);  // one block, uppercase hexadecimal, a line end
    EXPECT_EQ(stored.out.find_first_not_of("0123456789ABCDEF"), 16u);
    const std::string hex = stored.out.substr(0, 16);
    EXPECT_EQ(Gdict({"decipher", hex}).out, "服装词典\n");
    EXPECT_NE(Gdict({"decipher", "--key", "other", hex}).out, "服装词典\n");

    const Outcome keyed = Gdict({"encipher", "--key", "Rec0rd7", "collar|||领子"});
    EXPECT_EQ(Gdict({"decipher", "--key", "Rec0rd7", keyed.out.substr(0, 32)}).out,
              "collar|||领子\n");
}

TEST_F(GdictTest, OutputThatCannotBeWrittenIsAnError) {
    const std::string digestSource = Source("abc");
    const std::vector<std::vector<std::string>> commands = {
        {"lookup", "shirt"},
        {"dump", std::string(GDICT_BIN_DIR) + "/garment_dict.dat"},
        {"encipher", "collar"},
        {"decipher", Gdict({"encipher", "collar"}).out.substr(0, 16)},
        {"sha256", digestSource}};
    for (const std::vector<std::string>& command : commands) {
        SCOPED_TRACE(command[0]);
        const Outcome full = Gdict(command, "/dev/full");
        EXPECT_EQ(full.status, 2);
        EXPECT_EQ(full.err.rfind("gdict: cannot write the output", 0), 0u) << full.err;
        EXPECT_EQ(Gdict(command).status, 0);
    }
}

TEST_F(GdictTest, CipherErrors) {
    const Outcome odd = Gdict({"decipher", "ABC"});
    EXPECT_EQ(odd.status, 2);
    EXPECT_NE(odd.err.find("Illegal Block Size!"), std::string::npos);
    EXPECT_EQ(Gdict({"decipher", "0123456789abcdef"}).status, 2);
    EXPECT_EQ(Gdict({"encipher", ""}).status, 2);
}

}  // namespace
