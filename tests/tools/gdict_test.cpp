// The gdict command line: output lines and exit codes of each subcommand.
#include <cstdio>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "files/file_name.h"
#include "tests/support/program_outcome.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace {

class GdictTest : public ::testing::Test {
protected:
    // Runs gdict with arguments, its standard output going to output (a file of the test's own
    // folder when empty) and its standard input read from the file input when one is given.
    Outcome Gdict(const std::vector<std::string>& args, std::string output = "",
                  const std::string& input = "") {
        if (output.empty()) output = Path("out");
        const int status = RunProgram(GDICT_PROGRAM, args, input, output, Path("err"));
        return {status, ReadFile(m_dir / "out"), ReadFile(m_dir / "err")};
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

TEST_F(GdictTest, BuildOrdersByEnglishIgnoringCaseWhenAsked) {
    const std::string source =
        Source("pocket bag\t袋布\nPocket\t口袋\nhem\t下摆\npocket\t袋\nPOCKET-flap\t袋盖\n");
    EXPECT_EQ(Gdict({"build", "--order", "english", source, Path("e.dat")}).status, 0);
    EXPECT_EQ(Gdict({"dump", Path("e.dat")}).out,
              "hem\t下摆\nPocket\t口袋\npocket\t袋\npocket bag\t袋布\nPOCKET-flap\t袋盖\n");
    EXPECT_EQ(Gdict({"build", "--order", "source", source, Path("s.dat")}).status, 0);
    EXPECT_EQ(Gdict({"dump", Path("s.dat")}).out.rfind("pocket bag\t袋布\n", 0), 0u);
    EXPECT_EQ(Gdict({"build", "--order", "chinese", source, Path("c.dat")}).status, 2);
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

TEST_F(GdictTest, HelpAndVersion) {
    for (const char* help : {"--help", "-h", "help"}) {
        const Outcome run = Gdict({help});
        EXPECT_EQ(run.status, 0) << help;
        EXPECT_EQ(run.err, "") << help;
        for (const char* subcommand : {"lookup", "build", "dump", "encipher", "decipher",
                                       "encrypt-file", "decrypt-file", "sha256", "--version"}) {
            EXPECT_NE(run.out.find(std::string("gdict ") + subcommand), std::string::npos)
                << help << " " << subcommand;
        }
    }
    EXPECT_EQ(Gdict({"--version"}).out, "gdict 1.0.0.5\n");
    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{"--colour"}, {"find"}, {"--help", "lookup"}}) {
        const Outcome run = Gdict(wrong);
        EXPECT_EQ(run.status, 2) << wrong[0];
        EXPECT_EQ(run.out, "") << wrong[0];
        EXPECT_NE(run.err.find("usage:"), std::string::npos) << wrong[0];
    }
}

TEST_F(GdictTest, LookupSuggestsNearMatchesWhenNothingIsFound) {
    Gdict({"build", Source(kGlossary), Path("g.dat")});
    const Outcome typo = Gdict({"lookup", "--dict", Path("g.dat"), "colalr"});
    EXPECT_EQ(typo.status, 1);
    EXPECT_EQ(typo.out, "");
    EXPECT_EQ(typo.err, "did you mean: collar\n");
    const Outcome none = Gdict({"lookup", "--dict", Path("g.dat"), "zzzzzz"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "");
}

TEST_F(GdictTest, TranslateGivesATabSeparatedLinePerTerm) {
    Gdict({"build",
           Source("shirt\t衬衫\nShirt\t衬衣\nSHIRT\t衬衫\ncollar\t领子\n"
                  "dress shirt\t正装衬衫\n"),
           Path("g.dat")});
    const std::string terms = Path("terms.txt");
    std::ofstream(terms, std::ios::binary)
        << "# bill of materials\n\nSHIRT\r\n  领子\ncolalr\nsleeve\nshirt\n";
    const char* expected =
        "SHIRT\t衬衫\t衬衣\n"
        "领子\tcollar\t\n"
        "colalr\t\t?collar\n"
        "sleeve\t\t?\n"
        "shirt\t衬衫\t衬衣\n";
    const Outcome fromFile = Gdict({"translate", "--dict", Path("g.dat"), terms});
    EXPECT_EQ(fromFile.status, 1);
    EXPECT_EQ(fromFile.out, expected);
    EXPECT_EQ(Gdict({"translate", "--dict", Path("g.dat"), "-"}, "", terms).out, expected);
    EXPECT_EQ(Gdict({"translate", "--dict", Path("g.dat")}, "", terms).out, expected);

    std::ofstream(terms, std::ios::binary) << "collar\n衬衫\n";
    const Outcome allFound = Gdict({"translate", "--dict", Path("g.dat"), terms});
    EXPECT_EQ(allFound.status, 0);
    EXPECT_EQ(allFound.out, "collar\t领子\t\n衬衫\tshirt\tSHIRT\n");
    EXPECT_EQ(Gdict({"translate", "--dict", Path("g.dat"), Path("missing.txt")}).status, 2);
    EXPECT_EQ(Gdict({"translate", "--dict", Path("missing.dat"), terms}).status, 2);
    EXPECT_EQ(Gdict({"translate", "--limit", "1", terms}).status, 2);
}

TEST_F(GdictTest, LookupRanksTheTypedTermFirstAndPrintsTextsAsStored) {
    Gdict({"build",
           Source("ASTM D2061 zipper strength\t拉链强力\nbartack\t打枣（车间用语）\n"
                  "invisible zipper\t隐形拉链\nzip puller\t拉链头\nzipper\t拉链\n"),
           Path("g.dat")});
    const struct {
        const char* query;
        const char* out;
    } cases[] = {
        {"拉链",
         "zipper\t拉链\nzip puller\t拉链头\nASTM D2061 zipper strength\t拉链强力\n"
         "invisible zipper\t隐形拉链\n"},
        {"zippers",
         "zipper\t拉链\nASTM D2061 zipper strength\t拉链强力\ninvisible zipper\t隐形拉链\n"},
        {"打枣", "bartack\t打枣（车间用语）\n"},
    };
    for (const auto& c : cases) {
        const Outcome run = Gdict({"lookup", "--dict", Path("g.dat"), c.query});
        EXPECT_EQ(run.status, 0) << c.query;
        EXPECT_EQ(run.out, c.out) << c.query;
    }
}

TEST_F(GdictTest, LookupOfAMeasurementGivesItsConversionsAsAHint) {
    Gdict({"build", Source(kGlossary), Path("g.dat")});
    const Outcome run = Gdict({"lookup", "--dict", Path("g.dat"), "70 denier"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "70 denier = 77.8 dtex\n70 denier = 7.78 tex\n");
}

TEST_F(GdictTest, TranslateLeavesNotesOutAndGivesTheTranslationsNoteAColumn) {
    Gdict({"build",
           Source("armhole\t袖窿\narmhole\t夹圈（车间用语）\nbartack\t打枣（车间用语）\n"
                  "wing\t侧比（文胸）\nzipper\t拉链\n"),
           Path("g.dat")});
    const std::string terms = Path("terms.txt");
    std::ofstream(terms, std::ios::binary)
        << "armhole\nbartack\nWing\n打枣\n夹圈\n夹圈（车间用语）\nzippers\n";
    const Outcome run = Gdict({"translate", "--dict", Path("g.dat"), terms});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "armhole\t袖窿\t夹圈\n"
              "bartack\t打枣\t\t车间用语\n"
              "Wing\t侧比\t\t文胸\n"
              "打枣\tbartack\t\n"
              "夹圈\tarmhole\t\n"
              "夹圈（车间用语）\tarmhole\t\n"
              "zippers\t拉链\t\n");
}

TEST_F(GdictTest, LookupReadsTheBundledDictionaryByDefault) {
    const Outcome run = Gdict({"lookup", "shirt"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("shirt\t衬衫\n"), std::string::npos);
}

// Names with Chinese characters and spaces reach their files, under those names, in every
// subcommand that opens one, and messages name them as they were given.
TEST_F(GdictTest, FileNamesWithChineseCharacters) {
    namespace fs = std::filesystem;
    const std::string folder = m_dir.path().string() + "/服装 词典";
    fs::create_directory(PathOfName(folder));
    const std::string source = folder + "/词汇 表.tsv";
    std::ofstream(PathOfName(source), std::ios::binary) << "shirt\t衬衫\ncollar\t领子\n";
    const std::string terms = folder + "/术语.txt";
    std::ofstream(PathOfName(terms), std::ios::binary) << "领子\n";
    const std::string dictionary = folder + "/词典.dat";

    EXPECT_EQ(Gdict({"build", source, dictionary}).status, 0);
    EXPECT_TRUE(fs::exists(m_dir.path() / fs::path(u8"服装 词典") / fs::path(u8"词典.dat")));
    EXPECT_EQ(Gdict({"lookup", "--dict", dictionary, "衬衫"}).out, "shirt\t衬衫\n");
    EXPECT_EQ(Gdict({"dump", dictionary}).out, "shirt\t衬衫\ncollar\t领子\n");
    EXPECT_EQ(Gdict({"translate", "--dict", dictionary, terms}).out, "领子\tcollar\t\n");
    EXPECT_EQ(Gdict({"sha256", source}).out,
              "151365c2c92eb10f80be78b87b4cad93d522eee633ef8e7ab611ece4f8f25b5b\n");
    const std::vector<std::string> tea = {"--method", "TEA", "--key", "面料"};
    std::vector<std::string> encrypt = {"encrypt-file"};
    encrypt.insert(encrypt.end(), tea.begin(), tea.end());
    encrypt.insert(encrypt.end(), {source, folder + "/密文.bin"});
    EXPECT_EQ(Gdict(encrypt).status, 0);
    std::vector<std::string> decrypt = {"decrypt-file"};
    decrypt.insert(decrypt.end(), tea.begin(), tea.end());
    decrypt.insert(decrypt.end(), {folder + "/密文.bin", folder + "/明文.tsv"});
    EXPECT_EQ(Gdict(decrypt).status, 0);
    EXPECT_EQ(ReadFile(PathOfName(folder + "/明文.tsv")).rfind("shirt\t衬衫\ncollar\t领子\n", 0),
              0u);

    const Outcome missing = Gdict({"lookup", "--dict", folder + "/没有.dat", "衬衫"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find(folder + "/没有.dat was not found."), std::string::npos)
        << missing.err;
}

// Without --dict, gdict reads the dictionary beside its own executable, wherever that lives.
TEST_F(GdictTest, FindsTheDictionaryBesideItselfInAFolderWithChineseCharacters) {
    const std::string folder = m_dir.path().string() + "/工具 目录";
    std::filesystem::create_directory(PathOfName(folder));
    const std::string program =
        folder + "/" + std::filesystem::path(GDICT_PROGRAM).filename().string();
    std::filesystem::copy_file(GDICT_PROGRAM, PathOfName(program));
    ASSERT_TRUE(std::filesystem::exists(m_dir.path() / std::filesystem::path(u8"工具 目录")));
    ASSERT_EQ(Gdict({"build", Source(kGlossary), folder + "/" GDICT_DICTIONARY_NAME}).status, 0);
    EXPECT_EQ(RunProgram(program, {"lookup", "collar"}, "", Path("out"), Path("err")), 0)
        << ReadFile(m_dir / "err");
    EXPECT_EQ(ReadFile(m_dir / "out"), "collar\t领子\n");
}

// The gdict of this build stores the bundled sources as the build's own tool did (in a cross
// build that tool runs on the build machine), byte for byte.
TEST_F(GdictTest, BuildsTheBundledDictionaryAgainByteForByte) {
    ASSERT_EQ(Gdict({"build", "--seed", GDICT_DICTIONARY_SEED, "--order", "english",
                     GDICT_JOINED_SOURCE, Path("again.dat")})
                  .status,
              0);
    const std::string bundled = ReadFile(GDICT_BIN_DIR "/" GDICT_DICTIONARY_NAME);
    EXPECT_GT(bundled.size(), 100'000u);
    EXPECT_EQ(ReadFile(Path("again.dat")), bundled);
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

TEST_F(GdictTest, ConvertGivesEveryTargetUnitToThreeSignificantDigits) {
    const struct {
        std::vector<std::string> args;
        const char* out;
    } cases[] = {
        {{"convert", "200", "gsm"}, "200 g/m² = 5.90 oz/yd²\n"},
        {{"convert", "200gsm"}, "200 g/m² = 5.90 oz/yd²\n"},
        {{"convert", "150", "G/M²"}, "150 g/m² = 4.42 oz/yd²\n"},
        {{"convert", "5,9", "oz / yd2"}, "5.9 oz/yd² = 200 g/m²\n"},
        {{"convert", "19mm"}, "19 momme = 81.8 g/m²\n"},
        {{"convert", "70", "D"}, "70 denier = 77.8 dtex\n70 denier = 7.78 tex\n"},
        {{"convert", "78", "dtex"}, "78 dtex = 70.2 denier\n78 dtex = 7.80 tex\n"},
        {{"convert", "30", "tex"}, "30 tex = 270 denier\n30 tex = 300 dtex\n"},
        {{"convert", "30", "Ne"}, "30 Ne = 50.8 Nm\n30 Ne = 19.7 tex\n"},
        {{"convert", "50", "nm"}, "50 Nm = 29.5 Ne\n50 Nm = 20.0 tex\n"},
        {{"convert", "2.5", "cm"}, "2.5 cm = 0.984 inch\n"},
        {{"convert", "1\""}, "1 inch = 2.54 cm\n"},
        {{"convert", "12", "spi"}, "12 SPI = 4.72 SPC\n"},
        {{"convert", "4", "spc"}, "4 SPC = 10.2 SPI\n"},
        {{"convert", "33.9", "oz"}, "33.9 oz/yd² = 1150 g/m²\n"},
    };
    for (const auto& c : cases) {
        const Outcome run = Gdict(c.args);
        EXPECT_EQ(run.status, 0) << c.args[1];
        EXPECT_EQ(run.out, c.out) << c.args[1];
    }
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"0", "gsm"},
                                               {"-3", "gsm"},
                                               {"abc"},
                                               {"1.2.3", "cm"},
                                               {"200", "furlong"},
                                               {"200"},
                                               {},
                                               {"1", "2", "3"}}) {
        std::vector<std::string> args{"convert"};
        args.insert(args.end(), bad.begin(), bad.end());
        const Outcome run = Gdict(args);
        EXPECT_EQ(run.status, 2) << (bad.empty() ? "" : bad[0]);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("gdict convert: "), std::string::npos);
    }
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
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no device that is always full";
#endif
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
