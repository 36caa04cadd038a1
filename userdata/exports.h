// The lists as files for other programs: UTF-8 TSV with a header line naming the columns (the
// fields escaped as userdata/tsv_fields.h says, lines ending with LF), and CSV (RFC 4180, lines
// ending with CR LF). An export of the own terms reads back through their import as it was.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "userdata/history.h"
#include "userdata/own_terms.h"
#include "userdata/word_book.h"

// "english TAB chinese TAB added" lines, the time as ISO 8601 UTC.
std::string WordBookTsv(const std::vector<CWordBookEntry>& entries);
// "english,chinese" lines without a header: the front and the back of a flash card.
std::string WordBookCardsCsv(const std::vector<CWordBookEntry>& entries);
// "query TAB time TAB results" lines.
std::string HistoryTsv(const std::vector<CHistoryEntry>& entries);
// "english TAB chinese TAB note" lines.
std::string OwnTermsTsv(const std::vector<COwnTerm>& terms);
// "english,chinese,note" lines after a header line of those names.
std::string OwnTermsCsv(const std::vector<COwnTerm>& terms);

// Writes an export as the file named path, by userdata/safe_save.h: the file is whole or as it
// was. Throws CUserDataError (Cause::io) when it cannot.
void WriteExport(const std::string& path, std::string_view text);
