#include "platform/popup_dismissal.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "platform/debug_output.h"

#if defined(GDICT_HAVE_XCB)
#include <xcb/xcb.h>
#endif

namespace {

#if defined(GDICT_HAVE_XCB)

constexpr xcb_keysym_t kEscapeKeysym = 0xFF1B;
// The Escape key counts with Caps Lock and Num Lock on or off: a grab names its modifiers
// exactly.
constexpr std::uint16_t kLockModifiers[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                            XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
constexpr std::uint16_t kButtonMasks = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3;

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// The X connection of the application; null when it does not run on X11.
xcb_connection_t* Connection() {
    auto* x11 =
        qApp != nullptr ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_window_t RootWindow(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// The keycodes whose symbols include Escape.
std::vector<unsigned char> EscapeKeycodes(xcb_connection_t* connection) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    const Reply<xcb_get_keyboard_mapping_reply_t> mapping(xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr));
    std::vector<unsigned char> keycodes;
    if (!mapping) return keycodes;
    const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const int perKeycode = mapping->keysyms_per_keycode;
    for (int key = 0; key < count; ++key) {
        for (int column = 0; column < perKeycode; ++column) {
            if (symbols[key * perKeycode + column] == kEscapeKeysym) {
                keycodes.push_back(static_cast<unsigned char>(setup->min_keycode + key));
                break;
            }
        }
    }
    return keycodes;
}

#endif

}  // namespace

CPopupDismissal::CPopupDismissal(QWidget* popup) : m_popup(popup) {
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &CPopupDismissal::PollButtons);
}

CPopupDismissal::~CPopupDismissal() {
    Stop();
}

bool CPopupDismissal::Start() {
    if (m_running) return true;
#if defined(GDICT_HAVE_XCB)
    xcb_connection_t* connection = Connection();
    if (connection == nullptr) return false;
    m_running = true;
    const Reply<xcb_query_pointer_reply_t> pointer(xcb_query_pointer_reply(
        connection, xcb_query_pointer(connection, RootWindow(connection)), nullptr));
    m_buttonsBefore = pointer ? pointer->mask & kButtonMasks : 0;
    qApp->installNativeEventFilter(this);
    GrabEscape();
    m_poll.start();
    return true;
#else
    return false;
#endif
}

void CPopupDismissal::Stop() {
    if (!m_running) return;
    m_running = false;
    m_poll.stop();
    UngrabEscape();
    if (qApp != nullptr) qApp->removeNativeEventFilter(this);
}

void CPopupDismissal::GrabEscape() {
#if defined(GDICT_HAVE_XCB)
    xcb_connection_t* connection = Connection();
    if (m_escapeKeycodes.empty()) m_escapeKeycodes = EscapeKeycodes(connection);
    const xcb_window_t root = RootWindow(connection);
    bool refused = false;
    for (const unsigned char keycode : m_escapeKeycodes) {
        for (const std::uint16_t modifiers : kLockModifiers) {
            const xcb_void_cookie_t cookie = xcb_grab_key_checked(
                connection, 1, root, modifiers, keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            if (const Reply<xcb_generic_error_t> error{xcb_request_check(connection, cookie)}) {
                refused = true;
            }
        }
    }
    m_grabbed = !m_escapeKeycodes.empty();
    if (refused) DebugOutput("Another program holds the Escape key\r\n");
#endif
}

void CPopupDismissal::UngrabEscape() {
#if defined(GDICT_HAVE_XCB)
    if (!m_grabbed) return;
    m_grabbed = false;
    xcb_connection_t* connection = Connection();
    if (connection == nullptr) return;
    const xcb_window_t root = RootWindow(connection);
    for (const unsigned char keycode : m_escapeKeycodes) {
        for (const std::uint16_t modifiers : kLockModifiers) {
            xcb_ungrab_key(connection, keycode, root, modifiers);
        }
    }
    xcb_flush(connection);
#endif
}

void CPopupDismissal::PollButtons() {
#if defined(GDICT_HAVE_XCB)
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || m_popup == nullptr) return;
    const Reply<xcb_query_pointer_reply_t> pointer(xcb_query_pointer_reply(
        connection, xcb_query_pointer(connection, RootWindow(connection)), nullptr));
    if (!pointer) return;
    const unsigned buttons = pointer->mask & kButtonMasks;
    const bool pressed = (buttons & ~m_buttonsBefore) != 0;
    m_buttonsBefore = buttons;
    if (pressed && !m_popup->frameGeometry().contains(QCursor::pos(m_popup->screen()))) {
        emit PressedOutside();
    }
#endif
}

bool CPopupDismissal::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#if defined(GDICT_HAVE_XCB)
    if (!m_grabbed || eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const std::uint8_t type = event->response_type & 0x7F;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    bool escape = false;
    for (const unsigned char keycode : m_escapeKeycodes) escape = escape || key->detail == keycode;
    // Only the grab's own events, reported to the root window: an Escape typed into one of the
    // program's own windows stays theirs.
    if (!escape || key->event != RootWindow(Connection())) return false;
    // Told after the event's handling: a slot that stops the watch changes the filters.
    if (type == XCB_KEY_PRESS) {
        QMetaObject::invokeMethod(this, &CPopupDismissal::EscapePressed, Qt::QueuedConnection);
    }
    return true;
#else
    (void)eventType;
    (void)message;
    return false;
#endif
}
