#pragma once
#include <cstdint>
#include <functional>

#include "capture/CCapture.h"
#include "overlay/qt/COverlayWnd.h"
#include "overlay/qt/overlay_end.h"
#include "picking/CDesktopSampler.h"

namespace nl {

struct AppContext;

// The window of a capture: the overlay with the capture cursor, the selection cut out of the
// veil as the shape is drawn (the custom outline dotted while drawing, filled once closed),
// and the capture itself, whose image goes to the application's captured-image store.
class CCaptureWnd final : public COverlayWnd {
public:
    static constexpr const char* kClassName = "NerimScrCop";
    static constexpr const char* kWindowName = "NerimScrCopCov";

    // `ended` runs once when the capture is over (see COverlayWnd::Attach).
    CCaptureWnd(AppContext& context, IPickCountdown& countdown, CapShape shape,
                OverlayBackdrop backdrop, std::function<void(const OverlayEnd&)> ended);

    CCapture& Capture() { return m_capture; }
    const CCapture& Capture() const { return m_capture; }

protected:
    void PaintSelection(QPainter& painter, const QBrush& hole) override;
    // With snapping on, the drag's corners snap to the desktop as it was before the overlay.
    void Created(WindowId window) override;

private:
    // The countdown of a capture with the cursor: told where the main window shows it, and
    // on the overlay, which may cover that.
    class OverlayCountdown final : public IPickCountdown {
    public:
        OverlayCountdown(IPickCountdown& inner, COverlayWnd& window)
            : m_inner(inner), m_window(window) {}
        void ShowCountdown(const std::string& text) override;
        void Wait(int milliseconds) override { m_inner.Wait(milliseconds); }

    private:
        IPickCountdown& m_inner;
        COverlayWnd& m_window;
    };

    OverlayCountdown m_countdown;
    CCapture m_capture;
    SnapSetting m_snap;
};

// The capture cursor: a cross hair with its hot spot in the middle.
QCursor CaptureCursor();

}  // namespace nl
