#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/ViewNotification.h"
#include "model/color_math.h"
#include "picking/CDesktopSampler.h"

namespace nl {

class CColorPicker;
class CPrefs;
class CUnitCol;
class CUnitXY;
class ILocale;

// How the colors list shows its entries; the mode is kept in the color picker option bits.
enum class ColsViewMode { kLargeIcons, kSmallIcons, kList, kDetails };

// The option bits of the four view modes.
inline constexpr std::uint32_t kColsViewModeMask = 0x000F0000;

// The mode stored in `pickerOptions`; large icons when no mode bit is set. When several bits
// are set (a hand-edited setting) details wins, then list, then small icons.
ColsViewMode ColsViewModeFromOptions(std::uint32_t pickerOptions);
// `pickerOptions` with exactly the bit of `mode` among the mode bits.
std::uint32_t ColsWithViewMode(std::uint32_t pickerOptions, ColsViewMode mode);
// The View menu command of each mode and back; nullopt for any other command.
int ColsViewModeCommand(ColsViewMode mode);
std::optional<ColsViewMode> ColsViewModeForCommand(int id);

// The columns of the details view. The name column (the nearest CSS color name) comes last
// among the columns and is shown, between the color and the position, only when asked for.
enum ColsColumn : int {
    kColsIndex = 0,
    kColsColor = 1,
    kColsPosition = 2,
    kColsTile = 3,
    kColsName = 4
};
inline constexpr int kColsColumnCount = 5;
// The header texts: the lines of string 2002, then "Name".
std::vector<std::string> ColsColumnHeaders();

// Whether the details view shows the name column: a setting of the side file, off at first.
bool ColsNameColumnShown(const CPrefs& prefs);
void SetColsNameColumnShown(CPrefs& prefs, bool shown);

// The text of `column` for entry `index`: the number from 01, the color in `format`, the
// screen position in `unit`, nothing for the tile column, the nearest CSS color name
// ("tomato", or "\u2248 tomato" when only near it). Empty when `listCount` (the items
// the list shows) disagrees with the document or the index is outside the list.
std::string ColsItemText(const CColorPicker& colors, int listCount, int index, int column,
                         const CUnitCol& format, const CUnitXY& unit);

// What the list does on a document notification: its new item count and selection.
struct ColsListChange {
    int count = 0;              // the item count afterwards
    bool setSelection = false;  // the selection changes to `selection`
    int selection = -1;         // -1 is no selection
    int redrawItem = -1;        // only this item needs drawing again (-1: none)
    bool repaint = false;       // the whole list is drawn again
};
// The list's answer to notification `type` with `argument`, given how many items it shows
// and how many colors the document has. Codes the list does not follow change nothing.
ColsListChange ColsFollowNotification(ViewNotify type, std::intptr_t argument, int listCount,
                                      int documentCount);

// Whether a colors view command is enabled with `count` entries and `selection` (-1: none).
// Commands the view does not own report nullopt.
std::optional<bool> ColsCommandEnabled(int id, int count, int selection);

// The string shown in the keyboard availability pane while the colors view is active.
std::uint32_t ColsStatusStringId(bool pickingStarted, bool appInForeground, bool keyboardAvailable);

// The field under the toolbar's zoom: "%02d: %s @ %s" with the number the next pick gets,
// the live color and its position while picking runs, "Start to enable" otherwise. A live
// sample without a color says so and why (`cause`), as nothing would be picked there.
std::string ColsToolbarPositionText(const CColorPicker& colors, bool started,
                                    const CUnitCol& format, const CUnitXY& unit,
                                    NoColorCause cause = NoColorCause::kUnreadable);

// One row of the color properties window.
struct ColorPropertyRow {
    std::string name;
    std::string value;
    std::string note;
    friend bool operator==(const ColorPropertyRow&, const ColorPropertyRow&) = default;
};
// The thirteen rows describing entry `index`, in their fixed forms; empty for an index outside
// the list. `locale` (may be null: UTC and plain digits) gives local times and numbers. A
// color picked in this session from a square of pixels has a fourteenth row, "Sampled",
// after the positions. The "Name" row, the nearest CSS color name, follows the color forms.
inline constexpr std::ptrdiff_t kColPropSampledRow = 10;
std::vector<ColorPropertyRow> ColorPropertyRows(const CColorPicker& colors, int index,
                                                const CUnitXY& unit, const ILocale* locale);
// The clipboard text of all rows: name, tab, value and "\r\n" for each.
std::string ColorPropertiesText(const std::vector<ColorPropertyRow>& rows);

// The state of the edit color dialog: the old color, the H, S, L it started from and the
// current H, S, L. While H, S and L equal their initial values the new color is the old one
// exactly, so a color whose HSL round trip differs is not changed by merely opening and
// closing the dialog or by moving a control away and back.
class CEditColorState {
public:
    explicit CEditColorState(COLORREF oldColor);

    COLORREF OldColor() const { return m_old; }
    Hsl Initial() const { return m_initial; }
    Hsl Current() const { return m_current; }
    COLORREF NewColor() const;
    bool IsUnchanged() const { return m_current == m_initial; }

    // Each value is clamped into 0..240.
    void SetH(int h);
    void SetS(int s);
    void SetL(int l);
    void SetHsl(Hsl hsl);
    // From the system color dialog or a typed color: H, S and L of `color`, and the new color
    // is `color` itself (the 0..240 scale cannot hold every color) until a component changes;
    // the same color as now changes nothing.
    void SetFromColor(COLORREF color);
    void ResetH() { SetH(m_initial.h); }
    void ResetS() { SetS(m_initial.s); }
    void ResetL() { SetL(m_initial.l); }
    void ResetAll() { SetHsl(m_initial); }

    // The dialog's result: the old color on Cancel or with H, S, L unchanged.
    COLORREF Result(bool accepted) const;

private:
    COLORREF m_old;
    Hsl m_initial;
    Hsl m_current;
    // The color set whole by SetFromColor, while no component has moved since.
    std::optional<COLORREF> m_exact;
};

}  // namespace nl
