// Capture coordinates are physical screen pixels; Qt hands out logical positions, which differ
// on a scaled screen. These helpers cross between the two.
#pragma once

#include <QPointF>
#include <QRect>
#include <cmath>

#include "capture/selection.h"

namespace textorin {

// Qt divides the device's pixel position by the ratio; rounding the product back gives that
// pixel again (flooring would lose one to the division's rounding error).
inline Point to_physical(QPointF logical, qreal ratio) {
    return {static_cast<int>(std::lround(logical.x() * ratio)),
            static_cast<int>(std::lround(logical.y() * ratio))};
}

// The logical rectangle that covers a physical one, for repainting it.
inline QRect to_logical(const Rect& r, qreal ratio) {
    return QRect(static_cast<int>(std::floor(r.left / ratio)),
                 static_cast<int>(std::floor(r.top / ratio)),
                 static_cast<int>(std::ceil(r.width() / ratio)) + 2,
                 static_cast<int>(std::ceil(r.height() / ratio)) + 2);
}

inline Rect to_physical(const QRect& r, qreal ratio) {
    return {static_cast<int>(std::floor(r.left() * ratio)),
            static_cast<int>(std::floor(r.top() * ratio)),
            static_cast<int>(std::ceil((r.right() + 1) * ratio)),
            static_cast<int>(std::ceil((r.bottom() + 1) * ratio))};
}

}  // namespace textorin
