#include "pagehost/page_path.h"

#include "files/program_directory.h"
#include "pagehost/program_scheme.h"

namespace {

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

}  // namespace

std::string PagePath(std::string_view path) {
    const std::string directory = GetProgramDirectory();
    if (path.substr(0, directory.size()) == directory &&
        (path.size() == directory.size() || path[directory.size()] == '/')) {
        path.remove_prefix(directory.size());
    }
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string address = kProgramPicturesAddress;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUnreserved(byte)) {
            address += c;
        } else {
            address += '%';
            address += kDigits[byte >> 4];
            address += kDigits[byte & 0xF];
        }
    }
    return address;
}
