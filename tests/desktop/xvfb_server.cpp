#include "xvfb_server.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>

namespace {

constexpr int kStartMs = 10000;

}  // namespace

XvfbServer::XvfbServer(int width, int height) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) throw std::runtime_error("no pipe for Xvfb");
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const std::string fd = std::to_string(pipeFds[1]);
    m_pid = ::fork();
    if (m_pid == 0) {
        ::close(pipeFds[0]);
        // Xvfb picks a free display number and writes it, with a line end, to the descriptor.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    ::close(pipeFds[1]);
    if (m_pid < 0) {
        ::close(pipeFds[0]);
        throw std::runtime_error("Xvfb could not be started");
    }
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartMs);
    while (number.empty() || number.back() != '\n') {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wait{pipeFds[0], POLLIN, 0};
        char c = 0;
        if (left.count() <= 0 || ::poll(&wait, 1, static_cast<int>(left.count())) <= 0 ||
            ::read(pipeFds[0], &c, 1) != 1) {
            ::close(pipeFds[0]);
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
            throw std::runtime_error("Xvfb did not start (is it installed?)");
        }
        number += c;
    }
    ::close(pipeFds[0]);
    number.pop_back();
    m_display = ":" + number;
}

XvfbServer::~XvfbServer() {
    ::kill(m_pid, SIGTERM);
    ::waitpid(m_pid, nullptr, 0);
}
