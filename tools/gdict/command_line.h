// gdict's command line in UTF-8, as main's argc and argv. On Windows the argv that main is given
// holds the words in the narrow code page of the system, which cannot hold every character (the
// Chinese of a query on a Windows set up for another language), so they are read again from the
// system's UTF-16 command line and converted. Elsewhere they are main's own.
#pragma once

#include <string>
#include <vector>

class Utf8CommandLine {
public:
    // argc and argv as main got them.
    Utf8CommandLine(int argc, char** argv);
    Utf8CommandLine(const Utf8CommandLine&) = delete;
    Utf8CommandLine& operator=(const Utf8CommandLine&) = delete;

    // The words, the program's name first; argv()[argc()] is null, as in main's argv. Valid while
    // this object lives.
    int argc() const { return m_argc; }
    char** argv() const { return m_argv; }

private:
    std::vector<std::string> m_words;
    std::vector<char*> m_pointers;
    int m_argc;
    char** m_argv;
};
