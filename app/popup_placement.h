// Where the look-up popup goes: next to the pointer, on the screen that holds it and inside
// that screen's edges.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// How far the popup keeps from the pointer, so that it does not hide what the pointer is on.
inline constexpr int kPopupPointerGap = 12;

// The top-left corner of a popup of size for the pointer at pointer on a screen whose usable
// area is screen (all in the same coordinates): below and to the right of the pointer by
// kPopupPointerGap; to its left where the popup would cross the right edge, above it where it
// would cross the bottom edge; then moved inside the screen as far as it fits, its top-left
// corner inside when it is larger than the screen.
QPoint PopupPosition(QPoint pointer, QSize size, const QRect& screen);
