// Reading a glossary to import into the own terms: a UTF-8 file of "english, chinese[, note]"
// lines, as TSV (fields parted by TAB; the escapes of userdata/tsv_fields.h are read, a backslash
// before anything else stays as it is; blank lines and lines that begin with # are passed over,
// as in the dictionary's sources) or as CSV (RFC 4180, userdata/csv.h). A UTF-8 byte order mark
// is passed over; a first line whose fields name the columns ("english", "chinese", "英文",
// "中文", ...) is the header, not a term. Empty fields after the third are passed over, so that a
// spreadsheet's padding does no harm. Every line that cannot be a term is reported and skipped.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "userdata/own_terms.h"
#include "userdata/term_text.h"

enum class CImportFormat { tsv, csv };

// The format of a file named name holding bytes: CSV for a name ending in .csv, TSV for .tsv,
// .tab and .txt (letter case ignored); otherwise TSV when the first line holds a TAB, CSV when
// not.
CImportFormat ImportFormatOf(std::string_view name, std::string_view bytes);

// A line that the import skipped, and why.
struct CSkippedLine {
    enum class Problem {
        fieldCount,      // not two or three fields
        unclosedQuote,   // a quoted CSV field that never ends
        textAfterQuote,  // text after the closing quote of a CSV field
        badText,         // field's text has the problem text
    };
    long line;  // from 1, where the record begins
    Problem problem;
    std::size_t fieldCount = 0;  // for fieldCount
    const char* field = "";      // for badText: "English text", "Chinese text" or "note"
    CTextProblem text = CTextProblem::empty;
};

// "the Chinese text is empty", "4 fields, not 2 or 3", ...: the reason, as gdict prints it after
// "line N: ".
std::string DescribeSkip(const CSkippedLine& skipped);

struct CImportedTerms {
    std::vector<COwnTerm> terms;  // in the order of the file; texts without spaces at their ends
    std::vector<CSkippedLine> skipped;  // in the order of the file
    bool header = false;                // the first line was a header
};

// The terms of an import file's bytes in format.
CImportedTerms ReadImport(std::string_view bytes, CImportFormat format);

// Reads the file named path (a file name as platform/file_name.h holds it) in its format
// (ImportFormatOf). Throws CUserDataError (Cause::io) when it cannot be read whole or is missing.
CImportedTerms ReadImportFile(const std::string& path);
