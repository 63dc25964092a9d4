#include "framework/qt/zoom_wheel.h"

#include <QWheelEvent>

#include "framework/CAppPrefs.h"

namespace nl {

void CZoomWheel::OnWheel(QWheelEvent& event, CAppPrefs& prefs) {
    event.accept();
    const bool sampleSize = (event.modifiers() & Qt::ShiftModifier) != 0;
    // Some systems turn a wheel with Shift held into a sideways one.
    const int delta = event.angleDelta().y() != 0 ? event.angleDelta().y() : event.angleDelta().x();
    // A turn back drops what was left of the other direction.
    if ((delta > 0 && m_rest < 0) || (delta < 0 && m_rest > 0)) m_rest = 0;
    m_rest += delta;
    const int notches = m_rest / kNotch;
    if (notches == 0) return;
    m_rest -= notches * kNotch;
    if (sampleSize) {
        prefs.StepSampleSize(notches);
    } else {
        prefs.StepZoom(notches);
    }
}

}  // namespace nl
