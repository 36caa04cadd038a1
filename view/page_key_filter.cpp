// The dictionary page's keyboard filter. The browser would act on these keys as a web browser
// does (reload, print, new window, history), and Escape would close the windows above the page;
// the page swallows them before the browser or any window sees them.
#include <QGuiApplication>
#include <QKeyEvent>
#include <cstdio>

#include "platform/debug_output.h"
#include "platform/virtual_key.h"
#include "view/dict_view_page.h"

namespace {

struct IgnoredShortcut {
    Qt::KeyboardModifier modifier;
    unsigned key;
    const char* debugLine;
};

constexpr IgnoredShortcut kIgnoredShortcuts[] = {
    {Qt::ControlModifier, 'N', "Ctrl-N ignored\r\n"},
    {Qt::ControlModifier, 'P', "Ctrl-P ignored\r\n"},
    {Qt::ControlModifier, 'D', "Ctrl-D ignored\r\n"},
    {Qt::AltModifier, VirtualKey::Left, "Atl-Left ignored\r\n"},
    {Qt::AltModifier, VirtualKey::Right, "Atl-Right ignored\r\n"},
};

bool IsFunctionKey(unsigned key) {
    return (key >= VirtualKey::F1 && key <= VirtualKey::F12) || key == VirtualKey::Help ||
           key == VirtualKey::Escape;
}

// The debug line of a key the page swallows; null for a key that goes on.
const char* SwallowedLine(const QKeyEvent& event) {
    const unsigned key = VirtualKeyOf(event);
    if (IsFunctionKey(key)) return "Function key ignored\r\n";
    // A modifier counts when the event carries it or the keyboard holds it down now.
    const Qt::KeyboardModifiers down =
        event.modifiers() | QGuiApplication::queryKeyboardModifiers();
    for (const IgnoredShortcut& shortcut : kIgnoredShortcuts) {
        if (down.testFlag(shortcut.modifier) && key == shortcut.key) return shortcut.debugLine;
    }
    return nullptr;
}

}  // namespace

bool CDictViewPage::eventFilter(QObject* watched, QEvent* event) {
    // Only keys from the keyboard: the browser hands keys it did not use on to its view again,
    // and those were filtered when they came in.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (event->spontaneous() && widget != nullptr && (widget == this || isAncestorOf(widget))) {
        return PreTranslateMessage(event);
    }
    return CHtmlDialog::eventFilter(watched, event);
}

bool CDictViewPage::PreTranslateMessage(QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // Claimed, so that no shortcut of a window above the page acts on a swallowed key.
            if (SwallowedLine(static_cast<QKeyEvent&>(*event)) == nullptr) return false;
            event->accept();
            return true;
        }
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            char line[48];
            std::snprintf(line, sizeof line, "Key pressed pMsg->wParam=0x%X\r\n",
                          VirtualKeyOf(key));
            DebugOutput(line);
            const char* swallowed = SwallowedLine(key);
            if (swallowed == nullptr) return false;
            DebugOutput(swallowed);
            return true;
        }
        default:
            return false;
    }
}
