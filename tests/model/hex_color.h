#pragma once
#include <string>

#include "model/color_math.h"

namespace nl::test {

// "#RRGGBB" as a color, for tables written the way the reference tools print colors.
inline COLORREF Hex(const std::string& text) {
    const auto rgb = static_cast<COLORREF>(std::stoul(text.substr(1), nullptr, 16));
    return MakeRgb(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8 & 0xFF),
                   static_cast<int>(rgb & 0xFF));
}

}  // namespace nl::test
