#include "userdata/csv.h"

void AppendCsvField(std::string& out, std::string_view field) {
    const bool quoted = field.find_first_of(",\"\r\n") != std::string_view::npos ||
                        (!field.empty() && (field.front() == ' ' || field.back() == ' '));
    if (!quoted) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

std::vector<CCsvRecord> ReadCsv(std::string_view text) {
    std::vector<CCsvRecord> records;
    long line = 1;
    std::size_t i = 0;
    const auto atLineEnd = [&](std::size_t at) {
        return at >= text.size() || text[at] == '\n' ||
               (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n');
    };
    // Steps over the line end at i, if there is one.
    const auto passLineEnd = [&] {
        if (i < text.size() && text[i] == '\r') ++i;
        if (i < text.size() && text[i] == '\n') ++i;
        ++line;
    };
    while (i < text.size()) {
        if (atLineEnd(i)) {
            passLineEnd();
            continue;
        }
        CCsvRecord record{line, {}};
        for (;;) {
            std::string field;
            if (i < text.size() && text[i] == '"') {
                ++i;
                for (;;) {
                    if (i >= text.size()) {
                        record.fault = CCsvRecord::Fault::unclosedQuote;
                        break;
                    }
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == '\n') ++line;
                    field += text[i++];
                }
                if (record.fault == CCsvRecord::Fault::none && !atLineEnd(i) && text[i] != ',') {
                    record.fault = CCsvRecord::Fault::textAfterQuote;
                }
            } else {
                while (!atLineEnd(i) && text[i] != ',') field += text[i++];
            }
            record.fields.push_back(std::move(field));
            if (record.fault != CCsvRecord::Fault::none || atLineEnd(i)) break;
            ++i;  // the comma
        }
        // A faulty record's line is passed over to its end.
        while (!atLineEnd(i)) ++i;
        if (i < text.size()) passLineEnd();
        records.push_back(std::move(record));
    }
    return records;
}
