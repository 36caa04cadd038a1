// gdict own: the own terms from the command line, in the data folder that --data names.
#include <fstream>
#include <iterator>
#include <thread>

#include <gtest/gtest.h>

#include "tests/support/program_outcome.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace {

class GdictOwnTest : public ::testing::Test {
protected:
    // Runs gdict own ACTION --data DATA args..., its output to files named after tag.
    Outcome Own(const std::string& action, std::vector<std::string> args,
                const std::string& tag = "run", const std::string& output = "") {
        args.insert(args.begin(), {"own", action, "--data", Data()});
        const std::string out = output.empty() ? Path(tag + ".out") : output;
        const int status = RunProgram(GDICT_PROGRAM, args, "", out, Path(tag + ".err"));
        return {status, ReadFile(m_dir / (tag + ".out")), ReadFile(m_dir / (tag + ".err"))};
    }
    std::string Data() const { return (m_dir / "data").string(); }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    std::string Write(const std::string& name, const std::string& text) {
        std::ofstream(m_dir / name, std::ios::binary) << text;
        return Path(name);
    }

    TempDir m_dir;
};

TEST_F(GdictOwnTest, AddListRemoveAndExport) {
    EXPECT_EQ(Own("list", {}).out, "");
    EXPECT_EQ(Own("add", {"body fabric", "大身面料", "BF-12"}).status, 0);
    EXPECT_EQ(Own("add", {" trim card ", "辅料卡"}).status, 0);
    const Outcome tab = Own("add", {"trim card", "辅料卡", "one a style\tsee the manual"});
    EXPECT_EQ(tab.status, 2);
    EXPECT_EQ(tab.err, "gdict own: the note holds a control character\n");
    EXPECT_EQ(Own("add", {"trim card", "辅料卡", "one a style, see C:\\manual"}).status, 0);
    EXPECT_EQ(Own("list", {}).out,
              "body fabric\t大身面料\tBF-12\ntrim card\t辅料卡\tone a style, see C:\\\\manual\n");
    EXPECT_EQ(Own("export", {"--format", "csv", "-"}).out,
              "english,chinese,note\r\nbody fabric,大身面料,BF-12\r\n"
              "trim card,辅料卡,\"one a style, see C:\\manual\"\r\n");
    EXPECT_EQ(Own("export", {Path("terms.tsv")}).status, 0);
    EXPECT_EQ(ReadFile(Path("terms.tsv")),
              "english\tchinese\tnote\nbody fabric\t大身面料\tBF-12\n"
              "trim card\t辅料卡\tone a style, see C:\\\\manual\n");

    const Outcome none = Own("remove", {"trim card", "辅料"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "gdict own: no own term trim card 辅料\n");
    EXPECT_EQ(Own("remove", {"trim card"}).status, 0);
    EXPECT_EQ(Own("list", {}).out, "body fabric\t大身面料\tBF-12\n");
}

TEST_F(GdictOwnTest, ImportReportsSkippedLinesAndAddsEachPairOnce) {
    const std::string glossary = Write("glossary.csv",
                                       "English,Chinese,Note\n"
                                       "lining,里布,\n"
                                       "only english\n"
                                       "zip puller,拉头,\"slider, for zips\"\n"
                                       "emoji,\xF0\x9F\x91\x95\n");
    const Outcome first = Own("import", {glossary});
    EXPECT_EQ(first.status, 1);
    EXPECT_EQ(first.out, "2 added, 0 with a new note, 0 already present, 2 skipped\n");
    EXPECT_EQ(first.err,
              "line 3: 1 field, not 2 or 3\n"
              "line 5: the Chinese text holds a character that code page 936 cannot hold\n");
    EXPECT_EQ(Own("import", {glossary}).out,
              "0 added, 0 with a new note, 2 already present, 2 skipped\n");

    const Outcome clean = Own("import", {Write("more.tsv", "hem\t下摆\nlining\t里布\tsilk\n")});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, "1 added, 1 with a new note, 0 already present, 0 skipped\n");
    EXPECT_EQ(Own("list", {}).out,
              "lining\t里布\tsilk\nzip puller\t拉头\tslider, for zips\nhem\t下摆\t\n");

    EXPECT_EQ(Own("import", {Path("missing.csv")}).status, 2);
    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{"add", "only english"},
                                               {"list", "extra"},
                                               {"export", "--format", "xml", "-"},
                                               {"import", "--format", "csv", glossary},
                                               {"rename", "a"},
                                               {"add", "a", "\xC3\x28"}}) {
        std::vector<std::string> args(wrong.begin() + 1, wrong.end());
        EXPECT_EQ(Own(wrong[0], args).status, 2) << wrong[0];
    }
}

TEST_F(GdictOwnTest, ADamagedFileIsReportedAndItsGoodLinesKept) {
    std::filesystem::create_directory(m_dir / "data");
    Write("data/own_terms.tsv",
          "# garment-dictionary own terms 1\nhem\t下摆\nbroken\nlining\t里布\n");
    const Outcome list = Own("list", {});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "hem\t下摆\t\nlining\t里布\t\n");
    EXPECT_EQ(list.err.rfind("gdict own: " + Data() +
                                 "/own_terms.tsv is damaged: line 3 could "
                                 "not be read; the file as it was is kept as " +
                                 Data() + "/own_terms.tsv.damaged-",
                             0),
              0u)
        << list.err;
    EXPECT_EQ(Own("list", {}).err, "");
}

// Two gdict processes adding terms at the same time keep every term of both.
TEST_F(GdictOwnTest, TwoWritersAtOnce) {
    constexpr int kEach = 20;
    std::vector<std::thread> writers;
    for (const std::string writer : {"a", "b"}) {
        writers.emplace_back([this, writer] {
            for (int i = 0; i < kEach; ++i) {
                const std::string english = writer + std::to_string(i);
                const std::string tag = "w" + english;
                const std::vector<std::string> args = {"own",  "add",   "--data",
                                                       Data(), english, "词"};
                EXPECT_EQ(
                    RunProgram(GDICT_PROGRAM, args, "", Path(tag + ".out"), Path(tag + ".err")), 0);
            }
        });
    }
    for (std::thread& writer : writers) writer.join();
    const std::string list = Own("list", {}).out;
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 2 * kEach);
}

TEST_F(GdictOwnTest, OutputThatCannotBeWrittenIsAnError) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no device that is always full";
#endif
    Own("add", {"hem", "下摆"});
    EXPECT_EQ(Own("list", {}, "full", "/dev/full").status, 2);
    EXPECT_EQ(Own("export", {"-"}, "full", "/dev/full").status, 2);
}

}  // namespace
