// The words of one gdict subcommand: its options and its positional arguments.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// A fault in how gdict was called: the message goes to standard error with the usage.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Arguments {
public:
    // Splits args into options and positionals. Options are "--name VALUE" or "--name=VALUE"
    // with a name from allowed; "--" ends the options. Throws UsageError for an unknown option,
    // a missing value, or a count of positionals other than positionals.
    Arguments(const std::vector<std::string>& args, const std::set<std::string>& allowed,
              std::size_t positionals)
        : Arguments(args, allowed, {}, positionals, positionals) {}
    // The same with from minPositionals to maxPositionals positionals.
    Arguments(const std::vector<std::string>& args, const std::set<std::string>& allowed,
              std::size_t minPositionals, std::size_t maxPositionals)
        : Arguments(args, allowed, {}, minPositionals, maxPositionals) {}
    // The same with the switches flags besides: "--name" alone, without a value ("--name=VALUE"
    // is a usage error).
    Arguments(const std::vector<std::string>& args, const std::set<std::string>& allowed,
              const std::set<std::string>& flags, std::size_t minPositionals,
              std::size_t maxPositionals);

    std::optional<std::string> Option(const std::string& name) const;
    // True when the switch name was given.
    bool Flag(const std::string& name) const { return m_flags.count(name) != 0; }
    // The option as a whole number from 0 to max, or fallback when it is absent; throws
    // UsageError for anything else.
    unsigned long NumberOption(const std::string& name, unsigned long fallback,
                               unsigned long max) const;
    const std::string& Positional(std::size_t index) const { return m_positionals.at(index); }
    std::size_t PositionalCount() const { return m_positionals.size(); }

private:
    std::map<std::string, std::string> m_options;
    std::set<std::string> m_flags;
    std::vector<std::string> m_positionals;
};
