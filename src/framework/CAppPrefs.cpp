#include "framework/CAppPrefs.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

#include "base/CArchive.h"
#include "base/StringTable.h"
#include "base/text.h"
#include "framework/ViewNotifyHub.h"
#include "framework/hot_keys.h"
#include "res/version.h"

namespace nl {
namespace {

constexpr std::string_view kSettingsMagic = "NCnl";
constexpr int kDiscardedStringTables = 2;
constexpr int kReservedDates = 2;

// Option bits the views redraw for when they change.
struct OptionNotice {
    OptionWord word;
    std::uint32_t bits;
    ViewNotify notice;
};
constexpr OptionNotice kOptionNotices[] = {
    {OptionWord::kDisplay, AppSettings::kDisplayGridLines, ViewNotify::kGridLinesChanged},
    {OptionWord::kGeneral, AppSettings::kGeneralToolTips, ViewNotify::kToolTipsChanged},
};

// A row of a table of `size` rows; kept as given while the table is still empty.
std::int32_t ClampRow(std::int32_t index, int size) {
    return size > 0 ? std::clamp(index, 0, size - 1) : index;
}

// The entry `index` of a table, or null when the index lies outside it.
template <typename Table>
auto RowOrNull(const Table& table, std::int32_t index) -> decltype(&table.GetAt(0)) {
    return index >= 0 && index < table.GetSize() ? &table.GetAt(index) : nullptr;
}

}  // namespace

CAppPrefs::CAppPrefs(const PrefsServices& services, ViewNotifyHub* notify)
    : CPrefs(services, kCompanyName, LoadString(kIdsAppTitle)), m_notify(notify) {
    CAppPrefs::SetDefaults();
}

void CAppPrefs::Notify(ViewNotify type) const {
    if (m_notify != nullptr) m_notify->Send(type);
}

void CAppPrefs::OnFlushing() {
    Notify(ViewNotify::kSaveState);
}

template <typename T>
bool CAppPrefs::Store(T& field, T value, std::initializer_list<ViewNotify> notices) {
    if (field == value) return false;
    field = value;
    SetChanged();
    for (const ViewNotify notice : notices) Notify(notice);
    return true;
}

const CUnitCol* CAppPrefs::CurrentColorFormat() const {
    return RowOrNull(m_colorFormats, m_settings.colorFormatIndex);
}

const CUnitXY* CAppPrefs::CurrentLengthUnit() const {
    return RowOrNull(m_units, m_settings.lengthUnitIndex);
}

bool CAppPrefs::SetOptions(OptionWord word, std::uint32_t value) {
    std::uint32_t& field = m_settings.*AppSettings::OptionField(word);
    const std::uint32_t flipped = field ^ value;
    if (!Store(field, value)) return false;
    for (const OptionNotice& n : kOptionNotices)
        if (n.word == word && (flipped & n.bits) != 0) Notify(n.notice);
    return true;
}

bool CAppPrefs::SetOption(OptionWord word, std::uint32_t bits, OptionState state) {
    const std::uint32_t value = m_settings.Options(word);
    return SetOptions(word, state == OptionState::kOn ? (value | bits) : (value & ~bits));
}

bool CAppPrefs::ToggleOption(OptionWord word, std::uint32_t bits) {
    return SetOptions(word, m_settings.Options(word) ^ bits);
}

bool CAppPrefs::SetZoomFactor(std::int32_t percent) {
    return Store(m_settings.zoomFactor,
                 std::clamp(percent, AppSettings::kMinZoom, AppSettings::kMaxZoom),
                 {ViewNotify::kZoomChanged});
}

bool CAppPrefs::StepZoom(int steps) {
    // A stored factor between two offered ones steps to the next in the direction asked.
    constexpr std::int32_t kStep = AppSettings::kZoomStep;
    const std::int32_t zoom = m_settings.zoomFactor;
    const std::int32_t from = steps > 0 ? zoom / kStep : (zoom + kStep - 1) / kStep;
    const std::int64_t target = (static_cast<std::int64_t>(from) + steps) * kStep;
    return SetZoomFactor(static_cast<std::int32_t>(
        std::clamp<std::int64_t>(target, AppSettings::kMinZoom, AppSettings::kMaxZoom)));
}

bool CAppPrefs::SetActiveTool(std::int32_t tool) {
    return Store(m_settings.activeTool, tool);
}

bool CAppPrefs::SetColorFormat(std::int32_t index) {
    return Store(m_settings.colorFormatIndex, ClampRow(index, m_colorFormats.GetSize()),
                 {ViewNotify::kUnitOrNumberFormatChanged});
}

bool CAppPrefs::SetLengthUnit(std::int32_t index) {
    return Store(m_settings.lengthUnitIndex, ClampRow(index, m_units.GetSize()),
                 {ViewNotify::kUnitOrNumberFormatChanged});
}

bool CAppPrefs::SetPickDelay(std::int32_t milliseconds) {
    return Store(m_settings.pickDelay, std::clamp(milliseconds, 0, AppSettings::kMaxPickDelay));
}

bool CAppPrefs::SetExportOption(std::int32_t option) {
    return Store(m_settings.exportOption,
                 std::clamp(option, AppSettings::kExportTabs, AppSettings::kExportXml));
}

bool CAppPrefs::SetRecentFileCount(std::int32_t count) {
    return Store(m_settings.recentFileCount, std::clamp(count, 0, AppSettings::kMaxRecentFiles));
}

bool CAppPrefs::SetScreenCopierFillColor(std::uint32_t color) {
    return Store(m_settings.screenCopierFillColor, color);
}

bool CAppPrefs::StoreEntry(std::vector<std::uint32_t>& table, int index, std::uint32_t value,
                           std::initializer_list<ViewNotify> notices) {
    if (index < 0 || index >= static_cast<int>(table.size())) return false;
    return Store(table[static_cast<std::size_t>(index)], value, notices);
}

namespace {

constexpr std::string_view kSampleSizeKey = "sample.size";
constexpr std::string_view kSampleStatKey = "sample.stat";
constexpr std::string_view kContrastHotKeyKey = "hotkey.contrast";

// A hot key as the side file writes it ("0x2007B") and reads it back; 0 for a text that is
// no hot key the editor would accept.
std::string HotKeySideText(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%X", static_cast<unsigned>(value));
    return buffer;
}
std::uint32_t HotKeyFromSideText(std::string_view text) {
    if (!text.starts_with("0x")) return 0;
    const std::optional<int> value = ParseWholeInt(text.substr(2), 16);
    if (!value || *value < 0) return 0;
    const auto key = static_cast<std::uint32_t>(*value);
    return ValidateHotKey(key) ? key : 0;
}

}  // namespace

SampleMethod CAppPrefs::Sampling() const {
    SampleMethod method;
    if (const auto text = Side().Get(kSampleSizeKey)) {
        if (const std::optional<int> size = ParseWholeInt(*text); size && IsSampleSize(*size))
            method.size = *size;
    }
    if (const auto name = Side().Get(kSampleStatKey)) {
        if (const std::optional<SampleStat> stat = SampleStatFromName(*name)) method.stat = *stat;
    }
    return method;
}

bool CAppPrefs::SetSampling(const SampleMethod& method) {
    const auto stat = static_cast<int>(method.stat);
    if (!IsSampleSize(method.size) || stat < 0 || stat >= kSampleStatCount) return false;
    if (Sampling() == method) return false;
    SetSide(kSampleSizeKey, std::to_string(method.size));
    SetSide(kSampleStatKey, std::string(SampleStatName(method.stat)));
    Notify(ViewNotify::kSamplingChanged);
    return true;
}

bool CAppPrefs::StepSampleSize(int steps) {
    SampleMethod method = Sampling();
    const auto* at = std::find(std::begin(kSampleSizes), std::end(kSampleSizes), method.size);
    const auto index =
        std::clamp<std::ptrdiff_t>(std::distance(std::begin(kSampleSizes), at) + steps, 0,
                                   static_cast<std::ptrdiff_t>(std::size(kSampleSizes)) - 1);
    method.size = kSampleSizes[index];
    return SetSampling(method);
}

bool CAppPrefs::SetEventSound(int event, std::uint32_t sound) {
    return StoreEntry(m_eventSounds, event, sound);
}

bool CAppPrefs::SetCustomColor(int index, std::uint32_t color) {
    return StoreEntry(m_customColors, index, color);
}

std::vector<std::uint32_t> CAppPrefs::HotKeyTable() const {
    std::vector<std::uint32_t> table = m_hotKeys;
    table.resize(kStoredHotKeyCount);
    const std::optional<std::string> contrast = Side().Get(kContrastHotKeyKey);
    table.push_back(contrast ? HotKeyFromSideText(*contrast) : 0);
    return table;
}

bool CAppPrefs::SetHotKey(int command, std::uint32_t key) {
    if (command == kHotKeyContrast) {
        if (HotKeyTable()[kHotKeyContrast] == key) return false;
        SetSide(kContrastHotKeyKey,
                key != 0 ? std::optional<std::string>(HotKeySideText(key)) : std::nullopt);
        Notify(ViewNotify::kHotKeysChanged);
        return true;
    }
    if (command >= kStoredHotKeyCount) return false;
    return StoreEntry(m_hotKeys, command, key, {ViewNotify::kHotKeysChanged});
}

void CAppPrefs::SetDisplay(const DisplayMetrics& metrics, const NumberFormat& numberFormat) {
    m_metrics = metrics;
    m_numberFormat = numberFormat;
    // Once the tables are filled, the views show their numbers anew.
    if (!m_units.IsEmpty()) {
        m_units.LoadUnits(m_metrics, &m_numberFormat);
        Notify(ViewNotify::kUnitOrNumberFormatChanged);
    }
}

void CAppPrefs::SetMonitors(const std::vector<MonitorInfo>& monitors) {
    m_units.SetMonitors(monitors);
    if (!m_units.IsEmpty()) Notify(ViewNotify::kUnitOrNumberFormatChanged);
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
    m_hotKeys.assign(kStoredHotKeyCount, 0);
    GrowWinStates(kWinStateCount, OpenFlag::kCleared);
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
        if (m_hotKeys.size() < kStoredHotKeyCount) m_hotKeys.resize(kStoredHotKeyCount);
    }
    for (int i = 0; i < kDiscardedStringTables; ++i) {
        if (ar.IsStoring())
            ar.WriteCount(0);
        else
            ar.SkipStringTable();
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
    GrowWinStates(kWinStateCount, OpenFlag::kSet);
    auto& numbers = WinState(kWinStateOptions).Numbers();
    if (numbers.empty()) numbers.push_back(0);
}

}  // namespace nl
