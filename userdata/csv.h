// Comma-separated values as RFC 4180 writes them: fields parted by commas, records by line ends;
// a field in double quotes may hold commas, line ends and quotes (written twice).
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Appends field to out, in double quotes when it holds a comma, a quote, a CR or LF, or begins or
// ends with a space.
void AppendCsvField(std::string& out, std::string_view field);

struct CCsvRecord {
    long line;  // the line on which the record begins, from 1
    std::vector<std::string> fields;
    enum class Fault {
        none,
        unclosedQuote,   // a quoted field ran to the end of the text; the record is cut there
        textAfterQuote,  // text between a closing quote and the next comma or line end; the
                         // record's fields are what came before the fault
    } fault = Fault::none;
};

// The records of text, whose lines end with CR LF or LF. Empty lines give no record; a quote
// inside a field that does not begin with one is kept as text.
std::vector<CCsvRecord> ReadCsv(std::string_view text);
