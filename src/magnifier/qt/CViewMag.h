#pragma once
#include <QWidget>
#include <functional>
#include <optional>

#include "base/CSubscription.h"
#include "base/geometry.h"
#include "document/ViewNotification.h"
#include "framework/CCmdTarget.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/IViewHost.h"
#include "framework/qt/ToolServices.h"
#include "framework/qt/zoom_wheel.h"
#include "magnifier/vision_setting.h"

class QLabel;

namespace nl {

class CCtrlZoom;

// The Magnifier's main view: one zoom control filling the pane that follows the cursor (or
// the ruler's origin while the ruler is the active window) on every picking tick. It copies
// the magnified image on Ctrl+C, toggles the centre mark and gives the status bar its hint.
class CViewMag : public QWidget, public CCmdTarget, public IViewNotifySink {
public:
    using RulerState = nl::RulerState;
    using RulerSource = std::function<RulerState()>;

    CViewMag(AppContext& context, IViewHost& host, RulerSource ruler, QWidget* parent = nullptr);

    CCtrlZoom* Zoom() const { return m_zoom; }
    // Tells the view where the ruler is (the host's ruler unless replaced; none:
    // follow-ruler never applies).
    void SetRulerSource(RulerSource source) { m_ruler = std::move(source); }

    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

    // Moves the zoom centre to the cursor or the ruler's origin and repaints where the
    // frame changed.
    void MoveCentre();
    // Where the centre belongs now: the ruler's origin while it is followed, else the live
    // sample's point.
    Point CentrePoint() const;
    // Ctrl+C: the magnified image to the clipboard, or the "no data" message.
    void Copy();
    // Shows the picture as seen with a color-vision deficiency (kept for the next start),
    // named over the picture while it is not normal vision.
    void SetVision(const VisionSetting& setting);
    const VisionSetting& Vision() const { return m_vision; }
    // The name over the picture; hidden for normal vision.
    const QLabel* Caption() const { return m_caption; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // The right button offers the color-vision simulations.
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool Started() const;
    bool FollowsRuler() const;

    AppContext& m_context;
    IViewHost& m_host;
    CCtrlZoom* m_zoom = nullptr;
    QLabel* m_caption = nullptr;
    VisionSetting m_vision;
    CZoomWheel m_wheel;
    RulerSource m_ruler;
    CSubscription m_notifications;
};

}  // namespace nl
