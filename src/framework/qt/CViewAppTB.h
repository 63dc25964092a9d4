#pragma once
#include <QWidget>
#include <map>
#include <optional>

#include "base/CSubscription.h"
#include "base/geometry.h"
#include "document/ViewNotification.h"
#include "framework/CCmdTarget.h"
#include "framework/qt/AppContext.h"
#include "framework/qt/zoom_wheel.h"

class QComboBox;
class QSlider;
class QToolButton;

namespace nl {

class CCtrlZoom;
class IViewHost;
struct FormControl;

// The base of the tools' toolbar views in the upper pane: a form placed from a form
// template (dialog units converted with the template's font). Every control with an id is
// bound to the command route: buttons run their command when clicked, and the idle update
// sets each control's enabled state, check mark and text. The controls every tool shares
// behave here: the zoom slider (3111), the length-unit box (3120), the zoom text (3110),
// the keyboard indicator (3115) and, where the form has them, the sample size and statistic
// boxes (3124, 3125). The background is a vertical gradient while the main window
// is active and this pane is the active view, a flat fill otherwise. It hears the view
// notifications while the window shows it.
class CViewAppTB : public QWidget, public CCmdTarget, public IViewNotifySink {
public:
    CViewAppTB(AppContext& context, IViewHost& host, int formId, QWidget* parent = nullptr);

    int FormId() const { return m_formId; }
    // The form's size in pixels: the toolbar row's ideal and minimum height is its height.
    QSize FormSize() const { return m_formSize; }
    // The form font's dialog base units.
    Size BaseUnits() const { return m_baseUnits; }

    // The control placed for id `id`, or null.
    QWidget* Control(int id) const;
    // Runs the update handlers of the controls (at idle time).
    void UpdateControls();
    // Shows whether the keyboard helpers are available on the indicator button; the image
    // is only replaced when the state changes.
    void SetKeyboardIndicator(bool available);
    std::optional<bool> KeyboardIndicator() const { return m_indicator; }

    void OnViewNotify(ViewNotify type, std::intptr_t argument) override;

    QSize sizeHint() const override { return m_formSize; }
    QSize minimumSizeHint() const override { return {0, m_formSize.height()}; }

protected:
    AppContext& Context() const { return m_context; }
    IViewHost& Host() { return m_host; }

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The wheel over the form's live zoom zooms; the slider keeps its own wheel.
    void wheelEvent(QWheelEvent* event) override;

private:
    QWidget* CreateControl(const FormControl& control);
    void BindButton(QToolButton* button, int id);
    void BindSlider(QSlider* slider);
    void BindUnits(QComboBox* combo);
    void BindSampling(QComboBox* combo, int id);
    void SyncZoom();
    void SyncUnits();
    void SyncSampling();
    void ApplyToolTips();
    bool IsHighlighted() const;

    AppContext& m_context;
    IViewHost& m_host;
    int m_formId;
    Size m_baseUnits;
    QSize m_formSize;
    std::map<int, QWidget*> m_controls;
    CCtrlZoom* m_zoom = nullptr;  // the form's live zoom, when it has one
    CZoomWheel m_wheel;
    std::optional<bool> m_indicator;
    bool m_syncing = false;
    CSubscription m_notifications;
};

}  // namespace nl
