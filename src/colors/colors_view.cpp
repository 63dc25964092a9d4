#include "colors/colors_view.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/text.h"
#include "document/CColorPicker.h"
#include "framework/CAppPrefs.h"
#include "framework/sample_texts.h"
#include "model/CUnitCol.h"
#include "model/CUnitXY.h"
#include "model/NumberFormat.h"
#include "model/css_color.h"
#include "platform/ILocale.h"

namespace nl {
namespace {

// The view-mode bits of the color picker option word.
constexpr std::uint32_t kDetailsBit = AppSettings::kPickerViewDetails;
constexpr std::uint32_t kLargeIconsBit = AppSettings::kPickerViewLargeIcons;
constexpr std::uint32_t kSmallIconsBit = AppSettings::kPickerViewSmallIcons;
constexpr std::uint32_t kListBit = AppSettings::kPickerViewList;
// The side-file key of the details view's name column.
constexpr std::string_view kNameColumnKey = "colors.nameColumn";

std::string Printf(const char* format, auto... args) {
    char buffer[128];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    return n < 0 ? std::string() : std::string(buffer, std::min<std::size_t>(n, sizeof buffer - 1));
}

// The properties row of the nearest CSS color name; the note gives the OKLab distance of a
// color that is only near its name, in the local digits.
ColorPropertyRow NameRow(COLORREF color, const NumberFormat& number) {
    const NearestCssName nearest = NearestCssColorName(color);
    return {LoadString(kIdsColorName), CssNameText(nearest),
            nearest.exact ? LoadString(kIdsColorNameExact)
                          : FormatString(kIdsColorNameNear,
                                         {FormatNumberFixed(number, nearest.distance, 3)})};
}

bool HasSelection(int count, int selection) {
    return count > 0 && selection >= 0 && selection < count;
}

// A stored UTC time as local time text; "" for an invalid time.
std::string LocalTimeText(const COleDateTime& utc, const ILocale* locale) {
    if (!utc.IsValid()) return {};
    COleDateTime local = utc;
    if (locale) {
        std::chrono::system_clock::time_point tp;
        if (!utc.ToTimePoint(tp)) return {};
        local =
            COleDateTime::FromTimePoint(tp + std::chrono::minutes(locale->UtcOffsetMinutes(utc)));
    }
    CivilTime civil;
    if (!local.ToCivil(civil)) return {};
    if (locale) return locale->LongDateTime(civil);
    return Printf("%04d-%02d-%02d %02d:%02d:%02d", civil.year, civil.month, civil.day, civil.hour,
                  civil.minute, civil.second);
}

}  // namespace

ColsViewMode ColsViewModeFromOptions(std::uint32_t pickerOptions) {
    if (pickerOptions & kDetailsBit) return ColsViewMode::kDetails;
    if (pickerOptions & kListBit) return ColsViewMode::kList;
    if (pickerOptions & kSmallIconsBit) return ColsViewMode::kSmallIcons;
    return ColsViewMode::kLargeIcons;
}

std::uint32_t ColsWithViewMode(std::uint32_t pickerOptions, ColsViewMode mode) {
    std::uint32_t bit = kLargeIconsBit;
    switch (mode) {
        case ColsViewMode::kLargeIcons:
            bit = kLargeIconsBit;
            break;
        case ColsViewMode::kSmallIcons:
            bit = kSmallIconsBit;
            break;
        case ColsViewMode::kList:
            bit = kListBit;
            break;
        case ColsViewMode::kDetails:
            bit = kDetailsBit;
            break;
    }
    return (pickerOptions & ~kColsViewModeMask) | bit;
}

int ColsViewModeCommand(ColsViewMode mode) {
    switch (mode) {
        case ColsViewMode::kLargeIcons:
            return cmd::kViewLargeIcons;
        case ColsViewMode::kSmallIcons:
            return cmd::kViewSmallIcons;
        case ColsViewMode::kList:
            return cmd::kViewList;
        case ColsViewMode::kDetails:
            return cmd::kViewDetails;
    }
    return cmd::kViewLargeIcons;
}

std::optional<ColsViewMode> ColsViewModeForCommand(int id) {
    for (const ColsViewMode mode : {ColsViewMode::kLargeIcons, ColsViewMode::kSmallIcons,
                                    ColsViewMode::kList, ColsViewMode::kDetails}) {
        if (ColsViewModeCommand(mode) == id) return mode;
    }
    return std::nullopt;
}

std::vector<std::string> ColsColumnHeaders() {
    std::vector<std::string> headers = SplitLines(LoadString(kIdsColumnHeaders));
    headers.resize(kColsName);
    headers.push_back(LoadString(kIdsColorName));
    return headers;
}

bool ColsNameColumnShown(const CPrefs& prefs) {
    return prefs.Side().Get(kNameColumnKey) == "1";
}

void SetColsNameColumnShown(CPrefs& prefs, bool shown) {
    prefs.SetSide(kNameColumnKey, shown ? std::optional<std::string>("1") : std::nullopt);
}

std::string ColsItemText(const CColorPicker& colors, int listCount, int index, int column,
                         const CUnitCol& format, const CUnitXY& unit) {
    if (listCount != colors.GetCount() || index < 0 || index >= listCount) return {};
    const CColPick& pick = colors.GetAt(index);
    switch (column) {
        case kColsIndex:
            return Printf("%02u", static_cast<unsigned>(index) + 1u);
        case kColsColor:
            return format.FormatColor(pick.Color());
        case kColsPosition:
            return unit.FormatPoint(pick.Position().x, pick.Position().y);
        case kColsName:
            return CssNameText(pick.Color());
        default:
            return {};
    }
}

ColsListChange ColsFollowNotification(ViewNotify type, std::intptr_t argument, int listCount,
                                      int documentCount) {
    ColsListChange change;
    change.count = listCount;
    if (type == ViewNotify::kColorChanged || type == ViewNotify::kColorEntryUpdated) {
        change.redrawItem = static_cast<int>(argument);
        return change;
    }
    switch (type) {
        case ViewNotify::kGridLinesChanged:
        case ViewNotify::kUnitOrNumberFormatChanged:
            change.repaint = true;
            break;
        case ViewNotify::kDocumentReplaced:
            change.count = documentCount;
            change.setSelection = true;
            change.selection = -1;
            change.repaint = true;
            break;
        case ViewNotify::kColorInserted:
        case ViewNotify::kColorRemoved:
        case ViewNotify::kAllColorsRemoved: {
            change.count = documentCount;
            change.repaint = true;
            change.setSelection = true;
            if (type == ViewNotify::kAllColorsRemoved || documentCount == 0) {
                change.selection = -1;
            } else {
                // An index past the end (the last entry was deleted) selects the new last.
                const int index = static_cast<int>(argument);
                change.selection = std::clamp(index, 0, documentCount - 1);
            }
            break;
        }
        default:
            break;
    }
    return change;
}

std::optional<bool> ColsCommandEnabled(int id, int count, int selection) {
    switch (id) {
        case cmd::kEditCopy:
        case cmd::kGotoColor:
        case cmd::kEditColor:
        case cmd::kEditDelete:
        case cmd::kColorProperties:
        case cmd::kCopyColor:
            return HasSelection(count, selection);
        case cmd::kMoveColorUp:
            return HasSelection(count, selection) && selection > 0;
        case cmd::kMoveColorDown:
            return HasSelection(count, selection) && selection < count - 1;
        case cmd::kAddColor:
        case cmd::kViewLargeIcons:
        case cmd::kViewSmallIcons:
        case cmd::kViewList:
        case cmd::kViewDetails:
            return true;
        case cmd::kCopyAllColors:
        case cmd::kDeleteAllColors:
            return count > 0;
        default:
            return std::nullopt;
    }
}

std::uint32_t ColsStatusStringId(bool pickingStarted, bool appInForeground,
                                 bool keyboardAvailable) {
    if (!pickingStarted) return kIdsHintDisabled;
    if (!appInForeground) return kIdsHintActivate;
    return keyboardAvailable ? kIdsHintPressEnter : kIdsHintMoveOutside;
}

std::string ColsToolbarPositionText(const CColorPicker& colors, bool started,
                                    const CUnitCol& format, const CUnitXY& unit,
                                    NoColorCause cause) {
    if (!started) return LoadString(kIdsStartToEnable);
    const CColPick& sample = colors.Sample();
    const std::string number = Printf("%02d", colors.GetCount() + 1);
    const std::string position = unit.FormatPoint(sample.Position().x, sample.Position().y);
    if (sample.Color() == kNoColor) {
        const std::uint32_t why =
            cause == NoColorCause::kOffScreen ? kIdsNoColorOffScreen : kIdsNoColorUnreadable;
        return FormatString(why, {number, position});
    }
    const std::string color = format.FormatColor(sample.Color());
    return Printf("%s: %s @ %s", number.c_str(), color.c_str(), position.c_str());
}

std::vector<ColorPropertyRow> ColorPropertyRows(const CColorPicker& colors, int index,
                                                const CUnitXY& unit, const ILocale* locale) {
    if (index < 0 || index >= colors.GetCount()) return {};
    const CColPick& pick = colors.GetAt(index);
    const COLORREF c = pick.Color();
    const int r = RgbRed(c), g = RgbGreen(c), b = RgbBlue(c);
    const Hsl hsl = RgbToHsl(c);
    const Hsv hsv = RgbToHsv(c);
    const Cmyk cmyk = RgbToCmyk(c);
    const Point abs = pick.Position();
    const Point rel = pick.RelativePosition();
    const NumberFormat number = locale ? locale->UserNumberFormat() : NumberFormat::Neutral();
    std::vector<ColorPropertyRow> rows = {
        {LoadString(kIdsColPropIndex), std::to_string(index + 1),
         Printf("1 - %d", colors.GetCount())},
        {LoadString(kIdsColPropRgb), Printf("%d, %d, %d", r, g, b), "0 - 255"},
        {LoadString(kIdsColPropHtml), Printf("%02X%02X%02X", r, g, b), "00 - FF"},
        {LoadString(kIdsColPropHsl), Printf("%d, %d, %d", hsl.h, hsl.s, hsl.l), "0 - 240"},
        {LoadString(kIdsColPropHsv), Printf("%d, %d, %d", hsv.h, hsv.s, hsv.v), "\xC2\xB0, %, %"},
        {LoadString(kIdsColPropCmyk), Printf("%d, %d, %d, %d", cmyk.c, cmyk.m, cmyk.y, cmyk.k),
         "%"},
        NameRow(c, number),
        {LoadString(kIdsColPropSource), pick.SourceTitle(), LoadString(kIdsColPropNoteSource)},
        // The offset from the window's corner is a length on the monitor of the pick.
        {LoadString(kIdsColPropRelativePos), unit.OnMonitorAt(abs).FormatOffset(rel.x, rel.y),
         unit.Name()},
        {LoadString(kIdsColPropAbsolutePos), unit.FormatPoint(abs.x, abs.y), unit.Name()},
        {LoadString(kIdsColPropCreated), LocalTimeText(pick.Created(), locale),
         LoadString(kIdsColPropNoteTime)},
        {LoadString(kIdsColPropModified), LocalTimeText(pick.Modified(), locale),
         LoadString(kIdsColPropNoteTime)},
        {LoadString(kIdsColPropVersion), FormatNumberFixed(number, pick.Version(), 0),
         LoadString(kIdsColPropNoteVersion)},
    };
    // A color read from a square says so, after its position; the file has no place for
    // it, so only colors of this session can.
    if (const std::optional<SampleMethod>& sampling = pick.Sampling();
        sampling && !sampling->IsSinglePixel()) {
        const auto afterPositions = rows.begin() + kColPropSampledRow;
        rows.insert(afterPositions, {LoadString(kIdsColPropSampled), SampleMethodText(*sampling),
                                     LoadString(kIdsColPropNoteSampled)});
    }
    return rows;
}

std::string ColorPropertiesText(const std::vector<ColorPropertyRow>& rows) {
    std::string text;
    for (const ColorPropertyRow& row : rows) text += row.name + "\t" + row.value + "\r\n";
    return text;
}

CEditColorState::CEditColorState(COLORREF oldColor)
    : m_old(oldColor), m_initial(RgbToHsl(oldColor)), m_current(m_initial) {}

COLORREF CEditColorState::NewColor() const {
    if (m_exact) return *m_exact;
    return IsUnchanged() ? m_old : HslToRgb(m_current.h, m_current.s, m_current.l);
}

void CEditColorState::SetH(int h) {
    m_exact.reset();
    m_current.h = std::clamp(h, 0, kHslScale);
}
void CEditColorState::SetS(int s) {
    m_exact.reset();
    m_current.s = std::clamp(s, 0, kHslScale);
}
void CEditColorState::SetL(int l) {
    m_exact.reset();
    m_current.l = std::clamp(l, 0, kHslScale);
}
void CEditColorState::SetHsl(Hsl hsl) {
    SetH(hsl.h);
    SetS(hsl.s);
    SetL(hsl.l);
}

void CEditColorState::SetFromColor(COLORREF color) {
    if (color == NewColor()) return;
    SetHsl(RgbToHsl(color));
    if (color != m_old) m_exact = color;
}

COLORREF CEditColorState::Result(bool accepted) const {
    return accepted ? NewColor() : m_old;
}

}  // namespace nl
