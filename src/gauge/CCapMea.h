#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "gauge/CWndCapMea.h"

namespace nl {

class CAppPrefs;
class CPrefs;
class CUnitXY;
struct NumberFormat;

// A measurement opened from the Gauge's toolbar: the measuring overlay, which on finishing
// successfully hands its gesture on to be stored.
//
// While keeping, each finished gesture is stored with the measurement before it kept, and the
// overlay stays open for the next one; Enter or Esc ends it then. Shift+Enter turns keeping
// on or off while the overlay is open.
class CCapMea final : public CWndCapMea {
public:
    // Takes the finished gesture (the document stores it, keeping the measurement it replaces
    // or not; a plain click stores nothing) and returns the system error code of the
    // auto-copy, 0 when there was none.
    using Store = std::function<std::uint32_t(const MeaGesture&, KeepMeasurement)>;

    CCapMea(IOverlayWindow& window, const CAppPrefs& prefs, MeaShape shape,
            MeaFromCenter fromCenter, Store store);

    // Whether the main window leaves the screen while a measurement of these settings is open.
    static MainWindowAfter MainWindowRule(const CAppPrefs& prefs);

    void SetKeeping(bool keeping) { m_keeping = keeping; }
    bool Keeping() const { return m_keeping; }
    // Whether this overlay stored a measurement already.
    bool KeptAny() const { return m_keptAny; }

protected:
    void Finish() override;
    bool TakeAndGoOn() override;
    bool WouldTakeKey(std::uint32_t virtualKey, KeyState keys) const override;
    void TakeKey(std::uint32_t virtualKey, KeyState keys) override;

private:
    // Stores the gesture, or both lines of a spacing cross, the first with `keep`; returns
    // the first auto-copy failure.
    std::uint32_t StoreGestures(KeepMeasurement keep);
    KeepMeasurement KeepNow() const {
        return m_keeping || m_keptAny ? KeepMeasurement::kYes : KeepMeasurement::kNo;
    }

    Store m_store;
    bool m_keeping = false;
    bool m_keptAny = false;
    bool m_concluded = false;
    std::uint32_t m_keptError = 0;
};

// Whether the Gauge keeps measurements (the setting in the file beside the data file).
bool StoredKeepMeasurements(const CPrefs& prefs);
void StoreKeepMeasurements(CPrefs& prefs, bool keep);

// The string id of the Gauge's prompt: picking stopped, no measurement open, or the open
// measurement's state and shape; 0 for the states that leave the prompt to others.
std::uint32_t MeasurePromptId(bool pickingStarted, const CWndCapMea* open);
// The overlay's line on keeping: how to end it once measurements were kept, or that it keeps
// them; empty when it does not keep.
std::string MeasureKeepingText(const CCapMea& open);

// The position pane while measuring: "NN: " with the path's vertex count (0 for the other
// shapes), then the extent on the screen in `unit` with its size.
std::string MeasurePositionText(const CUnitXY& unit, const CWndCapMea& open);

// What the overlay's label says of a gesture under way, as the finished measurement's rows
// would: a line's length and angle, a rectangle's size and perimeter, an ellipse's diameters
// and circumference, a path's perimeter ("Length: 223.61   Angle: 26.57°"), a spacing cross's
// space and the distances from the clicked pixel to its edges; empty while no gesture holds
// the mouse or it is a plain click.
// The label of a kept measurement on the overlay and in annotated images: a line's length, a
// rectangle's size, an ellipse's diameters, a path's perimeter, as its rows give them.
std::string MeasurementLabel(const CUnitXY& unit, const NumberFormat& regional,
                             const CWndCapMeaData& measurement);

// The measurements view's entries (name, value, name, value ...) for `measurements`: one
// measurement's rows as they are; several each under a heading row ("Measurement 2" with its
// label) in their order.
std::vector<std::string> MeasurementsViewRows(const CUnitXY& unit, const NumberFormat& regional,
                                              std::span<const CWndCapMeaData* const> measurements);

std::string MeasureLiveFigures(const CUnitXY& unit, const NumberFormat& regional,
                               const CWndCapMea& open);

}  // namespace nl
