// What a program the tests ran gave back, and the whole of a file it wrote.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// The bytes of the file at path; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
