#include "res/forms.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/StringTable.h"
#include "base/command_ids.h"

namespace nl {
namespace {

constexpr int kForms[] = {res::kFormMagnifier, res::kFormScreenCopier, res::kFormColorPicker,
                          res::kFormGauge};

const FormControl* FindControl(const FormTemplate& form, int id) {
    for (const FormControl& control : form.controls)
        if (control.id == id) return &control;
    return nullptr;
}

TEST(FormsTest, MagnifierFormIsTheDocumentedLayout) {
    struct Case {
        int id;
        FormControlKind kind;
        Rect dlu;  // left, top, right, bottom
        const char* text;
        bool centered, sunken, vertical, readOnly;
    };
    using K = FormControlKind;
    const Case cases[] = {
        {3110, K::kStatic, {166, 2, 197, 12}, "x 0", true, true, false, false},
        {3111, K::kSlider, {166, 13, 197, 41}, "", false, false, true, false},
        {3122, K::kEdit, {2, 43, 197, 55}, "", false, false, false, true},
        {3123, K::kEdit, {2, 57, 197, 69}, "", false, false, false, true},
        {3120, K::kDropDown, {2, 72, 81, 172}, "", false, false, false, false},
        {3602, K::kCheckButton, {84, 71, 103, 85}, "", false, false, false, false},
        {3604, K::kCheckButton, {104, 71, 123, 85}, "", false, false, false, false},
        {3601, K::kCheckButton, {124, 71, 143, 85}, "", false, false, false, false},
        {3115, K::kIconButton, {165, 71, 197, 85}, "", false, false, false, false},
        // The centre color and how picks sample.
        {3445, K::kColorTile, {2, 2, 38, 27}, "", false, false, false, false},
        {3126, K::kEdit, {40, 2, 164, 14}, "", false, false, false, true},
        {3127, K::kEdit, {40, 15, 164, 27}, "", false, false, false, true},
        {3124, K::kDropDown, {2, 29, 38, 129}, "", false, false, false, false},
        {3125, K::kDropDown, {40, 29, 81, 129}, "", false, false, false, false},
    };
    const FormTemplate* form = FindForm(res::kFormMagnifier);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->dlu, (Size{200, 87}));
    EXPECT_EQ(form->fontName, "Microsoft Sans Serif");
    EXPECT_EQ(form->fontPoints, 7);
    ASSERT_EQ(form->controls.size(), std::size(cases));
    for (const Case& c : cases) {
        const FormControl* control = FindControl(*form, c.id);
        ASSERT_NE(control, nullptr) << c.id;
        EXPECT_EQ(control->kind, c.kind) << c.id;
        EXPECT_EQ(control->dlu, c.dlu) << c.id;
        EXPECT_EQ(control->text, c.text) << c.id;
        EXPECT_EQ(control->centered, c.centered) << c.id;
        EXPECT_EQ(control->sunken, c.sunken) << c.id;
        EXPECT_EQ(control->vertical, c.vertical) << c.id;
        EXPECT_EQ(control->readOnly, c.readOnly) << c.id;
    }
}

TEST(FormsTest, EveryToolFormHasItsControlsAndTheSharedOnesInTheSamePlaces) {
    const int shared[] = {cmd::kZoomText,        cmd::kZoomSlider, cmd::kPositionText,
                          cmd::kWindowTitleText, cmd::kUnitCombo,  cmd::kKeyboardIndicator};
    struct Case {
        int form;
        std::set<int> own;
    };
    const Case cases[] = {
        {res::kFormMagnifier,
         {cmd::kFollowRuler, cmd::kDrawCursorPosition, cmd::kStretchCopies, cmd::kColorTile,
          cmd::kCentreColorText, cmd::kCentreColorName, cmd::kSampleSizeCombo,
          cmd::kSampleStatCombo}},
        {res::kFormScreenCopier,
         {3550, 3551, 3552, 3553, 3554, 3555, 3556, cmd::kIncludeOwnWindows, cmd::kIncludeCursor,
          cmd::kFitToWindow, cmd::kAutoCopy, cmd::kZoomControl}},
        {res::kFormColorPicker,
         {cmd::kColorFormatCombo, cmd::kColorTile, cmd::kZoomControl, cmd::kAutoCopy,
          cmd::kAutoStop, cmd::kSampleSizeCombo, cmd::kSampleStatCombo}},
        {res::kFormGauge,
         {3640, 3641, 3642, 3643, 3644, 3645, cmd::kShowWhileMeasuring,
          cmd::kShowGridWhileMeasuring, cmd::kAutoCopy, cmd::kSnapToEdges, cmd::kZoomControl}},
    };
    const FormTemplate& magnifier = *FindForm(res::kFormMagnifier);
    for (const Case& c : cases) {
        const FormTemplate* form = FindForm(c.form);
        ASSERT_NE(form, nullptr) << c.form;
        EXPECT_EQ(form->id, c.form);
        EXPECT_EQ(form->dlu, magnifier.dlu) << c.form;
        EXPECT_EQ(form->fontName, magnifier.fontName) << c.form;
        EXPECT_EQ(form->fontPoints, magnifier.fontPoints) << c.form;
        std::set<int> expected = c.own;
        for (const int id : shared) {
            expected.insert(id);
            const FormControl* control = FindControl(*form, id);
            ASSERT_NE(control, nullptr) << c.form << " " << id;
            const FormControl& reference = *FindControl(magnifier, id);
            EXPECT_EQ(control->dlu, reference.dlu) << c.form << " " << id;
            EXPECT_EQ(control->kind, reference.kind) << c.form << " " << id;
        }
        std::set<int> ids;
        for (const FormControl& control : form->controls) {
            EXPECT_TRUE(ids.insert(control.id).second) << c.form << ": " << control.id << " twice";
            // Only the color picker's Auto-stop toggle is kept out of sight.
            EXPECT_EQ(control.hidden, control.id == cmd::kAutoStop) << c.form << " " << control.id;
        }
        EXPECT_EQ(ids, expected) << c.form;
    }
    EXPECT_EQ(FindForm(1014), nullptr);
    EXPECT_EQ(FindForm(0), nullptr);
}

TEST(FormsTest, ControlsLieInsideTheFormWithoutOverlappingAndAreDescribed) {
    for (const int id : kForms) {
        const FormTemplate& form = *FindForm(id);
        const Rect bounds{0, 0, form.dlu.cx, form.dlu.cy};
        for (size_t i = 0; i < form.controls.size(); ++i) {
            // The form's tool tips are the strings of the control ids.
            EXPECT_FALSE(LoadString(form.controls[i].id).empty())
                << id << " " << form.controls[i].id;
            const Rect a = VisibleDialogUnits(form.controls[i]);
            EXPECT_FALSE(a.IsEmpty()) << id << " " << form.controls[i].id;
            EXPECT_EQ(Intersect(a, bounds), a) << id << " " << form.controls[i].id;
            if (form.controls[i].hidden) continue;
            for (size_t j = i + 1; j < form.controls.size(); ++j) {
                if (form.controls[j].hidden) continue;
                const Rect b = VisibleDialogUnits(form.controls[j]);
                EXPECT_TRUE(Intersect(a, b).IsEmpty())
                    << id << ": " << form.controls[i].id << " overlaps " << form.controls[j].id;
            }
        }
    }
}

TEST(FormsTest, DialogUnitsToPixels) {
    struct Case {
        Rect dlu;
        Size base;
        Rect pixels;
    };
    const Case cases[] = {
        // The zoom slider of the magnifier form with a 6 x 13 font: 166 * 6 / 4 = 249,
        // 13 * 13 / 8 = 21.125, 197 * 6 / 4 = 295.5 (halves round up), 41 * 13 / 8 = 66.625.
        {{166, 13, 197, 41}, {6, 13}, {249, 21, 296, 67}},
        // The whole form with the classic 8-point base units 6 x 13 and a 7 x 14 font.
        {{0, 0, 200, 87}, {6, 13}, {0, 0, 300, 141}},
        {{0, 0, 200, 87}, {7, 14}, {0, 0, 350, 152}},
        // Exact multiples.
        {{4, 8, 40, 80}, {8, 16}, {8, 16, 80, 160}},
        // Halves round away from zero on both sides of the origin.
        {{-1, -4, 1, 4}, {6, 13}, {-2, -7, 2, 7}},
        {{0, 0, 0, 0}, {6, 13}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DialogUnitsToPixels(c.dlu, c.base), c.pixels)
            << c.dlu.left << "," << c.dlu.top << " " << c.base.cx << "x" << c.base.cy;
    }
    EXPECT_EQ(DialogUnitsToPixelSize({200, 87}, {6, 13}), (Size{300, 141}));
    EXPECT_EQ(DialogUnitsToPixelSize({200, 250}, {7, 15}), (Size{350, 469}));
}

}  // namespace
}  // namespace nl
