// The organiser's keys under the screen, as the skin draws them: a book, a speaker, the direction
// pad with its centre key, a globe and an "i". Which key a point of the main window lies on, and
// how a key looks while it is held down. The window's coordinates are the skin's pixels; the
// keys' measures come from the skin's key areas (res/pictures/skin_129_keys.txt), which the skin's
// generator writes.
#pragma once

#include <QPainterPath>
#include <QPointF>
#include <array>
#include <optional>

class QImage;
class QPainter;

enum class OrganiserKey {
    Book,
    Speaker,
    PadUp,
    PadDown,
    PadLeft,
    PadRight,
    PadCentre,
    Globe,
    Info,
};

inline constexpr std::array kOrganiserKeys = {
    OrganiserKey::Book,      OrganiserKey::Speaker, OrganiserKey::PadUp,
    OrganiserKey::PadDown,   OrganiserKey::PadLeft, OrganiserKey::PadRight,
    OrganiserKey::PadCentre, OrganiserKey::Globe,   OrganiserKey::Info,
};

// Where a press counts as a press of key: a round key with its recess in the shell; an arrow of
// the pad is the quarter of the pad's ring, between its diagonals, that holds the arrow.
QPainterPath OrganiserKeyArea(OrganiserKey key);

// The part of key that sinks when it is pressed: its face (for an arrow, the face's quarter).
QPainterPath OrganiserKeyFace(OrganiserKey key);

// The key whose area holds point; nullopt between the keys and everywhere else.
std::optional<OrganiserKey> OrganiserKeyAt(QPointF point);

// Paints key pressed over skin, which the painter has drawn at 0, 0: the key's face shows its
// picture one pixel lower and to the right, in shadow.
void PaintPressedKey(QPainter& painter, const QImage& skin, OrganiserKey key);
