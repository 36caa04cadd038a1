// The fields of one line of a list file or of a TSV export: the fields parted by TAB, and inside
// a field a TAB, CR, LF and backslash written as \t, \r, \n and \\, so that every field, whatever
// it holds, stays on its line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Appends field to line in its escaped form.
void AppendEscaped(std::string& line, std::string_view field);

// Appends the escaped fields parted by TAB, then a LF.
void AppendLine(std::string& text, const std::vector<std::string>& fields);

enum class CEscapes {
    strict,   // a backslash before anything else than t, r, n or \, and a raw CR, spoil the line
    lenient,  // such a backslash and CR are kept as they stand (text the user wrote by hand)
};

// The fields of line (without its line end), unescaped; nullopt when escapes is strict and the
// line holds a backslash that starts no escape or a raw CR.
std::optional<std::vector<std::string>> SplitLine(std::string_view line, CEscapes escapes);
