#include "framework/qt/CViewAppTB.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QSlider>
#include <QToolButton>
#include <QWheelEvent>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "document/CDocApp.h"
#include "framework/CAppPrefs.h"
#include "framework/ViewNotifyHub.h"
#include "framework/qt/IViewHost.h"
#include "framework/qt/view_notifications.h"
#include "framework/sample_texts.h"
#include "platform/qt/qt_convert.h"
#include "res/forms.h"
#include "res/icons.h"
#include "ui/qt/CColorTile.h"
#include "ui/qt/CCtrlZoom.h"
#include "ui/qt/form_metrics.h"
#include "ui/qt/svg_icons.h"

namespace nl {
namespace {

// The zoom slider's positions are the zoom factors in hundreds of percent.
constexpr int kZoomStep = AppSettings::kZoomStep;
constexpr int kSliderMin = AppSettings::kMinZoom / kZoomStep;
constexpr int kSliderMax = AppSettings::kMaxZoom / kZoomStep;
// Icons of the form's buttons, in pixels.
constexpr int kButtonIconSize = 16;
// The property that marks controls placed from the template.
constexpr const char* kControlIdProperty = "nlControlId";

bool IsButton(const QWidget* widget) {
    return qobject_cast<const QToolButton*>(widget) != nullptr;
}

}  // namespace

CViewAppTB::CViewAppTB(AppContext& context, IViewHost& host, int formId, QWidget* parent)
    : QWidget(parent), m_context(context), m_host(host), m_formId(formId) {
    m_notifications = SubscribeView(context.notify, *this, *this);
    const FormTemplate* form = FindForm(formId);
    if (!form) return;
    const QFont font = FormFont(*form);
    setFont(font);
    m_baseUnits = FormBaseUnits(font);
    m_formSize = FormSizeToPixels(*form, m_baseUnits);
    for (const FormControl& control : form->controls) {
        QWidget* widget = CreateControl(control);
        if (!widget) continue;
        QRect rect = FormRectToPixels(control.dlu, m_baseUnits);
        // A drop-down list's template height is the extent of its open list.
        if (control.kind == FormControlKind::kDropDown) {
            rect.setHeight(std::min(rect.height(), widget->sizeHint().height()));
        }
        widget->setGeometry(rect);
        if (control.hidden) widget->hide();
        widget->setProperty(kControlIdProperty, control.id);
        if (control.id > 0) m_controls[control.id] = widget;
    }
    ApplyToolTips();
    SyncZoom();
    SyncUnits();
    SyncSampling();
}

QWidget* CViewAppTB::CreateControl(const FormControl& control) {
    switch (control.kind) {
        case FormControlKind::kStatic: {
            auto* label = new QLabel(ToQt(control.text), this);
            label->setTextFormat(Qt::PlainText);
            if (control.centered) label->setAlignment(Qt::AlignCenter);
            if (control.sunken) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            return label;
        }
        case FormControlKind::kSlider: {
            auto* slider = new QSlider(control.vertical ? Qt::Vertical : Qt::Horizontal, this);
            slider->setRange(kSliderMin, kSliderMax);
            slider->setPageStep(1);
            slider->setTickInterval(1);
            slider->setTickPosition(control.vertical ? QSlider::TicksLeft : QSlider::TicksBelow);
            if (control.vertical) {
                // The smallest zoom stands at the top; Down and dragging down zoom in.
                slider->setInvertedAppearance(true);
                slider->setInvertedControls(true);
            }
            if (control.id == cmd::kZoomSlider) BindSlider(slider);
            return slider;
        }
        case FormControlKind::kEdit: {
            auto* edit = new QLineEdit(ToQt(control.text), this);
            edit->setReadOnly(control.readOnly);
            return edit;
        }
        case FormControlKind::kDropDown: {
            auto* combo = new QComboBox(this);
            if (control.id == cmd::kUnitCombo) BindUnits(combo);
            if (control.id == cmd::kSampleSizeCombo || control.id == cmd::kSampleStatCombo)
                BindSampling(combo, control.id);
            return combo;
        }
        case FormControlKind::kCheckButton:
        case FormControlKind::kIconButton: {
            auto* button = new QToolButton(this);
            button->setIcon(IconFromSvg(control.id));
            button->setIconSize(QSize(kButtonIconSize, kButtonIconSize));
            button->setCheckable(control.kind == FormControlKind::kCheckButton);
            button->setFocusPolicy(Qt::TabFocus);
            if (!control.text.empty() && button->icon().isNull()) {
                button->setText(ToQt(control.text));
            }
            BindButton(button, control.id);
            return button;
        }
        case FormControlKind::kZoom: {
            // The live zoom control; always with the centre mark.
            const AppSettings& s = m_context.prefs.Settings();
            auto* zoom = new CCtrlZoom(m_context.desktop, this);
            zoom->SetBorder(true);
            zoom->SetZoom(s.zoomFactor);
            zoom->SetGrid(s.HasOption(OptionWord::kDisplay, AppSettings::kDisplayGridLines));
            zoom->SetSampleSize(m_context.prefs.Sampling().size);
            zoom->SetCentre(m_context.doc.Colors().Sample().Position());
            zoom->setEnabled(s.PickingStarted());
            zoom->setAttribute(Qt::WA_TransparentForMouseEvents);
            m_zoom = zoom;
            return zoom;
        }
        case FormControlKind::kColorTile:
            // The live color; button face until a sample shows.
            return new CColorTile(this);
    }
    return nullptr;
}

void CViewAppTB::BindButton(QToolButton* button, int id) {
    if (id <= 0) return;
    connect(button, &QToolButton::clicked, this, [this, id] {
        m_host.SetActiveView(this);
        m_host.ExecuteCommand(id);
    });
}

void CViewAppTB::BindSlider(QSlider* slider) {
    connect(slider, &QSlider::valueChanged, this, [this](int position) {
        if (m_syncing) return;
        m_context.prefs.SetZoomFactor(position * kZoomStep);
    });
}

void CViewAppTB::BindUnits(QComboBox* combo) {
    connect(combo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_syncing || index < 0) return;
        m_context.prefs.SetLengthUnit(index);
    });
}

void CViewAppTB::BindSampling(QComboBox* combo, int id) {
    if (id == cmd::kSampleSizeCombo) {
        for (const int size : kSampleSizes) combo->addItem(ToQt(SampleSizeText(size)), size);
    } else {
        for (int i = 0; i < kSampleStatCount; ++i)
            combo->addItem(ToQt(SampleStatText(static_cast<SampleStat>(i))), i);
    }
    connect(combo, &QComboBox::currentIndexChanged, this, [this, combo, id](int index) {
        if (m_syncing || index < 0) return;
        SampleMethod method = m_context.prefs.Sampling();
        const int value = combo->itemData(index).toInt();
        if (id == cmd::kSampleSizeCombo) {
            method.size = value;
        } else {
            method.stat = static_cast<SampleStat>(value);
        }
        m_context.prefs.SetSampling(method);
    });
}

void CViewAppTB::SyncSampling() {
    const SampleMethod method = m_context.prefs.Sampling();
    m_syncing = true;
    if (auto* size = qobject_cast<QComboBox*>(Control(cmd::kSampleSizeCombo)))
        size->setCurrentIndex(size->findData(method.size));
    if (auto* stat = qobject_cast<QComboBox*>(Control(cmd::kSampleStatCombo))) {
        stat->setCurrentIndex(stat->findData(static_cast<int>(method.stat)));
        // A single pixel is its own color whatever the statistic.
        stat->setEnabled(!method.IsSinglePixel());
    }
    m_syncing = false;
    if (m_zoom) m_zoom->SetSampleSize(method.size);
}

void CViewAppTB::SyncZoom() {
    auto* slider = qobject_cast<QSlider*>(Control(cmd::kZoomSlider));
    if (!slider) return;
    m_syncing = true;
    slider->setValue(m_context.prefs.Settings().zoomFactor / kZoomStep);
    m_syncing = false;
}

void CViewAppTB::SyncUnits() {
    auto* combo = qobject_cast<QComboBox*>(Control(cmd::kUnitCombo));
    if (!combo) return;
    m_syncing = true;
    // The names follow the regional settings, so they are filled again on each change.
    const CUnitsXY& units = m_context.prefs.Units();
    if (combo->count() != units.GetSize()) combo->clear();
    for (int i = 0; i < units.GetSize(); ++i) {
        const CUnitXY& unit = units.GetAt(i);
        const QString name = ToQt(unit.Name());
        if (i < combo->count()) {
            combo->setItemText(i, name);
        } else {
            combo->addItem(name);
        }
        // The unit's definition shows as the row's tool tip.
        combo->setItemData(i, ToQt(unit.HelpLine()), Qt::ToolTipRole);
    }
    combo->setCurrentIndex(m_context.prefs.Settings().lengthUnitIndex);
    m_syncing = false;
}

QWidget* CViewAppTB::Control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void CViewAppTB::UpdateControls() {
    for (const auto& [id, widget] : m_controls) {
        if (IsButton(widget)) {
            // Buttons without a handler anywhere on the route are disabled.
            const CCmdUI ui = m_host.UpdateCommand(id);
            auto* button = static_cast<QToolButton*>(widget);
            button->setEnabled(ui.Enabled());
            if (button->isCheckable()) {
                button->setChecked(ui.CheckState().value_or(CCmdUI::kUnchecked) ==
                                   CCmdUI::kChecked);
            }
            if (ui.Text() && button->icon().isNull()) button->setText(ToQt(*ui.Text()));
            continue;
        }
        // Other controls keep their state unless an update handler speaks for them.
        const std::optional<CCmdUI> ui = m_host.UpdateCommandIfHandled(id);
        if (!ui) continue;
        widget->setEnabled(ui->Enabled());
        if (!ui->Text()) continue;
        const QString text = ToQt(*ui->Text());
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (label->text() != text) label->setText(text);
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            if (edit->text() != text) edit->setText(text);
        }
    }
}

void CViewAppTB::SetKeyboardIndicator(bool available) {
    if (m_indicator == available) return;
    m_indicator = available;
    if (auto* button = qobject_cast<QToolButton*>(Control(cmd::kKeyboardIndicator))) {
        button->setIcon(
            IconFromSvg(available ? res::kIconKeyboardAvailable : res::kIconKeyboardUnavailable));
    }
}

void CViewAppTB::ApplyToolTips() {
    const bool on =
        (m_context.prefs.Settings().generalOptions & AppSettings::kGeneralToolTips) != 0;
    for (const auto& [id, widget] : m_controls) {
        QString tip;
        if (on) {
            const PromptAndTip strings = SplitPrompt(LoadString(static_cast<std::uint32_t>(id)));
            tip = ToQt(strings.tip.empty() ? strings.prompt : strings.tip);
        }
        widget->setToolTip(tip);
    }
}

void CViewAppTB::OnViewNotify(ViewNotify type, std::intptr_t) {
    switch (type) {
        case ViewNotify::kToolTipsChanged:
            ApplyToolTips();
            break;
        case ViewNotify::kGridLinesChanged:
            if (m_zoom)
                m_zoom->SetGrid(m_context.prefs.Settings().HasOption(
                    OptionWord::kDisplay, AppSettings::kDisplayGridLines));
            break;
        case ViewNotify::kZoomChanged:
            SyncZoom();
            if (m_zoom) {
                m_zoom->SetZoom(m_context.prefs.Settings().zoomFactor);
                m_zoom->update();
            }
            break;
        case ViewNotify::kPickingApplied:
            if (m_zoom) m_zoom->setEnabled(m_context.prefs.Settings().PickingStarted());
            break;
        case ViewNotify::kTimerTick:
            if (m_zoom) {
                m_zoom->SetCentre(m_context.doc.Colors().Sample().Position());
                m_zoom->Refresh();
            }
            break;
        case ViewNotify::kUnitOrNumberFormatChanged:
            SyncUnits();
            break;
        case ViewNotify::kSamplingChanged:
            SyncSampling();
            break;
        default:
            break;
    }
}

bool CViewAppTB::IsHighlighted() const {
    const QWidget* top = window();
    return top && top->isActiveWindow() && m_host.ActiveView() == this;
}

void CViewAppTB::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    if (IsHighlighted()) {
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, face);
        gradient.setColorAt(1, palette().color(QPalette::Dark));
        painter.fillRect(rect(), gradient);
    } else {
        painter.fillRect(rect(), face);
    }
}

void CViewAppTB::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) update();
    QWidget::changeEvent(event);
}

void CViewAppTB::mousePressEvent(QMouseEvent* event) {
    m_host.SetActiveView(this);
    QWidget::mousePressEvent(event);
}

void CViewAppTB::wheelEvent(QWheelEvent* event) {
    // The zoom lets mouse events through, so its wheel arrives here.
    if (m_zoom && m_zoom->geometry().contains(event->position().toPoint())) {
        m_wheel.OnWheel(*event, m_context.prefs);
        return;
    }
    QWidget::wheelEvent(event);
}

}  // namespace nl
