#pragma once
#include <QPointer>
#include <optional>
#include <string>

#include "framework/qt/CViewAppTB.h"
#include "framework/qt/ToolServices.h"
#include "gauge/qt/CMeaWnd.h"

namespace nl {

// The Gauge's toolbar view: the six measuring buttons (line, rectangle, ellipse, each of the
// two also from its center, and path; disabled while a measurement is open), the measuring
// option buttons, the shared controls, and the position and window panes. Esc aborts the
// open measurement. A finished measurement becomes the document's, and with Auto-copy its
// main figure goes to the clipboard.
class CViewTBMea : public CViewAppTB {
public:
    CViewTBMea(AppContext& context, IViewHost& host, IWindowHiding& hiding,
               QWidget* parent = nullptr);
    ~CViewTBMea() override;

    // Opens the measuring overlay for the button `command` over the virtual screen, the main
    // window hidden unless it is to stay while measuring. Does nothing while one is open.
    void StartMeasure(int command);
    // The open measurement and its window, or null.
    const CWndCapMea* OpenMeasure() const;
    CMeaWnd* MeasureWindow() const { return m_window; }
    // Where the next overlays get their backdrop (the display's choice unless set).
    void SetBackdrop(OverlayBackdrop backdrop) { m_backdrop = backdrop; }
    OverlayBackdrop Backdrop() const;

private:
    IWindowHiding& m_hiding;
    std::uint32_t Store(const MeaGesture& gesture);
    void Ended(const OverlayEnd& end);
    std::string PositionText();
    std::string WindowText();

    QPointer<CMeaWnd> m_window;
    std::optional<OverlayBackdrop> m_backdrop;
    bool m_closing = false;
};

}  // namespace nl
