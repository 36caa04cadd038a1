#include "tools/gdict/command_line.h"

#ifdef _WIN32
#include <windows.h>
// Windows' own header order: shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <memory>

#include "text/wide_text.h"

Utf8CommandLine::Utf8CommandLine(int argc, char** argv) : m_argc(argc), m_argv(argv) {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> words(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    if (!words) return;  // the system's parse failed: main's own words are all there is
    for (int i = 0; i < count; ++i) m_words.push_back(Utf8FromWide(words.get()[i]));
    for (std::string& word : m_words) m_pointers.push_back(word.data());
    m_pointers.push_back(nullptr);
    m_argc = count;
    m_argv = m_pointers.data();
}

#else

Utf8CommandLine::Utf8CommandLine(int argc, char** argv) : m_argc(argc), m_argv(argv) {}

#endif
