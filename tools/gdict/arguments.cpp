#include "tools/gdict/arguments.h"

#include <charconv>

Arguments::Arguments(const std::vector<std::string>& args, const std::set<std::string>& allowed,
                     const std::set<std::string>& flags, std::size_t minPositionals,
                     std::size_t maxPositionals) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (optionsEnded || word.size() < 2 || word.compare(0, 2, "--") != 0) {
            m_positionals.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(2, equals == std::string::npos ? equals : equals - 2);
        if (flags.count(name)) {
            if (equals != std::string::npos) throw UsageError("--" + name + " takes no value");
            m_flags.insert(name);
            continue;
        }
        if (!allowed.count(name)) throw UsageError("unknown option --" + name);
        if (equals != std::string::npos) {
            m_options[name] = word.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            m_options[name] = args[++i];
        } else {
            throw UsageError("option --" + name + " needs a value");
        }
    }
    const std::size_t count = m_positionals.size();
    if (count < minPositionals || count > maxPositionals) {
        const std::string expected =
            minPositionals == maxPositionals
                ? std::to_string(minPositionals)
                : std::to_string(minPositionals) + " to " + std::to_string(maxPositionals);
        throw UsageError("expected " + expected + " argument" + (maxPositionals == 1 ? "" : "s") +
                         ", got " + std::to_string(count));
    }
}

std::optional<std::string> Arguments::Option(const std::string& name) const {
    const auto found = m_options.find(name);
    if (found == m_options.end()) return std::nullopt;
    return found->second;
}

unsigned long Arguments::NumberOption(const std::string& name, unsigned long fallback,
                                      unsigned long max) const {
    const std::optional<std::string> text = Option(name);
    if (!text) return fallback;
    unsigned long value = 0;
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, value);
    if (text->empty() || error != std::errc() || stop != end || value > max) {
        throw UsageError("--" + name + " takes a whole number from 0 to " + std::to_string(max));
    }
    return value;
}
