// Glossaries read for an import, the import into the list, and exports that import back.
#include <gtest/gtest.h>

#include "text/mbcs.h"
#include "tests/support/temp_dir.h"
#include "tests/userdata/user_data_files.h"
#include "userdata/exports.h"
#include "userdata/own_term_import.h"
#include "userdata/own_terms.h"

namespace {

std::string Gbk(std::string_view utf8) {
    return mbcs::FromUtf8(utf8).value();
}

// A term as "english|chinese|note" in UTF-8, for comparing.
std::string Shown(const COwnTerm& term) {
    return mbcs::ToUtf8(term.english) + "|" + mbcs::ToUtf8(term.chinese) + "|" +
           mbcs::ToUtf8(term.note);
}

TEST(Import, ReadsTsvAndCsvAndReportsEveryBadLine) {
    const struct {
        const char* name;
        std::string bytes;
        CImportFormat format;
        bool header;
        std::vector<std::string> terms;
        std::vector<std::string> skipped;  // "N: reason"
    } cases[] = {
        {"TSV with a header, a comment, escapes and bad lines",
         "English\tChinese\tNote\n# fabrics\nbody fabric \t 大身面料\tBF\\\\12\n\nlining\n"
         "pocket\t\tx\nC:\\path\t路径\n\t衬衫\n",
         CImportFormat::tsv,
         true,
         {"body fabric|大身面料|BF\\12", "C:\\path|路径|"},
         {"5: 1 field, not 2 or 3", "6: the Chinese text is empty",
          "8: the English text is empty"}},
        {"CSV with a byte order mark, a Chinese header and quoted fields",
         "\xEF\xBB\xBF英文,中文,备注\r\n\"zip, metal\",金属拉链,\r\n\"two\r\nlines\",x\r\n"
         "\"say \"\"hi\"\"\",你好,,,\r\nnot \"quoted\",引号\r\n",
         CImportFormat::csv,
         true,
         {"zip, metal|金属拉链|", "say \"hi\"|你好|", "not \"quoted\"|引号|"},
         {"3: the English text holds a control character"}},
        {"CSV faults",
         "a,b,c,d\n\"open\"x,y\nx,\"y\"z\ngood,好\n\"never closed,\n,\n",
         CImportFormat::csv,
         false,
         {"good|好|"},
         {"1: 4 fields, not 2 or 3", "2: text after the closing quote of a field",
          "3: text after the closing quote of a field", "5: a quoted field that never ends"}},
        {"texts that the list cannot hold",
         "emoji\t\xF0\x9F\x91\x95\nbroken\t\xE8\xA1\nlong\t" + std::string(201, 'x') +
             "\nnote\tok\t" + std::string(501, 'n') + "\n",
         CImportFormat::tsv,
         false,
         {},
         {"1: the Chinese text holds a character that code page 936 cannot hold",
          "2: the Chinese text is not UTF-8 text", "3: the Chinese text is too long",
          "4: the note is too long"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CImportedTerms imported = ReadImport(c.bytes, c.format);
        EXPECT_EQ(imported.header, c.header);
        std::vector<std::string> terms, skipped;
        for (const COwnTerm& term : imported.terms) terms.push_back(Shown(term));
        for (const CSkippedLine& line : imported.skipped) {
            skipped.push_back(std::to_string(line.line) + ": " + DescribeSkip(line));
        }
        EXPECT_EQ(terms, c.terms);
        EXPECT_EQ(skipped, c.skipped);
    }
    EXPECT_EQ(ImportFormatOf("terms.CSV", "a\tb"), CImportFormat::csv);
    EXPECT_EQ(ImportFormatOf("terms.txt", "a,b"), CImportFormat::tsv);
    EXPECT_EQ(ImportFormatOf("terms", "a\tb\nc,d"), CImportFormat::tsv);
    EXPECT_EQ(ImportFormatOf("terms", "a,b\nc\td"), CImportFormat::csv);
}

// An import adds each pair once, a second import of the same file adds nothing, and what an
// export writes imports back as it was, in either format.
TEST(Import, IntoTheListAndBackFromItsExports) {
    const TempDir dir;
    const COwnTerms terms(dir.path().string());
    terms.Add({Gbk("lining"), Gbk("里布"), Gbk("old note")});
    const std::string glossary =
        "english,chinese,note\n"
        "lining,里布,\n"
        "\"body, fabric\",大身面料,\"say \"\"BF\"\"\\t\"\n"
        "trim card,辅料卡,每款一张\n"
        "trim card,辅料卡,\n"
        "lining,里布,new note\n";
    const CImportedTerms imported = ReadImport(glossary, CImportFormat::csv);
    const CImportCounts first = terms.Import(imported);
    EXPECT_EQ(first.added, 2u);
    EXPECT_EQ(first.noteChanged, 1u);
    EXPECT_EQ(first.unchanged, 2u);
    const CImportCounts again = terms.Import(imported);
    EXPECT_EQ(again.added + again.noteChanged, 0u);
    EXPECT_EQ(again.unchanged, 5u);

    const std::vector<COwnTerm> held = terms.Read().records;
    std::vector<std::string> shown;
    for (const COwnTerm& term : held) shown.push_back(Shown(term));
    EXPECT_EQ(shown, (std::vector<std::string>{"lining|里布|new note",
                                               "body, fabric|大身面料|say \"BF\"\\t",
                                               "trim card|辅料卡|每款一张"}));
    for (const std::string& exported : {OwnTermsTsv(held), OwnTermsCsv(held)}) {
        const CImportedTerms back =
            ReadImport(exported, exported.find('\t') != std::string::npos ? CImportFormat::tsv
                                                                          : CImportFormat::csv);
        EXPECT_TRUE(back.header);
        EXPECT_TRUE(back.skipped.empty());
        std::vector<std::string> backShown;
        for (const COwnTerm& term : back.terms) backShown.push_back(Shown(term));
        EXPECT_EQ(backShown, shown) << exported;
    }

    WriteExport((dir / "out.tsv").string(), OwnTermsTsv(held));
    EXPECT_EQ(FileText(dir / "out.tsv"), OwnTermsTsv(held));
    EXPECT_THROW(ReadImportFile((dir / "missing.csv").string()), CUserDataError);
}

}  // namespace
