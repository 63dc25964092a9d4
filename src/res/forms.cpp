#include "res/forms.h"

#include <initializer_list>

#include "base/command_ids.h"

namespace nl {
namespace {

// Every tool toolbar form has the same size and font.
constexpr Size kFormSize{200, 87};
constexpr const char* kFormFont = "Microsoft Sans Serif";
constexpr int kFormFontPoints = 7;

// A rectangle given as left, top, width and height, the way templates state them.
constexpr Rect At(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
}

FormControl Control(int id, FormControlKind kind, Rect dlu, std::string text = {}) {
    FormControl control;
    control.id = id;
    control.kind = kind;
    control.dlu = dlu;
    control.text = std::move(text);
    return control;
}

// Layout shared by the forms (dialog units). The right column holds the zoom label above the
// zoom slider; two read-only text lines run across the form; the bottom row starts with the
// unit list, then a row of option buttons, and ends with the keyboard indicator.
constexpr int kButtonWidth = 19;
constexpr int kButtonHeight = 14;
constexpr int kButtonRowTop = 71;
constexpr int kFirstButtonLeft = 84;
constexpr int kButtonPitch = 20;
// The free area above the text lines: a block of tool buttons on the left and a zoom control
// (or the color tile and the zoom control) up to the slider column.
constexpr int kTopAreaTop = 2;
constexpr int kTopAreaHeight = 39;
constexpr int kLeftBlockLeft = 2;
constexpr int kLeftBlockWidth = 79;
constexpr int kZoomLeft = 84;
constexpr int kZoomWidth = 80;
// The unit list, with the height of its dropped-down list.
constexpr Rect kUnitListDlu = At(2, 72, 79, 100);

// The controls every tool toolbar has.
std::vector<FormControl> SharedControls() {
    FormControl zoomText =
        Control(cmd::kZoomText, FormControlKind::kStatic, At(166, 2, 31, 10), "x 0");
    zoomText.centered = true;
    zoomText.sunken = true;
    FormControl slider = Control(cmd::kZoomSlider, FormControlKind::kSlider, At(166, 13, 31, 28));
    slider.vertical = true;
    FormControl position = Control(cmd::kPositionText, FormControlKind::kEdit, At(2, 43, 195, 12));
    position.readOnly = true;
    FormControl title = Control(cmd::kWindowTitleText, FormControlKind::kEdit, At(2, 57, 195, 12));
    title.readOnly = true;
    return {
        zoomText,
        slider,
        position,
        title,
        Control(cmd::kUnitCombo, FormControlKind::kDropDown, kUnitListDlu),
        Control(cmd::kKeyboardIndicator, FormControlKind::kIconButton, At(165, 71, 32, 14)),
    };
}

// Check buttons in the bottom row, from the first button place on.
void AddOptionButtons(std::vector<FormControl>& controls, std::initializer_list<int> ids,
                      int firstLeft = kFirstButtonLeft) {
    int left = firstLeft;
    for (const int id : ids) {
        controls.push_back(Control(id, FormControlKind::kCheckButton,
                                   At(left, kButtonRowTop, kButtonWidth, kButtonHeight)));
        left += kButtonPitch;
    }
}

struct ToolButton {
    int id;
    const char* label;
};

// Tool buttons filling the top-left block in rows of `perRow`, two rows high.
void AddToolButtons(std::vector<FormControl>& controls, std::initializer_list<ToolButton> buttons,
                    int perRow) {
    constexpr int kGap = 1;
    constexpr int kRows = 2;
    const int width = (kLeftBlockWidth - (perRow - 1) * kGap) / perRow;
    const int height = (kTopAreaHeight - (kRows - 1) * kGap) / kRows;
    int index = 0;
    for (const ToolButton& button : buttons) {
        const int column = index % perRow;
        const int row = index / perRow;
        controls.push_back(Control(button.id, FormControlKind::kIconButton,
                                   At(kLeftBlockLeft + column * (width + kGap),
                                      kTopAreaTop + row * (height + kGap), width, height),
                                   button.label));
        ++index;
    }
}

// The tile of a color above the two sample choosers, on the left of the top area.
constexpr int kTileHeight = 25;
constexpr int kSampleTop = kTopAreaTop + kTileHeight + 2;
constexpr int kSampleSizeWidth = 36;
constexpr int kSampleStatLeft = kLeftBlockLeft + kSampleSizeWidth + 2;
constexpr int kSampleStatWidth = kLeftBlockWidth - kSampleSizeWidth - 2;
constexpr int kDropDownListHeight = 100;

// How picks sample the screen: the square's side and the statistic, side by side.
void AddSampleChoosers(std::vector<FormControl>& controls) {
    controls.push_back(
        Control(cmd::kSampleSizeCombo, FormControlKind::kDropDown,
                At(kLeftBlockLeft, kSampleTop, kSampleSizeWidth, kDropDownListHeight)));
    controls.push_back(
        Control(cmd::kSampleStatCombo, FormControlKind::kDropDown,
                At(kSampleStatLeft, kSampleTop, kSampleStatWidth, kDropDownListHeight)));
}

FormControl ZoomControl() {
    return Control(cmd::kZoomControl, FormControlKind::kZoom,
                   At(kZoomLeft, kTopAreaTop, kZoomWidth, kTopAreaHeight));
}

FormTemplate Form(int id, std::vector<FormControl> controls) {
    return {id, kFormSize, kFormFont, kFormFontPoints, std::move(controls)};
}

std::vector<FormTemplate> BuildForms() {
    std::vector<FormTemplate> forms;

    // Magnifier: the view below is the zoom, so the form has the shared controls, the
    // magnifier's three options and, above the texts, the color at the centre of the zoom
    // in a tile, as text and by its CSS name, with how it is sampled.
    std::vector<FormControl> magnifier = SharedControls();
    constexpr int kCentreTileWidth = kSampleSizeWidth;
    constexpr int kCentreTextLeft = kSampleStatLeft;
    constexpr int kCentreTextWidth = kZoomLeft + kZoomWidth - kCentreTextLeft;
    constexpr int kCentreTextHeight = 12;
    magnifier.push_back(Control(cmd::kColorTile, FormControlKind::kColorTile,
                                At(kLeftBlockLeft, kTopAreaTop, kCentreTileWidth, kTileHeight)));
    for (const int id : {cmd::kCentreColorText, cmd::kCentreColorName}) {
        const int top =
            id == cmd::kCentreColorText ? kTopAreaTop : kTopAreaTop + kCentreTextHeight + 1;
        FormControl text = Control(id, FormControlKind::kEdit,
                                   At(kCentreTextLeft, top, kCentreTextWidth, kCentreTextHeight));
        text.readOnly = true;
        magnifier.push_back(text);
    }
    AddSampleChoosers(magnifier);
    AddOptionButtons(magnifier, {cmd::kFollowRuler, cmd::kDrawCursorPosition, cmd::kStretchCopies});
    forms.push_back(Form(res::kFormMagnifier, std::move(magnifier)));

    // Screen copier: the seven capture shapes, a zoom and the capture options.
    std::vector<FormControl> copier = SharedControls();
    AddToolButtons(copier,
                   {{cmd::kCaptureRectangle, ""},
                    {cmd::kCaptureRoundedRectangle, ""},
                    {cmd::kCaptureEllipse, ""},
                    {cmd::kCaptureCustom, ""},
                    {cmd::kCaptureWindow, ""},
                    {cmd::kCaptureMonitor, ""},
                    {cmd::kCaptureDesktop, ""}},
                   4);
    copier.push_back(ZoomControl());
    AddOptionButtons(
        copier, {cmd::kIncludeOwnWindows, cmd::kIncludeCursor, cmd::kFitToWindow, cmd::kAutoCopy});
    forms.push_back(Form(res::kFormScreenCopier, std::move(copier)));

    // Color picker: the live color beside the zoom, and the color format next to the unit.
    std::vector<FormControl> picker = SharedControls();
    picker.push_back(Control(cmd::kColorTile, FormControlKind::kColorTile,
                             At(kLeftBlockLeft, kTopAreaTop, kLeftBlockWidth, kTileHeight)));
    AddSampleChoosers(picker);
    picker.push_back(ZoomControl());
    // The color format list sits where the other tools have their first option buttons, as
    // high and as tall as the unit list beside it.
    constexpr int kColorFormatWidth = 59;
    const Rect units = kUnitListDlu;
    picker.push_back(Control(cmd::kColorFormatCombo, FormControlKind::kDropDown,
                             At(kFirstButtonLeft, units.top, kColorFormatWidth, units.Height())));
    AddOptionButtons(picker, {cmd::kAutoCopy, cmd::kAutoStop},
                     kFirstButtonLeft + kColorFormatWidth + 2);
    // Auto-stop is on the form so that its command and state belong to the tool, but the
    // button stays hidden: stopping after a pick is set through the command alone.
    picker.back().hidden = true;
    forms.push_back(Form(res::kFormColorPicker, std::move(picker)));

    // Gauge: the six measuring shapes, a zoom and the measuring options.
    std::vector<FormControl> gauge = SharedControls();
    AddToolButtons(gauge,
                   {{cmd::kMeasureLine, "L"},
                    {cmd::kMeasureRectangle, "R"},
                    {cmd::kMeasureRectangleFromCenter, "R2"},
                    {cmd::kMeasureEllipse, "E"},
                    {cmd::kMeasureEllipseFromCenter, "E2"},
                    {cmd::kMeasurePath, "P"}},
                   3);
    gauge.push_back(ZoomControl());
    AddOptionButtons(gauge, {cmd::kShowWhileMeasuring, cmd::kShowGridWhileMeasuring, cmd::kAutoCopy,
                             cmd::kSnapToEdges});
    forms.push_back(Form(res::kFormGauge, std::move(gauge)));
    return forms;
}

}  // namespace

const FormTemplate* FindForm(int id) {
    static const std::vector<FormTemplate> kForms = BuildForms();
    for (const FormTemplate& form : kForms)
        if (form.id == id) return &form;
    return nullptr;
}

Rect VisibleDialogUnits(const FormControl& control) {
    Rect visible = control.dlu;
    if (control.kind == FormControlKind::kDropDown && visible.Height() > kDropDownFieldHeight)
        visible.bottom = visible.top + kDropDownFieldHeight;
    return visible;
}

Rect DialogUnitsToPixels(const Rect& dlu, Size baseUnits) {
    constexpr int kHorizontalDivisor = 4;
    constexpr int kVerticalDivisor = 8;
    return {MulDiv(dlu.left, baseUnits.cx, kHorizontalDivisor),
            MulDiv(dlu.top, baseUnits.cy, kVerticalDivisor),
            MulDiv(dlu.right, baseUnits.cx, kHorizontalDivisor),
            MulDiv(dlu.bottom, baseUnits.cy, kVerticalDivisor)};
}

Size DialogUnitsToPixelSize(Size dlu, Size baseUnits) {
    const Rect pixels = DialogUnitsToPixels({0, 0, dlu.cx, dlu.cy}, baseUnits);
    return {pixels.Width(), pixels.Height()};
}

}  // namespace nl
