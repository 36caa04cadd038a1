// gdict own: the user's own terms from the command line, in the data folder that the program
// reads, so that a company can roll out its glossary with a script.
#include <iostream>

#include "text/mbcs.h"
#include "tools/gdict/arguments.h"
#include "tools/gdict/commands.h"
#include "tools/gdict/own_terms_input.h"
#include "userdata/data_folder.h"
#include "userdata/exports.h"
#include "userdata/own_term_import.h"
#include "userdata/own_terms.h"
#include "userdata/tsv_fields.h"

namespace {

COwnTerms TermsOf(const Arguments& arguments) {
    const std::optional<std::string> folder = arguments.Option("data");
    return COwnTerms(folder ? *folder : UserDataFolder());
}

int Add(const Arguments& arguments) {
    if (arguments.PositionalCount() < 3 || arguments.PositionalCount() > 4) {
        throw UsageError("add takes ENGLISH CHINESE [NOTE]");
    }
    const COwnTerm term{ArgumentToCp936(arguments.Positional(1), "the English text"),
                        ArgumentToCp936(arguments.Positional(2), "the Chinese text"),
                        arguments.PositionalCount() == 4
                            ? ArgumentToCp936(arguments.Positional(3), "the note")
                            : std::string()};
    ReportDamage("own", TermsOf(arguments).Add(term).damage);
    return 0;
}

int Remove(const Arguments& arguments) {
    if (arguments.PositionalCount() < 2 || arguments.PositionalCount() > 3) {
        throw UsageError("remove takes ENGLISH [CHINESE]");
    }
    const std::string english = ArgumentToCp936(arguments.Positional(1), "the English text");
    std::optional<std::string> chinese;
    if (arguments.PositionalCount() == 3) {
        chinese = ArgumentToCp936(arguments.Positional(2), "the Chinese text");
    }
    const CListChange removed = TermsOf(arguments).Remove(english, chinese);
    ReportDamage("own", removed.damage);
    if (removed.count > 0) return 0;
    std::cerr << "gdict own: no own term " << arguments.Positional(1)
              << (chinese ? " " + arguments.Positional(2) : std::string()) << '\n';
    return 1;
}

int List(const Arguments& arguments) {
    if (arguments.PositionalCount() != 1) throw UsageError("list takes no argument");
    const CListRead<COwnTerm> terms = TermsOf(arguments).Read();
    ReportDamage("own", terms.damage);
    std::string line;
    for (const COwnTerm& term : terms.records) {
        line.clear();
        AppendLine(line, {mbcs::ToUtf8(term.english), mbcs::ToUtf8(term.chinese),
                          mbcs::ToUtf8(term.note)});
        std::cout << line;
    }
    return 0;
}

int Import(const Arguments& arguments) {
    if (arguments.PositionalCount() != 2) throw UsageError("import takes FILE");
    const std::string& file = arguments.Positional(1);
    const CImportedTerms imported = ReadImportFile(file);
    const CImportCounts counts = TermsOf(arguments).Import(imported);
    ReportDamage("own", counts.damage);
    std::cout << counts.added << " added, " << counts.noteChanged << " with a new note, "
              << counts.unchanged << " already present, " << imported.skipped.size()
              << " skipped\n";
    for (const CSkippedLine& skipped : imported.skipped) {
        std::cerr << "line " << skipped.line << ": " << DescribeSkip(skipped) << '\n';
    }
    return imported.skipped.empty() ? 0 : 1;
}

int Export(const Arguments& arguments) {
    if (arguments.PositionalCount() != 2) throw UsageError("export takes FILE or -");
    const std::string format = arguments.Option("format").value_or("tsv");
    if (format != "tsv" && format != "csv") throw UsageError("--format takes tsv or csv");
    const CListRead<COwnTerm> terms = TermsOf(arguments).Read();
    ReportDamage("own", terms.damage);
    const std::string text =
        format == "tsv" ? OwnTermsTsv(terms.records) : OwnTermsCsv(terms.records);
    const std::string& file = arguments.Positional(1);
    if (file == "-") {
        std::cout << text;
    } else {
        WriteExport(file, text);
    }
    return 0;
}

}  // namespace

int RunOwn(const std::vector<std::string>& args) {
    const Arguments arguments(args, {"data", "format"}, 1, 4);
    const std::string& action = arguments.Positional(0);
    if (arguments.Option("format") && action != "export") {
        throw UsageError("--format is an option of export");
    }
    if (action == "add") return Add(arguments);
    if (action == "remove") return Remove(arguments);
    if (action == "list") return List(arguments);
    if (action == "import") return Import(arguments);
    if (action == "export") return Export(arguments);
    throw UsageError("unknown action " + action + " (add, remove, list, import or export)");
}
