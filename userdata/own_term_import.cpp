#include "userdata/own_term_import.h"

#include <algorithm>
#include <initializer_list>

#include "text/ascii.h"
#include "userdata/csv.h"
#include "userdata/file_bytes.h"
#include "userdata/tsv_fields.h"
#include "userdata/user_data_error.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// One record of the file: the line where it begins and its fields, or why it has none.
struct Record {
    long line;
    std::vector<std::string> fields;
    std::optional<CSkippedLine::Problem> fault;
};

std::string AsciiLower(std::string_view text) {
    std::string lower(TrimmedText(text));
    for (char& c : lower) c = ascii::ToLower(c);
    return lower;
}

bool OneOf(std::string_view text, std::initializer_list<std::string_view> names) {
    const std::string lower = AsciiLower(text);
    return std::find(names.begin(), names.end(), lower) != names.end();
}

// The column names that a header line may give to the English and the Chinese column.
bool IsHeader(const std::vector<std::string>& fields) {
    return fields.size() >= 2 &&
           OneOf(fields[0], {"english", "en", "term", "english term", "英文", "英语", "英文术语",
                             "英文名称"}) &&
           OneOf(fields[1], {"chinese", "zh", "cn", "translation", "chinese term", "中文", "汉语",
                             "中文术语", "中文名称", "译文", "翻译"});
}

std::vector<Record> TsvRecords(std::string_view text) {
    std::vector<Record> records;
    long number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (TrimmedText(line).empty() || line.front() == '#') continue;
        records.push_back({number, *SplitLine(line, CEscapes::lenient), std::nullopt});
    }
    return records;
}

std::vector<Record> CsvRecords(std::string_view text) {
    std::vector<Record> records;
    for (CCsvRecord& record : ReadCsv(text)) {
        std::optional<CSkippedLine::Problem> fault;
        if (record.fault == CCsvRecord::Fault::unclosedQuote) {
            fault = CSkippedLine::Problem::unclosedQuote;
        } else if (record.fault == CCsvRecord::Fault::textAfterQuote) {
            fault = CSkippedLine::Problem::textAfterQuote;
        }
        records.push_back({record.line, std::move(record.fields), fault});
    }
    return records;
}

// The term of record, or the reason why it is none.
std::optional<CSkippedLine> TermOf(Record& record, COwnTerm& term) {
    if (record.fault) return CSkippedLine{record.line, *record.fault};
    std::vector<std::string>& fields = record.fields;
    while (fields.size() > 3 && TrimmedText(fields.back()).empty()) fields.pop_back();
    if (fields.size() < 2 || fields.size() > 3) {
        return CSkippedLine{record.line, CSkippedLine::Problem::fieldCount, fields.size()};
    }
    const struct {
        const char* name;
        const CTextRule& rule;
        std::string& text;
    } parts[] = {{"English text", kTermTextRule, term.english},
                 {"Chinese text", kTermTextRule, term.chinese},
                 {"note", kNoteTextRule, term.note}};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string_view field = i < fields.size() ? TrimmedText(fields[i]) : "";
        if (const std::optional<CTextProblem> problem =
                CheckUtf8Text(field, parts[i].rule, &parts[i].text)) {
            return CSkippedLine{record.line, CSkippedLine::Problem::badText, 0, parts[i].name,
                                *problem};
        }
    }
    return std::nullopt;
}

bool EndsWith(std::string_view name, std::string_view ending) {
    return name.size() >= ending.size() &&
           AsciiLower(name.substr(name.size() - ending.size())) == AsciiLower(ending);
}

}  // namespace

CImportFormat ImportFormatOf(std::string_view name, std::string_view bytes) {
    if (EndsWith(name, ".csv")) return CImportFormat::csv;
    for (const char* ending : {".tsv", ".tab", ".txt"}) {
        if (EndsWith(name, ending)) return CImportFormat::tsv;
    }
    const std::string_view firstLine = bytes.substr(0, bytes.find('\n'));
    return firstLine.find('\t') != std::string_view::npos ? CImportFormat::tsv : CImportFormat::csv;
}

std::string DescribeSkip(const CSkippedLine& skipped) {
    switch (skipped.problem) {
        case CSkippedLine::Problem::fieldCount:
            return std::to_string(skipped.fieldCount) +
                   (skipped.fieldCount == 1 ? " field" : " fields") + ", not 2 or 3";
        case CSkippedLine::Problem::unclosedQuote:
            return "a quoted field that never ends";
        case CSkippedLine::Problem::textAfterQuote:
            return "text after the closing quote of a field";
        case CSkippedLine::Problem::badText:
            break;
    }
    return std::string("the ") + skipped.field + " " + DescribeTextProblem(skipped.text);
}

CImportedTerms ReadImport(std::string_view bytes, CImportFormat format) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    std::vector<Record> records =
        format == CImportFormat::tsv ? TsvRecords(bytes) : CsvRecords(bytes);
    CImportedTerms imported;
    imported.terms.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        Record& record = records[i];
        if (i == 0 && !record.fault && IsHeader(record.fields)) {
            imported.header = true;
            continue;
        }
        COwnTerm term;
        if (std::optional<CSkippedLine> skipped = TermOf(record, term)) {
            imported.skipped.push_back(*skipped);
        } else {
            imported.terms.push_back(std::move(term));
        }
    }
    return imported;
}

CImportedTerms ReadImportFile(const std::string& path) {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        throw CUserDataError(CUserDataError::Cause::io, "cannot read " + path + ": no such file");
    }
    return ReadImport(*bytes, ImportFormatOf(path, *bytes));
}
