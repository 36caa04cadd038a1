// Reading what the build stored under GDICT_RES_BUILD_DIR (the string table in strings/, the
// HTML pages in html/).
#pragma once

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

// The bytes of the file at relativePath under the build's resource folder. Throws
// std::runtime_error when the file cannot be read, that is when its build step did not run.
inline std::string ReadResource(const std::string& relativePath) {
    const std::string path = std::string(GDICT_RES_BUILD_DIR) + "/" + relativePath;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
