// gdict's standard streams. gdict reads and writes UTF-8 through std::cin, std::cout and
// std::cerr. A Windows console shows no UTF-8 bytes (it shows text in its own code page), so on
// Windows, while a StandardStreams lives, standard output or error that is a console gets its
// text through the console's UTF-16 interface (WriteConsoleW), and files and pipes get and give
// the UTF-8 bytes themselves, without the C library's line-end translation. Elsewhere the streams
// stay as they are.
#pragma once

#include <memory>
#include <string_view>

class StandardStreams {
public:
    // Create one at the start of main, before anything is read or written.
    StandardStreams();
    // Flushes std::cout and std::cerr and gives them back their own buffers.
    ~StandardStreams();
    StandardStreams(const StandardStreams&) = delete;
    StandardStreams& operator=(const StandardStreams&) = delete;

private:
    struct ConsoleBuffers;
    std::unique_ptr<ConsoleBuffers> m_consoles;
};

#ifdef _WIN32
// The length of the longest start of text that does not end inside a UTF-8 sequence: what a
// console can be given now while later bytes may still complete the rest. A byte that can start
// or continue no sequence counts as complete (it is shown as U+FFFD).
std::size_t CompleteUtf8Length(std::string_view text);
#endif
