#pragma once
#include <cstdint>
#include <string>

#include "base/geometry.h"

namespace nl {

class CUnitXY;

// Whether color picking and the live tools run.
enum class Picking { kStopped, kRunning };

// The "cursor position properties" text: the magnified desktop area in `unit` with the
// rectangle-and-size format, or "Start to enable" while the tools are stopped.
std::string MagnifiedAreaText(Picking picking, const Rect& source, const CUnitXY& unit);

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
