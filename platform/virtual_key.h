// The desktop's virtual-key codes, which the program's key handling and its diagnostics speak in.
#pragma once

class QKeyEvent;

namespace VirtualKey {
constexpr unsigned Back = 0x08;
constexpr unsigned Return = 0x0D;
constexpr unsigned Control = 0x11;
constexpr unsigned Menu = 0x12;  // Alt
constexpr unsigned Escape = 0x1B;
constexpr unsigned Left = 0x25;
constexpr unsigned Right = 0x27;
constexpr unsigned Help = 0x2F;
constexpr unsigned F1 = 0x70;
constexpr unsigned F12 = 0x7B;
}  // namespace VirtualKey

// The virtual-key code of the key an event is about (letters and digits are their upper-case
// ASCII codes, punctuation that of a US keyboard); 0 for a key that has none.
unsigned VirtualKeyOf(const QKeyEvent& event);
