#pragma once
#include <cstdint>
#include <string>

#include "base/geometry.h"

namespace nl {

class CUnitXY;

// String ids of the magnifier's texts.
inline constexpr std::uint32_t kIdsStartToEnable = 2013;  // "Start to enable"
inline constexpr std::uint32_t kIdsHintDisabled = 2100;
inline constexpr std::uint32_t kIdsHintActivate = 2101;
inline constexpr std::uint32_t kIdsHintMoveOutside = 2102;
inline constexpr std::uint32_t kIdsHintCopyMagnified = 2104;

// Shown by the copy instructions command.
inline constexpr const char* kCopyInstructionsText =
    "To copy the magnified image to the clipboard:\n\n"
    "1- Click on the NerimLens window to activate it\n"
    "2- Move the cursor to the desired location\n"
    "3- Press Ctrl+C\n\n"
    "For more options, select Tools > Screen Copier from the menu.";
// Raised by Copy when nothing is magnified.
inline constexpr const char* kNoDataToCopyText =
    "There is no data available to copy to the clipboard.";

// The "cursor position properties" text: the magnified desktop area in `unit` with the
// rectangle-and-size format, or "Start to enable" while the tools are stopped.
std::string MagnifiedAreaText(bool started, const Rect& source, const CUnitXY& unit);

// The status bar's hint while the magnifier view is active.
struct MagnifierHintState {
    bool started = false;
    bool mainIsForeground = false;
    bool keyboardAvailable = false;
};
std::uint32_t MagnifierHintId(const MagnifierHintState& state);

// Whether the magnifier centres on the ruler's origin instead of the cursor: the option is
// on, and the ruler window exists and is the foreground window.
bool FollowRulerActive(std::uint32_t magnifierOptions, bool rulerExists, bool rulerForeground);

}  // namespace nl
