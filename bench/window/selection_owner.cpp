#include "selection_owner.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

SelectionOwner::SelectionOwner() : m_connection(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(m_connection)) {
        xcb_disconnect(m_connection);
        throw std::runtime_error("no X display");
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    m_window = xcb_generate_id(m_connection);
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, 0, nullptr);
    m_clipboard = Atom("CLIPBOARD");
    m_targets = Atom("TARGETS");
    m_utf8 = Atom("UTF8_STRING");
    m_text = Atom("TEXT");
    m_plain = Atom("text/plain");
    m_plainUtf8 = Atom("text/plain;charset=utf-8");
    m_quit = Atom("GDICT_BENCH_QUIT");
    m_server = std::thread(&SelectionOwner::Serve, this);
}

SelectionOwner::~SelectionOwner() {
    // A message to its own window ends the thread that waits for events.
    xcb_client_message_event_t quit{};
    quit.response_type = XCB_CLIENT_MESSAGE;
    quit.format = 32;
    quit.window = m_window;
    quit.type = m_quit;
    xcb_send_event(m_connection, 0, m_window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&quit));
    xcb_flush(m_connection);
    m_server.join();
    xcb_disconnect(m_connection);
}

xcb_atom_t SelectionOwner::Atom(const char* name) {
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(
            m_connection,
            xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void SelectionOwner::Copy(const std::string& text) {
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_textCopied = text;
    }
    xcb_set_selection_owner(m_connection, m_window, m_clipboard, XCB_CURRENT_TIME);
    xcb_flush(m_connection);
}

void SelectionOwner::Serve() {
    while (xcb_generic_event_t* event = xcb_wait_for_event(m_connection)) {
        const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> held(event, &std::free);
        const std::uint8_t type = event->response_type & 0x7F;
        if (type == XCB_CLIENT_MESSAGE &&
            reinterpret_cast<xcb_client_message_event_t*>(event)->type == m_quit) {
            return;
        }
        if (type == XCB_SELECTION_REQUEST) {
            Answer(*reinterpret_cast<xcb_selection_request_event_t*>(event));
        }
    }
}

void SelectionOwner::Answer(const xcb_selection_request_event_t& request) {
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = request.property == XCB_ATOM_NONE ? request.target : request.property;
    if (request.target == m_targets) {
        const xcb_atom_t targets[] = {m_targets, m_utf8,  XCB_ATOM_STRING,
                                      m_text,    m_plain, m_plainUtf8};
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor, notify.property,
                            XCB_ATOM_ATOM, 32, std::size(targets), targets);
    } else if (request.target == m_utf8 || request.target == XCB_ATOM_STRING ||
               request.target == m_text || request.target == m_plain ||
               request.target == m_plainUtf8) {
        const std::lock_guard<std::mutex> hold(m_lock);
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor, notify.property,
                            request.target, 8, static_cast<std::uint32_t>(m_textCopied.size()),
                            m_textCopied.data());
    } else {
        notify.property = XCB_ATOM_NONE;
    }
    xcb_send_event(m_connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    xcb_flush(m_connection);
}
