#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "gauge/CWndCapMea.h"

namespace nl {

class CAppPrefs;
class CUnitXY;
struct NumberFormat;

// A measurement opened from the Gauge's toolbar: the measuring overlay, which on finishing
// successfully hands its gesture on to be stored.
class CCapMea final : public CWndCapMea {
public:
    // Takes the finished gesture (the document stores it; a plain click stores nothing) and
    // returns the system error code of the auto-copy, 0 when there was none.
    using Store = std::function<std::uint32_t(const MeaGesture&)>;

    CCapMea(IOverlayWindow& window, const CAppPrefs& prefs, MeaShape shape,
            MeaFromCenter fromCenter, Store store);

    // Whether the main window leaves the screen while a measurement of these settings is open.
    static MainWindowAfter MainWindowRule(const CAppPrefs& prefs);

protected:
    void Finish() override;

private:
    Store m_store;
};

// The string id of the Gauge's prompt: picking stopped, no measurement open, or the open
// measurement's state and shape; 0 for the states that leave the prompt to others.
std::uint32_t MeasurePromptId(bool pickingStarted, const CWndCapMea* open);

// The position pane while measuring: "NN: " with the path's vertex count (0 for the other
// shapes), then the extent on the screen in `unit` with its size.
std::string MeasurePositionText(const CUnitXY& unit, const CWndCapMea& open);

// What the overlay's label says of a gesture under way, as the finished measurement's rows
// would: a line's length and angle, a rectangle's size and perimeter, an ellipse's diameters
// and circumference, a path's perimeter ("Length: 223.61   Angle: 26.57°"); empty while no
// gesture holds the mouse or it is a plain click.
std::string MeasureLiveFigures(const CUnitXY& unit, const NumberFormat& regional,
                               const CWndCapMea& open);

}  // namespace nl
