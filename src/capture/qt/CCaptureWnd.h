#pragma once
#include <cstdint>
#include <functional>

#include "capture/CCapture.h"
#include "framework/qt/COverlayWnd.h"

namespace nl {

struct AppContext;
class IDialogs;
class IViewHost;

// The window of a capture: the overlay with the capture cursor, the selection cut out of the
// veil as the shape is drawn (the custom outline dotted while drawing, filled once closed),
// and the capture itself, whose image goes to the application's captured-image store.
class CCaptureWnd final : public COverlayWnd {
public:
    static constexpr const char* kClassName = "NerimScrCop";
    static constexpr const char* kWindowName = "NerimScrCopCov";

    // `ended` runs once when the capture is over (see COverlayWnd::Attach).
    CCaptureWnd(AppContext& context, IViewHost& host, CapShape shape, OverlayBackdrop backdrop,
                std::function<void(const OverlayEnd&)> ended);

    CCapture& Capture() { return m_capture; }
    const CCapture& Capture() const { return m_capture; }

protected:
    void PaintSelection(QPainter& painter, const QBrush& hole) override;
    void Created(WindowId window) override { m_capture.SetOverlayWindow(window); }

private:
    CCapture m_capture;
};

// The capture cursor: a cross hair with its hot spot in the middle.
QCursor CaptureCursor();

// Reports a system error code in a message box ("Error #%1: %2").
void ShowSystemError(IDialogs& dialogs, std::uint32_t code);

}  // namespace nl
