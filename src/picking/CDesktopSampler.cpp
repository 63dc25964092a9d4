#include "picking/CDesktopSampler.h"

#include <cstdio>
#include <utility>

#include "base/StringTable.h"
#include "base/text.h"
#include "document/CColorPicker.h"
#include "framework/CAppPrefs.h"
#include "framework/event_sounds.h"
#include "model/NumberFormat.h"
#include "platform/IClipboard.h"
#include "platform/IDesktop.h"

namespace nl {
namespace {

constexpr COLORREF kColorBits = 0x00FFFFFF;

COLORREF LowColorBits(COLORREF color) {
    return color == kNoColor ? kNoColor : (color & kColorBits);
}

}  // namespace

void CDesktopSampler::SamplePixel(const IDesktop& desktop, const IClock& clock, Point point,
                                  CColPick& record) {
    const COleDateTime now = CColPick::StampNow(clock);
    record.SetSourceWindow(kNoWindow);
    record.SetModified(now);
    record.SetVersion(1);
    record.SetColor(LowColorBits(desktop.PixelColor(point)));
    record.SetPosition(point);
    record.SetRelativePosition({0, 0});
    record.SetSourceTitle({});
    record.SetWindowClass({});

    const WindowId under = desktop.WindowFromPoint(point);
    if (under == kNoWindow) return;
    WindowId source = desktop.Ancestor(under, WindowAncestor::kRootOwner);
    if (source == kNoWindow) source = under;
    record.SetSourceWindow(source);

    std::string title = desktop.WindowText(source);
    if (title.empty() && desktop.Owner(source) == kNoWindow) title = kDesktopTitle;
    record.SetSourceTitle(std::move(title));
    record.SetWindowClass(TruncateUtf16(desktop.ClassName(under), kMaxClassName));

    const Rect client = desktop.ClientRect(source);
    record.SetRelativePosition({point.x - client.left, point.y - client.top});
}

NoColorCause CDesktopSampler::WhyNoColor(const IDesktop& desktop, Point point) {
    return desktop.VirtualScreen().Contains(point) ? NoColorCause::kUnreadable
                                                   : NoColorCause::kOffScreen;
}

bool CDesktopSampler::RefreshSample() {
    CColPick& sample = m_s.colors.Sample();
    const Point cursor = m_s.desktop.CursorPos();
    if (cursor == sample.Position()) {
        // A still cursor: nothing to read while neither its pixel nor the windows changed.
        const std::uint64_t changes =
            m_s.desktop.ChangeCount({cursor.x, cursor.y, cursor.x + 1, cursor.y + 1});
        const Watched now{cursor, changes};
        if (std::exchange(m_watched, now) == now) return false;
        if (LowColorBits(m_s.desktop.PixelColor(cursor)) == sample.Color()) return false;
    }
    SamplePixel(m_s.desktop, m_s.clock, cursor, sample);
    return true;
}

bool CDesktopSampler::PickAt(Point point, PickOrigin origin) {
    CColPick& sample = m_s.colors.Sample();
    SamplePixel(m_s.desktop, m_s.clock, point, sample);
    // A failed read is no color: the live sample shows why, the list keeps what it has.
    if (sample.Color() == kNoColor) return false;
    if (!m_s.colors.InsertColor(m_s.colors.GetCount(), sample)) return false;
    AfterPick(sample.Color(), origin);
    return true;
}

bool CDesktopSampler::Pick(PickOrigin origin) {
    return PickAt(m_s.desktop.CursorPos(), origin);
}

bool CDesktopSampler::Replace(int selection) {
    if (selection < 0 || selection >= m_s.colors.GetCount()) return false;
    if (m_s.colors.Sample().Color() == kNoColor) return false;
    m_s.colors.ReplaceColor(selection, m_s.colors.Sample());
    AfterPick(m_s.colors.Sample().Color(), PickOrigin::kCommand);
    return true;
}

void CDesktopSampler::AfterPick(COLORREF color, PickOrigin origin) {
    const AppSettings& settings = m_s.prefs.Settings();
    const std::uint32_t options = settings.colorPickerOptions;
    if ((options & AppSettings::kPickerAutoCopy) != 0) {
        // Clipboard failures of the automatic copy are not reported.
        if (const CUnitCol* format = m_s.prefs.CurrentColorFormat())
            m_s.clipboard.SetText(format->FormatColor(color));
    }
    if (origin == PickOrigin::kKey && (options & AppSettings::kPickerAutoStop) != 0 &&
        m_stopPicking) {
        m_stopPicking();
    }
    PlayEventSound(m_s.sound, SoundEvent::kPickColor, settings.soundOptions,
                   m_s.prefs.EventSounds());
}

std::string CDesktopSampler::CountdownText(int remainingMs) const {
    return CountdownText(m_s.prefs.RegionalFormat(), kIdsCountdown, remainingMs);
}

std::string CDesktopSampler::CountdownText(const NumberFormat& regional, std::uint32_t textId,
                                           int remainingMs) {
    // Whole tenths, rounded up, so that 250 ms reads 0.3 whatever the binary fractions do.
    const int tenths = (remainingMs + kCountdownStepMs / 2) / kCountdownStepMs;
    const std::string seconds = FormatNumberFixed(regional, tenths / 10.0, 1);
    return FormatString(textId, {seconds});
}

void CDesktopSampler::CountDown(IPickCountdown& countdown, const NumberFormat& regional,
                                std::uint32_t textId, int delayMs) {
    for (int n = delayMs; n > 0; n -= kCountdownStepMs) {
        countdown.ShowCountdown(CountdownText(regional, textId, n));
        countdown.Wait(kCountdownStepMs);
    }
}

bool CDesktopSampler::DelayedPick(PickOrigin origin, IPickCountdown& countdown) {
    const Point where = m_s.desktop.CursorPos();
    CountDown(countdown, m_s.prefs.RegionalFormat(), kIdsCountdown, m_s.prefs.Settings().pickDelay);
    return PickAt(where, origin);
}

bool CDesktopSampler::GotoColor(int index, Point* where) {
    if (index < 0 || index >= m_s.colors.GetCount()) return false;
    const CColPick& entry = m_s.colors.GetAt(index);
    const WindowId source = entry.SourceWindow();
    Point target = entry.Position();
    if (source != kNoWindow && m_s.desktop.IsWindow(source) &&
        m_s.desktop.IsWindowVisible(source)) {
        if (m_s.desktop.IsMinimized(source)) m_s.desktop.Restore(source);
        const Rect client = m_s.desktop.ClientRect(source);
        const Point relative = entry.RelativePosition();
        target = {client.left + relative.x, client.top + relative.y};
    }
    m_s.desktop.SetCursorPos(target);
    if (where) *where = target;
    return true;
}

}  // namespace nl
