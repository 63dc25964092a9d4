#pragma once
#include <QImage>
#include <QPointer>
#include <optional>
#include <string>

#include "framework/qt/CViewAppTB.h"
#include "framework/qt/ToolServices.h"
#include "gauge/CCapMea.h"
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

    // The screen as the last measuring overlay found it, in its device pixels; null before the
    // first one.
    const QImage& LastPicture() const { return m_picture; }
    // Copy or Save Annotated Image: the area of the last overlay's picture under the
    // document's measurements, with their marks drawn in; saved as PNG with the figures as
    // JSON beside it (NAME.json).
    void CopyAnnotatedImage();
    void SaveAnnotatedImage();

private:
    IWindowHiding& m_hiding;
    std::uint32_t Store(const MeaGesture& gesture, KeepMeasurement keep);
    // The annotated image of the document's measurements and the area of the overlay it
    // shows; a null image when there is nothing to show.
    QImage AnnotatedPicture(Rect& area);
    void ReportError(const std::string& message);
    // Copies of the document's measurements, for the overlay to show.
    std::vector<CWndCapMeaData> DocumentMeasurements() const;
    void Ended(const OverlayEnd& end);
    std::string PositionText();
    std::string WindowText();

    QPointer<CMeaWnd> m_window;
    CCapMea* m_open = nullptr;  // the open measurement of m_window
    QImage m_picture;
    std::optional<OverlayBackdrop> m_backdrop;
    bool m_closing = false;
};

}  // namespace nl
