// Another program that copies, for the copy look-up benchmark: a connection of its own to the X
// server that owns the clipboard and serves its text from a thread, so that the moment of each
// copy is known exactly.
#pragma once

#include <xcb/xcb.h>

#include <mutex>
#include <string>
#include <thread>

class SelectionOwner {
public:
    // Connects to the display of $DISPLAY; throws std::runtime_error when it cannot.
    SelectionOwner();
    ~SelectionOwner();
    SelectionOwner(const SelectionOwner&) = delete;
    SelectionOwner& operator=(const SelectionOwner&) = delete;

    // Takes the clipboard with text (UTF-8), as a copy in another program does; returns once
    // the server has the request.
    void Copy(const std::string& text);

private:
    void Serve();
    xcb_atom_t Atom(const char* name);
    void Answer(const xcb_selection_request_event_t& request);

    xcb_connection_t* m_connection;
    xcb_window_t m_window;
    xcb_atom_t m_clipboard, m_targets, m_utf8, m_text, m_plain, m_plainUtf8, m_quit;
    std::mutex m_lock;
    std::string m_textCopied;
    std::thread m_server;
};
