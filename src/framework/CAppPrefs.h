#pragma once
#include <cstdint>
#include <vector>

#include "framework/CPrefs.h"
#include "model/CUnitsCol.h"
#include "model/CUnitsXY.h"
#include "model/DisplayMetrics.h"
#include "model/NumberFormat.h"
#include "document/CRulerData.h"

namespace nl {

// The application's settings, each declared here once with its default. Option words are bit
// sets; the bits the tools test are named below.
struct AppSettings {
    // General option bits.
    static constexpr std::uint32_t kGeneralPickingStarted = 0x1;
    static constexpr std::uint32_t kGeneralKeepDocument = 0x100;    // ask to save the document
    static constexpr std::uint32_t kGeneralReopenDocument = 0x200;  // with 0x100: reopen the last
    static constexpr std::uint32_t kGeneralSaveWithoutAsking = 0x400;
    static constexpr std::uint32_t kGeneralToolTips = 0x10000;
    // Display option bits.
    static constexpr std::uint32_t kDisplayOnTop = 0x2;
    static constexpr std::uint32_t kDisplayGridLines = 0x100;
    static constexpr std::uint32_t kDisplayHotKeyBalloon = 0x10000;
    static constexpr std::uint32_t kDisplayToolbar = 0x1000000;
    static constexpr std::uint32_t kDisplayStatusBar = 0x2000000;
    // Sound option bits.
    static constexpr std::uint32_t kSoundPlay = 0x1;
    // Color picker option bits.
    static constexpr std::uint32_t kPickerAutoStop = 0x100;
    static constexpr std::uint32_t kPickerAutoCopy = 0x200;
    static constexpr std::uint32_t kPickerViewDetails = 0x10000;
    static constexpr std::uint32_t kPickerViewLargeIcons = 0x20000;
    static constexpr std::uint32_t kPickerViewSmallIcons = 0x40000;
    static constexpr std::uint32_t kPickerViewList = 0x80000;
    // Magnifier option bits.
    static constexpr std::uint32_t kMagnifierCursorPosition = 0x10;
    static constexpr std::uint32_t kMagnifierFollowRuler = 0x20;
    static constexpr std::uint32_t kMagnifierStretchCopies = 0x100;
    // Gauge option bits.
    static constexpr std::uint32_t kGaugeShowMainWindow = 0x10;
    static constexpr std::uint32_t kGaugeShowGrid = 0x100;
    // Screen copier option bits.
    static constexpr std::uint32_t kCopierIncludeOwnWindows = 0x10;
    static constexpr std::uint32_t kCopierIncludeCursor = 0x20;
    static constexpr std::uint32_t kCopierFitImages = 0x100;
    // Active tools.
    static constexpr std::int32_t kToolMagnifier = 1;
    static constexpr std::int32_t kToolScreenCopier = 2;
    static constexpr std::int32_t kToolColorPicker = 3;
    static constexpr std::int32_t kToolGauge = 4;
    // Export option word: the form of colors copied to the clipboard.
    static constexpr std::int32_t kExportTabs = 0;
    static constexpr std::int32_t kExportCsvCommas = 1;
    static constexpr std::int32_t kExportCsvSemicolons = 2;
    static constexpr std::int32_t kExportHtml = 3;
    static constexpr std::int32_t kExportXml = 4;
    // The zoom factors the toolbars offer, in percent.
    static constexpr std::int32_t kMinZoom = 100;
    static constexpr std::int32_t kMaxZoom = 1000;

    std::int32_t reservedA = 1;  // kept in the file, not used
    std::int32_t reservedB = 7;  // kept in the file, not used
    std::int32_t recentFileCount = 4;
    std::uint32_t generalOptions = 0x00010701;
    std::uint32_t displayOptions = 0x03010100;
    std::uint32_t soundOptions = kSoundPlay;
    std::int32_t activeTool = kToolMagnifier;
    std::int32_t exportOption = kExportTabs;
    std::int32_t zoomFactor = 400;
    std::int32_t colorFormatIndex = 0;
    std::int32_t lengthUnitIndex = 0;
    std::uint32_t colorPickerOptions = 0x00010200;
    std::uint32_t magnifierOptions = 0x130;
    std::uint32_t gaugeOptions = 0x110;
    std::uint32_t screenCopierOptions = 0x10;
    std::int32_t pickDelay = 2000;                     // milliseconds
    std::uint32_t screenCopierFillColor = 0x00FFFFFF;  // a color, red in the low byte

    // Whether live sampling runs (general option bit 0x1).
    bool PickingStarted() const { return (generalOptions & kGeneralPickingStarted) != 0; }

    friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

// All user settings of the application: the settings above, the ruler record, the length-unit
// and color-format tables (rebuilt each run, not stored), the event-sound, custom-color and
// hot-key tables and seven window states. Other parts read and write them in place and then
// call SetChanged.
class CAppPrefs : public CPrefs {
public:
    static constexpr int kEventSoundCount = 3;
    static constexpr int kCustomColorCount = 16;
    static constexpr int kHotKeyCount = 4;
    static constexpr int kWinStateCount = 7;

    // Uses the company and product names of the build and the application title.
    explicit CAppPrefs(const PrefsServices& services);

    void Serialize(CArchive& ar) override;
    // Then fills the length-unit and color-format tables from the string table, with the
    // display metrics and number format given by SetDisplay.
    void Initialize(std::span<const std::string> commandLine) override;
    void SetDefaults() override;
    // Then brings stored values that would select outside their tables, or zoom outside
    // the toolbars' range, back to a usable value.
    LoadResult Load() override;

    // The display figures and the regional number format the unit tables convert with.
    void SetDisplay(const DisplayMetrics& metrics, const NumberFormat& numberFormat);
    const NumberFormat& RegionalFormat() const { return m_numberFormat; }

    const AppSettings& Settings() const { return m_settings; }
    AppSettings& Settings() { return m_settings; }
    const CRulerData& Ruler() const { return m_ruler; }
    CRulerData& Ruler() { return m_ruler; }
    const CUnitsXY& Units() const { return m_units; }
    const CUnitsCol& ColorFormats() const { return m_colorFormats; }

    const std::vector<std::uint32_t>& EventSounds() const { return m_eventSounds; }
    std::vector<std::uint32_t>& EventSounds() { return m_eventSounds; }
    const std::vector<std::uint32_t>& CustomColors() const { return m_customColors; }
    std::vector<std::uint32_t>& CustomColors() { return m_customColors; }
    const std::vector<std::uint32_t>& HotKeys() const { return m_hotKeys; }
    std::vector<std::uint32_t>& HotKeys() { return m_hotKeys; }

    // The moment of the last save found in the loaded file.
    const COleDateTime& SavedAt() const { return m_savedAt; }

private:
    void SerializeSettings(CArchive& ar);
    // After a load: the window-state list holds seven records and the options dialog's
    // record has its page number.
    void CompleteWinStates();
    void ClampIndices();

    AppSettings m_settings;
    CRulerData m_ruler;
    DisplayMetrics m_metrics;
    NumberFormat m_numberFormat;
    CUnitsXY m_units;
    CUnitsCol m_colorFormats;
    std::vector<std::uint32_t> m_eventSounds;
    std::vector<std::uint32_t> m_customColors;
    std::vector<std::uint32_t> m_hotKeys;
    COleDateTime m_savedAt;
};

}  // namespace nl
