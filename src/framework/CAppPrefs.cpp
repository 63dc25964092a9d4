#include "framework/CAppPrefs.h"

#include <algorithm>

#include "base/CArchive.h"
#include "base/StringTable.h"
#include "res/version.h"

namespace nl {
namespace {

constexpr std::string_view kSettingsMagic = "NCnl";
constexpr int kDiscardedStringTables = 2;
constexpr int kReservedDates = 2;

}  // namespace

CAppPrefs::CAppPrefs(const PrefsServices& services)
    : CPrefs(services, kCompanyName, LoadString(kIdsAppTitle)) {
    CAppPrefs::SetDefaults();
}

void CAppPrefs::SetDisplay(const DisplayMetrics& metrics, const NumberFormat& numberFormat) {
    m_metrics = metrics;
    m_numberFormat = numberFormat;
    if (!m_units.IsEmpty()) m_units.LoadUnits(m_metrics, &m_numberFormat);
}

void CAppPrefs::Initialize(std::span<const std::string> commandLine) {
    CPrefs::Initialize(commandLine);
    m_units.LoadUnits(m_metrics, &m_numberFormat);
    m_colorFormats.LoadColorFormats();
}

void CAppPrefs::SetDefaults() {
    CPrefs::SetDefaults();
    m_settings = AppSettings{};
    // The ruler record has no defaults step of its own; a reset after a damaged file must
    // not keep what was read of it.
    m_ruler = CRulerData{};
    m_eventSounds.assign(kEventSoundCount, 0);
    m_customColors.assign(kCustomColorCount, 0);
    m_hotKeys.assign(kHotKeyCount, 0);
    GrowWinStates(kWinStateCount, false);
    WinState(kWinStateOptions).Numbers().push_back(0);
}

LoadResult CAppPrefs::Load() {
    const LoadResult result = CPrefs::Load();
    ClampIndices();
    return result;
}

void CAppPrefs::ClampIndices() {
    auto clampIndex = [](std::int32_t& index, int size) {
        if (size > 0 && (index < 0 || index >= size)) index = 0;
    };
    clampIndex(m_settings.colorFormatIndex, m_colorFormats.GetSize());
    clampIndex(m_settings.lengthUnitIndex, m_units.GetSize());
    // A tool or clipboard form this program does not have falls back to the default one.
    if (m_settings.activeTool < AppSettings::kToolMagnifier ||
        m_settings.activeTool > AppSettings::kToolGauge)
        m_settings.activeTool = AppSettings::kToolMagnifier;
    if (m_settings.exportOption < AppSettings::kExportTabs ||
        m_settings.exportOption > AppSettings::kExportXml)
        m_settings.exportOption = AppSettings::kExportTabs;
    m_settings.zoomFactor =
        std::clamp(m_settings.zoomFactor, AppSettings::kMinZoom, AppSettings::kMaxZoom);
}

void CAppPrefs::Serialize(CArchive& ar) {
    SerializeSettings(ar);
    m_ruler.Serialize(ar);
    ar.Io(m_eventSounds);
    ar.Io(m_customColors);
    ar.Io(m_hotKeys);
    if (ar.IsLoading()) {
        m_eventSounds.resize(kEventSoundCount);
        m_customColors.resize(kCustomColorCount);
        if (m_hotKeys.size() < kHotKeyCount) m_hotKeys.resize(kHotKeyCount);
    }
    for (int i = 0; i < kDiscardedStringTables; ++i) {
        std::vector<std::string> unused;
        ar.Io(unused);
    }
    CPrefs::Serialize(ar);
    if (ar.IsLoading()) CompleteWinStates();
}

void CAppPrefs::SerializeSettings(CArchive& ar) {
    AppSettings& s = m_settings;
    ar.Magic(kSettingsMagic);
    SerializeFileVersions(ar);
    if (ar.IsStoring()) m_savedAt = NowUtc();
    ar.Io(m_savedAt);
    ar.Reserved(4, 0);
    ar.Io(s.reservedA);
    ar.Io(s.reservedB);
    ar.Reserved(0, 4);
    ar.Io(s.recentFileCount);
    ar.Io(s.generalOptions);
    ar.Io(s.displayOptions);
    ar.Io(s.soundOptions);
    ar.Io(s.activeTool);
    ar.Io(s.exportOption);
    ar.Reserved(8, 4);
    ar.Io(s.zoomFactor);
    ar.Io(s.colorFormatIndex);
    ar.Io(s.lengthUnitIndex);
    ar.Reserved(8, 4);
    ar.Io(s.colorPickerOptions);
    ar.Reserved(4, 4);
    ar.Io(s.magnifierOptions);
    ar.Reserved(4, 4);
    ar.Io(s.gaugeOptions);
    ar.Reserved(4, 4);
    ar.Io(s.screenCopierOptions);
    ar.Io(s.pickDelay);
    ar.Io(s.screenCopierFillColor);
    ar.Reserved(4, 4);
    ar.Reserved(4, 2);
    for (int i = 0; i < kReservedDates; ++i) {
        COleDateTime reserved;
        ar.Io(reserved);
    }
    ar.Reserved(4, 4);
}

void CAppPrefs::CompleteWinStates() {
    GrowWinStates(kWinStateCount, true);
    auto& numbers = WinState(kWinStateOptions).Numbers();
    if (numbers.empty()) numbers.push_back(0);
}

}  // namespace nl
