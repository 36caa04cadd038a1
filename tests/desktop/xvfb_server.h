// A virtual X server of the test's own: Xvfb on a display number it picks itself (so tests
// that run at once never share one), ended with the object.
#pragma once

#include <sys/types.h>
#include <string>

class XvfbServer {
public:
    // Starts Xvfb with one screen of width x height at 24 bits and waits until it takes
    // clients. Throws std::runtime_error when it cannot be started or does not answer.
    XvfbServer(int width, int height);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // ":N", for DISPLAY.
    const std::string& Display() const { return m_display; }

private:
    pid_t m_pid = -1;
    std::string m_display;
};
