#include "app/popup_placement.h"

#include <algorithm>

namespace {

// The start of a popup of length on one axis: after the pointer, else before it, then inside
// [low, high] as far as it fits.
int Place(int pointer, int length, int low, int high) {
    int start = pointer + kPopupPointerGap;
    if (start + length - 1 > high) start = pointer - kPopupPointerGap - length + 1;
    return std::max(low, std::min(start, high - length + 1));
}

}  // namespace

QPoint PopupPosition(QPoint pointer, QSize size, const QRect& screen) {
    return {Place(pointer.x(), size.width(), screen.left(), screen.right()),
            Place(pointer.y(), size.height(), screen.top(), screen.bottom())};
}
