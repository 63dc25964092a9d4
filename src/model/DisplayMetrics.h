#pragma once
#include <cstdint>

namespace nl {

// The dots per inch of a common desktop at 100 %: the default wherever no display tells.
inline constexpr int kDefaultDpi = 96;

// The display figures that length units convert with. They are handed to the unit tables by
// whoever knows the display (the platform layer, or a test); the tables never ask a display.
// The defaults are those of a common 96-dpi desktop with the standard system font.
struct DisplayMetrics {
    int dpiX = kDefaultDpi;  // dots per inch across (LOGPIXELSX)
    int dpiY = kDefaultDpi;  // dots per inch down (LOGPIXELSY)
    int dialogBaseX = 8;     // dialog base unit across, in pixels
    int dialogBaseY = 16;    // dialog base unit down, in pixels

    // Takes the dialog base units in the system's packed form: across in the low 16 bits,
    // down in the high 16 bits, each a signed 16-bit number.
    constexpr void SetDialogBaseUnits(std::uint32_t packed) {
        dialogBaseX = static_cast<std::int16_t>(packed & 0xFFFF);
        dialogBaseY = static_cast<std::int16_t>(packed >> 16);
    }
};

}  // namespace nl
