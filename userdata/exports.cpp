#include "userdata/exports.h"

#include "text/mbcs.h"
#include "userdata/csv.h"
#include "userdata/safe_save.h"
#include "userdata/tsv_fields.h"
#include "userdata/utc_time.h"

namespace {

void AppendCsvLine(std::string& text, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) text += ',';
        AppendCsvField(text, fields[i]);
    }
    text += "\r\n";
}

}  // namespace

std::string WordBookTsv(const std::vector<CWordBookEntry>& entries) {
    std::string text = "english\tchinese\tadded\n";
    for (const CWordBookEntry& entry : entries) {
        AppendLine(text, {mbcs::ToUtf8(entry.english), mbcs::ToUtf8(entry.chinese),
                          FormatUtcTime(entry.added)});
    }
    return text;
}

std::string WordBookCardsCsv(const std::vector<CWordBookEntry>& entries) {
    std::string text;
    for (const CWordBookEntry& entry : entries) {
        AppendCsvLine(text, {mbcs::ToUtf8(entry.english), mbcs::ToUtf8(entry.chinese)});
    }
    return text;
}

std::string HistoryTsv(const std::vector<CHistoryEntry>& entries) {
    std::string text = "query\ttime\tresults\n";
    for (const CHistoryEntry& entry : entries) {
        AppendLine(text, {mbcs::ToUtf8(entry.query), FormatUtcTime(entry.time),
                          std::to_string(entry.results)});
    }
    return text;
}

std::string OwnTermsTsv(const std::vector<COwnTerm>& terms) {
    std::string text = "english\tchinese\tnote\n";
    for (const COwnTerm& term : terms) {
        AppendLine(text, {mbcs::ToUtf8(term.english), mbcs::ToUtf8(term.chinese),
                          mbcs::ToUtf8(term.note)});
    }
    return text;
}

std::string OwnTermsCsv(const std::vector<COwnTerm>& terms) {
    std::string text = "english,chinese,note\r\n";
    for (const COwnTerm& term : terms) {
        AppendCsvLine(text, {mbcs::ToUtf8(term.english), mbcs::ToUtf8(term.chinese),
                             mbcs::ToUtf8(term.note)});
    }
    return text;
}

void WriteExport(const std::string& path, std::string_view text) {
    SaveFileSafely(path, text);
}
