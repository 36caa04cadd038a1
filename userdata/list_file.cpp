#include "userdata/list_file.h"

#include <charconv>
#include <filesystem>

#include "files/file_name.h"
#include "userdata/safe_save.h"
#include "userdata/term_text.h"
#include "userdata/tsv_fields.h"
#include "userdata/utc_time.h"

namespace listfile {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The version that line names when it is versionLine with another number; 0 when it is not.
unsigned long OtherVersion(std::string_view line, std::string_view versionLine) {
    const std::size_t space = versionLine.rfind(' ');
    const std::string_view stem = versionLine.substr(0, space + 1);
    if (line.substr(0, stem.size()) != stem) return 0;
    const std::string_view number = line.substr(stem.size());
    unsigned long version = 0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), version);
    return error == std::errc() && end == number.data() + number.size() ? version : 0;
}

unsigned long OwnVersion(std::string_view versionLine) {
    return OtherVersion(versionLine, versionLine);
}

}  // namespace

CSplitLines Split(std::string_view bytes, std::string_view versionLine, const std::string& path) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    CSplitLines split;
    long number = 0;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        ++number;
        // A file edited on Windows may end its lines with CR LF.
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (number == 1) {
            if (line == versionLine) continue;
            if (OtherVersion(line, versionLine) > OwnVersion(versionLine)) {
                throw CUserDataError(CUserDataError::Cause::newerFormat,
                                     path + " was written by a later version of the program (\"" +
                                         std::string(line) + "\"); it is left as it is");
            }
            split.damaged.push_back(number);
        }
        if (line.empty()) continue;
        std::optional<std::vector<std::string>> fields =
            IsUtf8(line) ? SplitLine(line, CEscapes::strict) : std::nullopt;
        if (fields) {
            split.rows.emplace_back(number, *std::move(fields));
        } else if (number != 1) {
            split.damaged.push_back(number);
        }
    }
    return split;
}

void Save(const std::string& path, std::string_view versionLine,
          const std::vector<std::vector<std::string>>& records) {
    std::string text(versionLine);
    text += '\n';
    for (const std::vector<std::string>& fields : records) AppendLine(text, fields);
    SaveFileSafely(path, text);
}

std::string KeepAside(const std::string& path, std::string_view bytes) {
    const std::string stem = path + ".damaged-" + FileNameStamp(UtcNow());
    std::string name = stem;
    std::error_code error;
    for (int n = 2; std::filesystem::exists(PathOfName(name), error) || error; ++n) {
        if (error) {
            throw CUserDataError(CUserDataError::Cause::io,
                                 "cannot keep " + path + " aside: " + error.message());
        }
        name = stem + "-" + std::to_string(n);
    }
    SaveFileSafely(name, bytes);
    return name;
}

void CreateFolderOf(const std::string& path) {
    const std::filesystem::path folder = PathOfName(path).parent_path();
    if (folder.empty()) return;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw CUserDataError(CUserDataError::Cause::io,
                             "cannot create the folder of " + path + ": " + error.message());
    }
}

}  // namespace listfile
