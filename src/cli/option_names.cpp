#include "cli/option_names.h"

#include <cstdio>
#include <initializer_list>
#include <utility>

namespace nl::cli {
namespace {

using BitName = std::pair<std::uint32_t, std::string_view>;
using S = AppSettings;

constexpr BitName kGeneralBits[] = {
    {S::kGeneralPickingStarted, "picking_started"},
    {S::kGeneralKeepDocument, "keep_document"},
    {S::kGeneralReopenDocument, "reopen_document"},
    {S::kGeneralSaveWithoutAsking, "save_without_asking"},
    {S::kGeneralToolTips, "tool_tips"},
};
constexpr BitName kDisplayBits[] = {
    {S::kDisplayOnTop, "stay_on_top"},
    {S::kDisplayGridLines, "grid_lines"},
    {S::kDisplayHotKeyBalloon, "hot_key_balloon"},
    {S::kDisplayToolbar, "toolbar"},
    {S::kDisplayStatusBar, "status_bar"},
};
constexpr BitName kSoundBits[] = {{S::kSoundPlay, "play_sounds"}};
constexpr BitName kPickerBits[] = {
    {S::kPickerAutoStop, "auto_stop"},
    {S::kPickerAutoCopy, "auto_copy"},
    {S::kPickerViewDetails, "view_details"},
    {S::kPickerViewLargeIcons, "view_large_icons"},
    {S::kPickerViewSmallIcons, "view_small_icons"},
    {S::kPickerViewList, "view_list"},
};
constexpr BitName kMagnifierBits[] = {
    {S::kMagnifierCursorPosition, "cursor_position"},
    {S::kMagnifierFollowRuler, "follow_ruler"},
    {S::kMagnifierStretchCopies, "stretch_copies"},
};
constexpr BitName kGaugeBits[] = {
    {S::kGaugeShowMainWindow, "show_main_window"},
    {S::kGaugeShowGrid, "show_grid"},
};
constexpr BitName kCopierBits[] = {
    {S::kCopierIncludeOwnWindows, "include_own_windows"},
    {S::kCopierIncludeCursor, "include_cursor"},
    {S::kCopierFitImages, "fit_images"},
};
constexpr BitName kRulerOptionBits[] = {
    {CRulerData::kOptionUnitPixel, "unit_pixel"},
    {CRulerData::kOptionUnitPica, "unit_pica"},
    {CRulerData::kOptionUnitPoint, "unit_point"},
    {CRulerData::kOptionUnitTwip, "unit_twip"},
    {CRulerData::kOptionUnitCentimeter, "unit_centimeter"},
    {CRulerData::kOptionUnitInch, "unit_inch"},
    {CRulerData::kOptionUnitDialogBase, "unit_dialog_base"},
    {CRulerData::kOptionUnitDialog, "unit_dialog"},
    {CRulerData::kOptionVertical, "vertical"},
    {CRulerData::kOptionInverted, "inverted"},
    {CRulerData::kOptionGuide, "guide"},
};
constexpr BitName kRulerCaptionBits[] = {
    {CRulerData::kCaptionUnit, "unit"},
    {CRulerData::kCaptionScale, "scale"},
    {CRulerData::kCaptionRulerPosition, "ruler_position"},
    {CRulerData::kCaptionCursorPosition, "cursor_position"},
    {CRulerData::kCaptionCursorProjection, "cursor_projection"},
    {CRulerData::kCaptionCursorDistance, "cursor_distance"},
    {CRulerData::kCaptionCursorAngle, "cursor_angle"},
};

constexpr int kWordBits = 32;

template <std::size_t N>
std::vector<std::string> NamesOf(const BitName (&table)[N], std::uint32_t bits) {
    std::vector<std::string> names;
    for (int i = 0; i < kWordBits; ++i) {
        const std::uint32_t bit = std::uint32_t{1} << i;
        if ((bits & bit) == 0) continue;
        std::string name;
        for (const auto& [value, text] : table)
            if (value == bit) name = text;
        if (name.empty()) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(bit));
            name = hex;
        }
        names.push_back(std::move(name));
    }
    return names;
}

}  // namespace

std::string_view OptionWordKey(OptionWord word) {
    switch (word) {
        case OptionWord::kGeneral:
            return "general_options";
        case OptionWord::kDisplay:
            return "display_options";
        case OptionWord::kSound:
            return "sound_options";
        case OptionWord::kColorPicker:
            return "color_picker_options";
        case OptionWord::kMagnifier:
            return "magnifier_options";
        case OptionWord::kGauge:
            return "gauge_options";
        case OptionWord::kScreenCopier:
            return "screen_copier_options";
    }
    return "general_options";
}

std::vector<std::string> OptionBitNames(OptionWord word, std::uint32_t bits) {
    switch (word) {
        case OptionWord::kGeneral:
            return NamesOf(kGeneralBits, bits);
        case OptionWord::kDisplay:
            return NamesOf(kDisplayBits, bits);
        case OptionWord::kSound:
            return NamesOf(kSoundBits, bits);
        case OptionWord::kColorPicker:
            return NamesOf(kPickerBits, bits);
        case OptionWord::kMagnifier:
            return NamesOf(kMagnifierBits, bits);
        case OptionWord::kGauge:
            return NamesOf(kGaugeBits, bits);
        case OptionWord::kScreenCopier:
            return NamesOf(kCopierBits, bits);
    }
    return {};
}

std::vector<std::string> RulerOptionNames(std::uint32_t bits) {
    return NamesOf(kRulerOptionBits, bits);
}

std::vector<std::string> RulerCaptionNames(std::uint32_t bits) {
    return NamesOf(kRulerCaptionBits, bits);
}

}  // namespace nl::cli
