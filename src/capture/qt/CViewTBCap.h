#pragma once
#include <QPointer>

#include "capture/qt/CCaptureWnd.h"
#include "framework/qt/CViewAppTB.h"
#include "framework/qt/ToolServices.h"

namespace nl {

// The Screen Copier's toolbar view: the seven shape buttons that start a capture (disabled
// while one is open), the capture option buttons, the shared controls, and the cursor or
// selection and window panes. Esc aborts the open capture.
class CViewTBCap : public CViewAppTB {
public:
    CViewTBCap(AppContext& context, IViewHost& host, IPickCountdown& countdown,
               IWindowHiding& hiding, QWidget* parent = nullptr);
    ~CViewTBCap() override;

    // Opens the overlay of a capture of `shape` over the virtual screen, the main window
    // hidden unless it is to show in the copy. Does nothing while a capture is open.
    void StartCapture(CapShape shape);
    // The open capture and its window, or null.
    const CCapture* OpenCapture() const;
    CCaptureWnd* CaptureWindow() const { return m_window; }
    // Where the next overlays get their backdrop (the display's choice unless set).
    void SetBackdrop(OverlayBackdrop backdrop) { m_backdrop = backdrop; }

private:
    IPickCountdown& m_countdown;
    IWindowHiding& m_hiding;
    void Ended(const OverlayEnd& end);
    std::string PositionText();
    std::string WindowText();

    QPointer<CCaptureWnd> m_window;
    std::optional<OverlayBackdrop> m_backdrop;
    bool m_closing = false;
};

}  // namespace nl
