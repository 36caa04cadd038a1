#include "tools/gdict/standard_streams.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <streambuf>
#include <string>
#include <vector>

#include "text/wide_text.h"

namespace {

// Writes the UTF-8 text it is given to a console as UTF-16. A UTF-8 sequence that a flush would
// cut waits in the buffer for its last bytes; the buffer's end writes it as it is.
class ConsoleWriter : public std::streambuf {
public:
    explicit ConsoleWriter(HANDLE console) : m_console(console) {
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    }
    ~ConsoleWriter() override { Flush(true); }
    ConsoleWriter(const ConsoleWriter&) = delete;
    ConsoleWriter& operator=(const ConsoleWriter&) = delete;

protected:
    int_type overflow(int_type c) override {
        if (!Flush(false)) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return Flush(false) ? 0 : -1; }

private:
    // Writes the buffer's text, all of it or up to an unfinished sequence at its end, and keeps
    // the rest at the buffer's start. False when the console refused the text.
    bool Flush(bool all) {
        const std::string_view held(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        const std::size_t complete = all ? held.size() : CompleteUtf8Length(held);
        const std::wstring text = WideFromUtf8(held.substr(0, complete));
        bool written = true;
        for (std::size_t done = 0; done < text.size();) {
            DWORD count = 0;
            if (!WriteConsoleW(m_console, text.data() + done,
                               static_cast<DWORD>(text.size() - done), &count, nullptr) ||
                count == 0) {
                written = false;
                break;
            }
            done += count;
        }
        const std::size_t rest = held.size() - complete;
        std::memmove(m_buffer.data(), held.data() + complete, rest);
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
        pbump(static_cast<int>(rest));
        return written;
    }

    HANDLE m_console;
    std::array<char, 4096> m_buffer;
};

// The console behind a standard handle, or null when the handle is a file, a pipe or nothing.
HANDLE ConsoleOf(DWORD standardHandle) {
    const HANDLE handle = GetStdHandle(standardHandle);
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode)
               ? handle
               : nullptr;
}

}  // namespace

// The writers that stand in for the buffers of std::cout and std::cerr while those are consoles.
struct StandardStreams::ConsoleBuffers {
    struct Replaced {
        std::ostream& stream;
        std::unique_ptr<ConsoleWriter> writer;
        std::streambuf* own;
    };
    std::vector<Replaced> replaced;
};

StandardStreams::StandardStreams() : m_consoles(std::make_unique<ConsoleBuffers>()) {
    _setmode(_fileno(stdin), _O_BINARY);
    const struct {
        DWORD handle;
        std::FILE* file;
        std::ostream& stream;
    } outputs[] = {{STD_OUTPUT_HANDLE, stdout, std::cout}, {STD_ERROR_HANDLE, stderr, std::cerr}};
    for (const auto& output : outputs) {
        if (const HANDLE console = ConsoleOf(output.handle)) {
            auto writer = std::make_unique<ConsoleWriter>(console);
            std::streambuf* own = output.stream.rdbuf(writer.get());
            m_consoles->replaced.push_back({output.stream, std::move(writer), own});
        } else {
            _setmode(_fileno(output.file), _O_BINARY);
        }
    }
}

StandardStreams::~StandardStreams() {
    std::cout.flush();
    std::cerr.flush();
    for (ConsoleBuffers::Replaced& replaced : m_consoles->replaced) {
        replaced.stream.rdbuf(replaced.own);
    }
}

std::size_t CompleteUtf8Length(std::string_view text) {
    const std::size_t size = text.size();
    for (std::size_t back = 1; back <= std::min<std::size_t>(size, 3); ++back) {
        const auto byte = static_cast<unsigned char>(text[size - back]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: its sequence starts before
        const std::size_t length = byte >= 0xF0 && byte <= 0xF4   ? 4
                                   : byte >= 0xE0 && byte <= 0xEF ? 3
                                   : byte >= 0xC2 && byte <= 0xDF ? 2
                                                                  : 1;
        return length > back ? size - back : size;
    }
    return size;
}

#else

struct StandardStreams::ConsoleBuffers {};

StandardStreams::StandardStreams() = default;

StandardStreams::~StandardStreams() = default;

#endif
