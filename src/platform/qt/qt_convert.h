// Conversions between the core's types (UTF-8 strings, edge rectangles) and Qt's.
#pragma once

#include <QRect>
#include <QString>
#include <string_view>

#include "base/geometry.h"

namespace nl {

inline QString ToQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The core's rectangles hold right and bottom edges outside the rectangle; Qt's hold a size.
inline QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

inline Rect ToRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace nl
