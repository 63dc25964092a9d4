#pragma once

class QWheelEvent;

namespace nl {

class CAppPrefs;

// The wheel over a zoom control zooms as image viewers do: a notch away from the user zooms
// in one step, toward the user out. Fine-grained wheels and touchpads send parts of a
// notch; they add up until a whole one is reached. With Shift held, the notches step the
// size of the square picks sample instead.
class CZoomWheel {
public:
    // One notch, in the eighths of a degree wheel events count.
    static constexpr int kNotch = 120;

    // Zooms by the event's whole notches and accepts it.
    void OnWheel(QWheelEvent& event, CAppPrefs& prefs);

private:
    int m_rest = 0;
};

}  // namespace nl
