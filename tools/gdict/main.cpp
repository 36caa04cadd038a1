// gdict: looks up, builds and inspects dictionary files and stored texts from the command line,
// and enciphers, deciphers and digests files with the cipher library.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "tools/gdict/arguments.h"
#include "tools/gdict/commands.h"

namespace {

constexpr char kUsage[] =
    "usage:\n"
    "  gdict lookup [--dict FILE] [--limit N] QUERY\n"
    "  gdict build [--seed N] INPUT.tsv OUTPUT.dat\n"
    "  gdict dump FILE.dat\n"
    "  gdict encipher [--key TEXT] PLAIN\n"
    "  gdict decipher [--key TEXT] HEX\n"
    "  gdict encrypt-file --method NAME --key TEXT [--mode ecb|cbc|cfb]\n"
    "                     [--padding zero|space|count] IN OUT\n"
    "  gdict decrypt-file --method NAME --key TEXT [--mode ecb|cbc|cfb]\n"
    "                     [--padding zero|space|count] IN OUT\n"
    "  gdict sha256 FILE\n";

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
    if (argc >= 2) {
        for (const Subcommand& subcommand : kSubcommands) {
            if (std::strcmp(argv[1], subcommand.name) != 0) continue;
            const int status = Run(subcommand, std::vector<std::string>(argv + 2, argv + argc));
            return OutputWritten() ? status : 2;
        }
    }
    std::cerr << kUsage;
    return 2;
}
