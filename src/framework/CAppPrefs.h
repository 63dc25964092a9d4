#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "document/CRulerData.h"
#include "document/ViewNotification.h"
#include "framework/CPrefs.h"
#include "model/CUnitsCol.h"
#include "model/CUnitsXY.h"
#include "model/DisplayMetrics.h"
#include "model/NumberFormat.h"
#include "model/area_sample.h"

namespace nl {

class ViewNotifyHub;

// The option words of the settings, for reading and changing their bits by name.
enum class OptionWord {
    kGeneral,
    kDisplay,
    kSound,
    kColorPicker,
    kMagnifier,
    kGauge,
    kScreenCopier,
};
enum class OptionState { kOff, kOn };

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
    static constexpr std::int32_t kZoomStep = 100;
    // The longest countdown of a timed pick, in milliseconds, and the longest recent-file list.
    static constexpr std::int32_t kMaxPickDelay = 60000;
    static constexpr std::int32_t kMaxRecentFiles = 16;

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

    // The member that holds an option word.
    static constexpr std::uint32_t AppSettings::*OptionField(OptionWord word) {
        switch (word) {
            case OptionWord::kGeneral:
                return &AppSettings::generalOptions;
            case OptionWord::kDisplay:
                return &AppSettings::displayOptions;
            case OptionWord::kSound:
                return &AppSettings::soundOptions;
            case OptionWord::kColorPicker:
                return &AppSettings::colorPickerOptions;
            case OptionWord::kMagnifier:
                return &AppSettings::magnifierOptions;
            case OptionWord::kGauge:
                return &AppSettings::gaugeOptions;
            case OptionWord::kScreenCopier:
                return &AppSettings::screenCopierOptions;
        }
        return &AppSettings::generalOptions;
    }
    std::uint32_t Options(OptionWord word) const { return this->*OptionField(word); }
    // Whether every one of `bits` is set in the word.
    bool HasOption(OptionWord word, std::uint32_t bits) const {
        return (Options(word) & bits) == bits;
    }

    friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

// All user settings of the application: the settings above, the ruler record, the length-unit
// and color-format tables (rebuilt each run, not stored), the event-sound, custom-color and
// hot-key tables and seven window states. Other parts read the settings and change them
// through the typed operations below, which mark them changed and notify the views in one
// call; the ruler record and the window states are changed through their own classes, and
// SetChanged called after.
class CAppPrefs : public CPrefs {
public:
    static constexpr int kEventSoundCount = 3;
    static constexpr int kCustomColorCount = 16;
    // The hot keys of the data file's table; the Contrast window's, which it has no place
    // for, is kept in the side file ("hotkey.contrast").
    static constexpr int kStoredHotKeyCount = 4;
    static constexpr int kWinStateCount = 7;

    // Uses the company and product names of the build and the application title. Changes
    // and flushes are announced through `notify` (none when null).
    explicit CAppPrefs(const PrefsServices& services, ViewNotifyHub* notify = nullptr);

    void Serialize(CArchive& ar) override;
    // Then fills the length-unit and color-format tables from the string table, with the
    // display metrics and number format given by SetDisplay.
    void Initialize(std::span<const std::string> commandLine) override;
    void SetDefaults() override;
    // Then brings stored values that would select outside their tables, or zoom outside
    // the toolbars' range, back to a usable value.
    LoadResult Load() override;

    // The display figures and the regional number format the unit tables convert with; once
    // the tables are filled, a change is announced as a unit change.
    void SetDisplay(const DisplayMetrics& metrics, const NumberFormat& numberFormat);
    const NumberFormat& RegionalFormat() const { return m_numberFormat; }
    // The desktop's monitors with their scales, which the logical pixel converts with; once
    // the tables are filled, a change is announced as a unit change.
    void SetMonitors(const std::vector<MonitorInfo>& monitors);

    const AppSettings& Settings() const { return m_settings; }
    const CRulerData& Ruler() const { return m_ruler; }
    CRulerData& Ruler() { return m_ruler; }
    const CUnitsXY& Units() const { return m_units; }
    const CUnitsCol& ColorFormats() const { return m_colorFormats; }
    // The selected rows of the two tables; null when the stored index lies outside its table.
    const CUnitCol* CurrentColorFormat() const;
    const CUnitXY* CurrentLengthUnit() const;

    const std::vector<std::uint32_t>& EventSounds() const { return m_eventSounds; }
    const std::vector<std::uint32_t>& CustomColors() const { return m_customColors; }
    // The data file's hot key table.
    const std::vector<std::uint32_t>& HotKeys() const { return m_hotKeys; }
    // Every hot key by id (HotKeyId): the data file's table, then the side file's.
    std::vector<std::uint32_t> HotKeyTable() const;

    // Typed changes. Each brings its value into range; when the value then differs from the
    // stored one, it stores it, marks the settings changed, sends the view notification that
    // goes with it and returns true. An equal value changes nothing and sends nothing.
    bool SetOptions(OptionWord word, std::uint32_t value);
    bool SetOption(OptionWord word, std::uint32_t bits, OptionState state);
    bool ToggleOption(OptionWord word, std::uint32_t bits);
    bool SetZoomFactor(std::int32_t percent);  // kMinZoom..kMaxZoom
    // The zoom `steps` offered factors up (positive) or down from the current one.
    bool StepZoom(int steps);
    // Any value: one outside the tools stands for no tool, as a stored one may.
    bool SetActiveTool(std::int32_t tool);
    bool SetColorFormat(std::int32_t index);  // a row of the color-format table
    bool SetLengthUnit(std::int32_t index);   // a row of the length-unit table
    bool SetPickDelay(std::int32_t milliseconds);
    bool SetExportOption(std::int32_t option);  // kExportTabs..kExportXml
    bool SetRecentFileCount(std::int32_t count);
    bool SetScreenCopierFillColor(std::uint32_t color);
    // Entries of the three tables; an index outside its table changes nothing.
    bool SetEventSound(int event, std::uint32_t sound);
    bool SetCustomColor(int index, std::uint32_t color);
    // A hot key by id, in the data file's table or, past it, in the side file.
    bool SetHotKey(int command, std::uint32_t key);

    // How picks sample the screen, kept beside the data file ("sample.size", "sample.stat");
    // the single pixel by the mean where nothing usable is stored. A change is announced as
    // kSamplingChanged; a size that is not offered is refused.
    SampleMethod Sampling() const;
    bool SetSampling(const SampleMethod& method);
    // The offered sample size `steps` places up (positive) or down from the current one.
    bool StepSampleSize(int steps);

    // The moment of the last save found in the loaded file.
    const COleDateTime& SavedAt() const { return m_savedAt; }

protected:
    // Asks the open windows to store their state before the file is written.
    void OnFlushing() override;

private:
    template <typename T>
    bool Store(T& field, T value, std::initializer_list<ViewNotify> notices = {});
    bool StoreEntry(std::vector<std::uint32_t>& table, int index, std::uint32_t value,
                    std::initializer_list<ViewNotify> notices = {});
    void Notify(ViewNotify type) const;
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
    ViewNotifyHub* m_notify = nullptr;
};

}  // namespace nl
