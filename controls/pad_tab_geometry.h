// The tab window's fixed measures, shared by its layout and its painting.
#pragma once

#include <QRect>

namespace padtab {

constexpr int kHeaderHeight = 24;
constexpr int kTabRowHeight = 20;
constexpr int kTitleLeft = 26;
constexpr int kIconSize = 16;

// A rectangle as the window system gives it: right and bottom lie just outside.
struct WinRect {
    int left, top, right, bottom;

    static WinRect From(const QRect& r) {
        return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
    }
    QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
};

}  // namespace padtab
