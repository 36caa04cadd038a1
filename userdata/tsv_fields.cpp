#include "userdata/tsv_fields.h"

void AppendEscaped(std::string& line, std::string_view field) {
    for (const char c : field) {
        switch (c) {
            case '\t':
                line += "\\t";
                break;
            case '\r':
                line += "\\r";
                break;
            case '\n':
                line += "\\n";
                break;
            case '\\':
                line += "\\\\";
                break;
            default:
                line += c;
        }
    }
}

void AppendLine(std::string& text, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) text += '\t';
        AppendEscaped(text, fields[i]);
    }
    text += '\n';
}

std::optional<std::vector<std::string>> SplitLine(std::string_view line, CEscapes escapes) {
    const bool strict = escapes == CEscapes::strict;
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
            continue;
        }
        if (c == '\r' && strict) return std::nullopt;
        if (c != '\\') {
            fields.back() += c;
            continue;
        }
        const char next = i + 1 < line.size() ? line[i + 1] : '\0';
        const char unescaped = next == 't'    ? '\t'
                               : next == 'r'  ? '\r'
                               : next == 'n'  ? '\n'
                               : next == '\\' ? '\\'
                                              : '\0';
        if (unescaped == '\0') {
            if (strict) return std::nullopt;
            fields.back() += c;
            continue;
        }
        fields.back() += unescaped;
        ++i;
    }
    return fields;
}
