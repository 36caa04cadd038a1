// gdict: looks up, builds and inspects dictionary files and stored texts from the command line,
// enciphers, deciphers and digests files with the cipher library, and manages the own terms.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/gdict/arguments.h"
#include "tools/gdict/command_line.h"
#include "tools/gdict/commands.h"
#include "tools/gdict/standard_streams.h"

namespace {

// The usage of every subcommand, as --help prints it and as a usage error shows it.
constexpr char kUsage[] =
    "usage:\n"
    "  gdict lookup [--dict FILE] [--limit N] [--no-own] QUERY\n"
    "      matching entries in result order, one \"english TAB chinese\" line each, the\n"
    "      own terms first within each group (--no-own leaves them out); exit 0 with\n"
    "      results, 1 with none, 2 on an error\n"
    "  gdict build [--seed N] [--order source|english] INPUT.tsv OUTPUT.dat\n"
    "      UTF-8 \"english TAB chinese\" lines -> dictionary file, in source order or by\n"
    "      English text ignoring case\n"
    "  gdict dump FILE.dat\n"
    "      every entry in file order\n"
    "  gdict encipher [--key TEXT] PLAIN\n"
    "      stored (enciphered, hexadecimal) form of PLAIN\n"
    "  gdict decipher [--key TEXT] HEX\n"
    "      plain text of a stored text\n"
    "  gdict encrypt-file --method NAME --key TEXT [--mode ecb|cbc|cfb]\n"
    "                     [--padding zero|space|count] IN OUT\n"
    "      enciphers IN into OUT (a 32-byte signature, then the data); NAME: RIJNDAEL,\n"
    "      XOR256STREAM, TEA, XOR256BLOCK, BLOWFISH\n"
    "  gdict decrypt-file --method NAME --key TEXT [--mode ecb|cbc|cfb]\n"
    "                     [--padding zero|space|count] IN OUT\n"
    "      deciphers IN into OUT; another method, key or setting is refused\n"
    "  gdict sha256 FILE\n"
    "      lowercase hexadecimal SHA-256 of a non-empty file\n"
    "  gdict translate [--dict FILE] [--no-own] [FILE|-]\n"
    "      one term a line -> \"term TAB translation TAB other translations\", the own terms\n"
    "      first (--no-own leaves them out); a term without an entry gets \"?\" and up to\n"
    "      three near matches; exit 0 when every term was found, 1 when some were not, 2 on\n"
    "      an error (blank lines and lines starting with # skipped)\n"
    "  gdict convert VALUE UNIT\n"
    "      trade unit conversions, \"VALUE UNIT = RESULT UNIT2\" lines; UNIT, ignoring case\n"
    "      and spaces: gsm, g/m2 | oz, oz/yd2 (fabric weight); momme, mm (silk weight);\n"
    "      denier, den, d | dtex | tex (linear density); ne | nm (yarn count);\n"
    "      cm | inch, in, \" (length); spi | spc (stitch density)\n"
    "  gdict own add [--data DIR] ENGLISH CHINESE [NOTE]\n"
    "  gdict own remove [--data DIR] ENGLISH [CHINESE]\n"
    "  gdict own list [--data DIR]\n"
    "  gdict own import [--data DIR] FILE\n"
    "  gdict own export [--data DIR] [--format tsv|csv] FILE|-\n"
    "      the own terms, which the program searches with the dictionary: add one (a pair\n"
    "      held already gets the note), remove one or every one of an English text (exit 1\n"
    "      when there is none), list them (\"english TAB chinese TAB note\" lines), import a\n"
    "      UTF-8 TSV or CSV file of \"english, chinese[, note]\" lines (a header line is\n"
    "      recognised; each skipped line is reported as \"line N: reason\" on standard error,\n"
    "      exit 1 when there are any), export them; --data DIR in place of the user's data\n"
    "      folder (default $GDICT_DATA_DIR, else the program's)\n"
    "  gdict --help | -h | help\n"
    "      this text\n"
    "  gdict --version\n"
    "      the version line\n"
    "Without --dict, lookup and translate read the dictionary beside the executable; they\n"
    "read the own terms of the data folder too. When\n"
    "lookup finds nothing, it prints \"did you mean: \" and up to five near matches on\n"
    "standard error. The subcommands other than lookup, translate and own exit 0, or 2 on an\n"
    "error.\n";

struct Subcommand {
    const char* name;
    int (*run)(const std::vector<std::string>&);
};

constexpr Subcommand kSubcommands[] = {
    {"lookup", RunLookup},
    {"build", RunBuild},
    {"dump", RunDump},
    {"encipher", RunEncipher},
    {"decipher", RunDecipher},
    {"encrypt-file", RunEncryptFile},
    {"decrypt-file", RunDecryptFile},
    {"sha256", RunSha256},
    {"translate", RunTranslate},
    {"convert", RunConvert},
    {"own", RunOwn},
};

int Run(const Subcommand& subcommand, const std::vector<std::string>& args) {
    try {
        return subcommand.run(args);
    } catch (const UsageError& error) {
        std::cerr << "gdict " << subcommand.name << ": " << error.what() << "\n" << kUsage;
    } catch (const std::exception& error) {
        std::cerr << "gdict " << subcommand.name << ": " << error.what() << "\n";
    }
    return 2;
}

// Everything written to standard output has reached it: a full disk or a closed pipe is an
// error, not a success with lost output.
bool OutputWritten() {
    errno = 0;
    std::cout.flush();
    const bool written = std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!written) {
        std::cerr << "gdict: cannot write the output";
        if (errno != 0) std::cerr << ": " << std::strerror(errno);
        std::cerr << "\n";
    }
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    const StandardStreams streams;
    const Utf8CommandLine commandLine(argc, argv);
    argc = commandLine.argc();
    argv = commandLine.argv();
    if (argc == 2) {
        const std::string_view word = argv[1];
        if (word == "--help" || word == "-h" || word == "help") {
            std::cout << kUsage;
            return 0;
        }
        if (word == "--version") {
            std::cout << "gdict " GDICT_VERSION "\n";
            return 0;
        }
    }
    if (argc >= 2) {
        for (const Subcommand& subcommand : kSubcommands) {
            if (std::strcmp(argv[1], subcommand.name) != 0) continue;
            const int status = Run(subcommand, std::vector<std::string>(argv + 2, argv + argc));
            return OutputWritten() ? status : 2;
        }
        std::cerr << "gdict: unknown " << (argv[1][0] == '-' ? "option " : "subcommand ") << argv[1]
                  << "\n";
    }
    std::cerr << kUsage;
    return 2;
}
