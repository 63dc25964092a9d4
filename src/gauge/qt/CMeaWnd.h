#pragma once
#include <functional>
#include <memory>

#include "gauge/CWndCapMea.h"
#include "overlay/qt/COverlayWnd.h"

namespace nl {

struct AppContext;

// The window of a measurement: the overlay with the measuring cursor, the measuring grid on
// the veil while "Show grid while measuring" is on, the shape under way in white (repainted
// where it was, so it follows the cursor like a rubber band) and the path's polyline or a
// shown measurement in near-black.
class CMeaWnd final : public COverlayWnd {
public:
    static constexpr const char* kClassName = "NerimScrCop";
    static constexpr const char* kWindowName = "NerimScrCopCov";

    // Builds the measuring state machine on this window.
    using MakeOverlay = std::function<std::unique_ptr<CWndCapMea>(IOverlayWindow&)>;

    // `ended` runs once when the measurement is over (see COverlayWnd::Attach).
    CMeaWnd(AppContext& context, OverlayBackdrop backdrop, const MakeOverlay& make,
            std::function<void(const OverlayEnd&)> ended);

    CWndCapMea& Measure() { return *m_measure; }
    const CWndCapMea& Measure() const { return *m_measure; }

protected:
    void PaintSelection(QPainter& painter, const QBrush& hole) override;
    // With snapping on, the ends snap to the desktop as it was before the overlay opened.
    void Created(WindowId window) override;

private:
    void PaintGrid(QPainter& painter);
    // The color `color` drawn at the veil's strength.
    QColor Ink(const QColor& color) const;

    AppContext& m_context;
    std::unique_ptr<CWndCapMea> m_measure;
    SnapSetting m_snap;
};

// The measuring cursor: a cross hair with a pixel gap and scale marks on its arms.
QCursor MeasureCursor();

}  // namespace nl
