#include "colors/qt/CDlgEditColor.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/StringTable.h"
#include "framework/CAppPrefs.h"
#include "model/CUnitsCol.h"
#include "model/color_input.h"
#include "platform/qt/qt_convert.h"
#include "ui/qt/CColorTile.h"

namespace nl {
namespace {

constexpr int kTickStep = 20;
constexpr int kTileWidth = 96;
constexpr int kTileHeight = 48;
constexpr int kCustomColorCount = 16;

// Spin buttons whose number box only shows the value: it changes through the arrows.
class SpinButtons : public QSpinBox {
public:
    explicit SpinButtons(QWidget* parent) : QSpinBox(parent) { lineEdit()->setReadOnly(true); }
};

}  // namespace

CDlgEditColor::CDlgEditColor(AppContext& context, int index, COLORREF oldColor, QWidget* parent)
    : CPlacedDialog(context.prefs, kWinStateColorEdit, parent),
      m_context(context),
      m_state(oldColor) {
    setObjectName(QStringLiteral("editColor"));
    setWindowTitle(ToQt(FormatString(kIdsEditColorCaption, {std::to_string(index + 1)})));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* layout = new QVBoxLayout(this);
    auto* tiles = new QGridLayout;
    m_oldTile = new CColorTile(this);
    m_newTile = new CColorTile(this);
    m_oldText = new QLineEdit(this);
    m_newText = new QLineEdit(this);
    for (CColorTile* tile : {m_oldTile, m_newTile}) tile->setFixedSize(kTileWidth, kTileHeight);
    m_oldText->setReadOnly(true);
    m_newText->setToolTip(
        ToQt(FormatString(kIdsEditColorTypeTip, {std::string(kColorInputForms)})));
    m_typedNote = new QLabel(this);
    m_typedNote->setWordWrap(true);
    m_typedNote->setVisible(false);
    connect(m_newText, &QLineEdit::textEdited, this, [this] { ReadTyped(false); });
    connect(m_newText, &QLineEdit::editingFinished, this, [this] { ReadTyped(true); });
    tiles->addWidget(new QLabel(ToQt(LoadStringRow(kIdsEditColorTiles, 0)), this), 0, 0);
    tiles->addWidget(new QLabel(ToQt(LoadStringRow(kIdsEditColorTiles, 1)), this), 0, 1);
    tiles->addWidget(m_oldTile, 1, 0);
    tiles->addWidget(m_newTile, 1, 1);
    tiles->addWidget(m_oldText, 2, 0);
    tiles->addWidget(m_newText, 2, 1);
    layout->addLayout(tiles);
    layout->addWidget(m_typedNote);

    auto* grid = new QGridLayout;
    for (int c = kHue; c <= kLuminosity; ++c) {
        const auto i = static_cast<std::size_t>(c);
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setRange(0, kHslScale);
        slider->setTickInterval(kTickStep);
        slider->setTickPosition(QSlider::TicksBelow);
        auto* spin = new SpinButtons(this);
        spin->setRange(0, kHslScale);
        auto* label = new QLabel(ToQt(LoadStringRow(kIdsEditColorChannels, i)), this);
        label->setBuddy(slider);
        auto* reset = new QPushButton(ToQt(LoadStringRow(kIdsEditColorChannelResets, i)), this);
        reset->setAutoDefault(false);
        grid->addWidget(label, c, 0);
        grid->addWidget(slider, c, 1);
        grid->addWidget(spin, c, 2);
        grid->addWidget(reset, c, 3);
        m_sliders[i] = slider;
        m_spins[i] = spin;
        const auto component = static_cast<Component>(c);
        connect(slider, &QSlider::valueChanged, this, [this, component, slider](int value) {
            if (m_applying) return;
            SetComponentFrom(component, value, slider);
        });
        connect(spin, &QSpinBox::valueChanged, this, [this, component, spin](int value) {
            if (m_applying) return;
            SetComponentFrom(component, value, spin);
        });
        connect(reset, &QPushButton::clicked, this,
                [this, component] { ResetComponent(component); });
    }
    layout->addLayout(grid);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* resetAll =
        buttons->addButton(ToQt(LoadString(kIdsEditColorReset)), QDialogButtonBox::ResetRole);
    QPushButton* select =
        buttons->addButton(ToQt(LoadString(kIdsEditColorSelect)), QDialogButtonBox::ActionRole);
    connect(resetAll, &QPushButton::clicked, this, [this] { ResetAll(); });
    connect(select, &QPushButton::clicked, this, [this] { SelectColor(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    const CUnitCol* format = m_context.prefs.CurrentColorFormat();
    m_oldTile->SetColor(oldColor);
    m_oldText->setText(format != nullptr ? ToQt(format->FormatColor(oldColor)) : QString());
    Apply(nullptr);

    const Rect placed = SavedRect();
    if (!placed.IsEmpty()) move(placed.left, placed.top);
}

bool CDlgEditColor::ReadTyped(bool final) {
    std::string why;
    const std::string typed = m_newText->text().toStdString();
    const auto color = ReadColorInput(typed, &why);
    if (color) {
        m_state.SetFromColor(color->color);
        Apply(final ? nullptr : m_newText);
        m_typedNote->setText(color->alphaDropped ? ToQt(LoadString(kIdsEditColorAlphaDropped))
                                                 : QString());
    } else if (final) {
        m_typedNote->setText(ToQt(FormatString(
            kIdsEditColorNotAColor, {typed, why.empty() ? std::string(kColorInputForms) : why})));
    }
    m_typedNote->setVisible(!m_typedNote->text().isEmpty());
    return color.has_value();
}

void CDlgEditColor::accept() {
    // The text shows the new color unless the user typed something else into it.
    const CUnitCol* format = m_context.prefs.CurrentColorFormat();
    const bool shown = format != nullptr &&
                       m_newText->text().toStdString() == format->FormatColor(m_state.NewColor());
    if (!shown && !ReadTyped(true)) {
        m_newText->setFocus();
        m_newText->selectAll();
        return;
    }
    QDialog::accept();
}

void CDlgEditColor::SetComponent(Component c, int value) {
    SetComponentFrom(c, value, nullptr);
}

void CDlgEditColor::SetComponentFrom(Component c, int value, const QObject* source) {
    switch (c) {
        case kHue:
            m_state.SetH(value);
            break;
        case kSaturation:
            m_state.SetS(value);
            break;
        case kLuminosity:
            m_state.SetL(value);
            break;
    }
    Apply(source);
}

void CDlgEditColor::ResetComponent(Component c) {
    switch (c) {
        case kHue:
            m_state.ResetH();
            break;
        case kSaturation:
            m_state.ResetS();
            break;
        case kLuminosity:
            m_state.ResetL();
            break;
    }
    Apply(nullptr);
}

void CDlgEditColor::ResetAll() {
    m_state.ResetAll();
    Apply(nullptr);
}

void CDlgEditColor::SelectColor() {
    // The settings always hold kCustomColorCount entries.
    const std::vector<std::uint32_t>& custom = m_context.prefs.CustomColors();
    for (int i = 0; i < kCustomColorCount; ++i) {
        QColorDialog::setCustomColor(i, ToQColor(custom.at(static_cast<std::size_t>(i))));
    }
    const QColor chosen = QColorDialog::getColor(ToQColor(m_state.NewColor()), this);
    for (int i = 0; i < kCustomColorCount; ++i) {
        const QColor c = QColorDialog::customColor(i);
        m_context.prefs.SetCustomColor(i, MakeRgb(c.red(), c.green(), c.blue()));
    }
    if (!chosen.isValid()) return;
    m_state.SetFromColor(MakeRgb(chosen.red(), chosen.green(), chosen.blue()));
    Apply(nullptr);
}

void CDlgEditColor::Apply(const QObject* source) {
    m_applying = true;
    const Hsl hsl = m_state.Current();
    const int values[] = {hsl.h, hsl.s, hsl.l};
    for (std::size_t i = 0; i < m_sliders.size(); ++i) {
        // The control the user moved keeps its own position.
        if (m_sliders[i] != source) m_sliders[i]->setValue(values[i]);
        if (m_spins[i] != source) m_spins[i]->setValue(values[i]);
    }
    const COLORREF color = m_state.NewColor();
    m_newTile->SetColor(color);
    // While the user types, the text stays as written.
    const CUnitCol* format = m_context.prefs.CurrentColorFormat();
    if (format != nullptr && source != m_newText)
        m_newText->setText(ToQt(format->FormatColor(color)));
    if (source != m_newText) m_typedNote->setVisible(false);
    m_applying = false;
}

}  // namespace nl
