#include "picking/CDesktopSampler.h"

#include <cstdio>
#include <utility>
#include <vector>

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

// The monitor that holds `point`, or the virtual screen where none does.
Rect ScreenAround(const IDesktop& desktop, Point point) {
    for (const MonitorInfo& monitor : desktop.Monitors())
        if (monitor.monitor.Contains(point)) return monitor.monitor;
    return desktop.VirtualScreen();
}

}  // namespace

COLORREF CDesktopSampler::SampleColorAt(const IDesktop& desktop, Point point,
                                        const SampleMethod& method) {
    if (method.IsSinglePixel()) return LowColorBits(desktop.PixelColor(point));
    const Rect screen = ScreenAround(desktop, point);
    if (!screen.Contains(point)) return kNoColor;
    const Rect square = SampleSquare(point, method.size, screen);
    const auto width = static_cast<std::size_t>(square.Width());
    const auto height = static_cast<std::size_t>(square.Height());
    // Lent pixels are read where they lie; their undefined top byte is ignored by the
    // statistics.
    if (const std::optional<LentPixels> lent = desktop.GrabLent(square)) {
        if (lent->stride == width) return SampleColor({lent->pixels, width * height}, method.stat);
        std::vector<GrabPixel> rows(width * height);
        for (std::size_t y = 0; y < height; ++y)
            std::copy_n(lent->pixels + y * lent->stride, width, rows.data() + y * width);
        return SampleColor(rows, method.stat);
    }
    std::vector<GrabPixel> pixels(width * height);
    if (!desktop.Grab(square, pixels.data(), width)) return kNoColor;
    return SampleColor(pixels, method.stat);
}

void CDesktopSampler::SamplePixel(const IDesktop& desktop, const IClock& clock, Point point,
                                  const SampleMethod& method, CColPick& record) {
    SamplePixel(desktop, clock, point, record);
    record.SetSampling(method);
    if (method.IsSinglePixel() || record.Color() == kNoColor) return;
    record.SetColor(SampleColorAt(desktop, point, method));
}

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
    const SampleMethod method = m_s.prefs.Sampling();
    if (cursor == sample.Position() && sample.Sampling() == method) {
        // A still cursor: nothing to read while neither the pixels sampled nor the windows
        // changed.
        const Rect area = method.IsSinglePixel()
                              ? Rect{cursor.x, cursor.y, cursor.x + 1, cursor.y + 1}
                              : SampleSquare(cursor, method.size, m_s.desktop.VirtualScreen());
        const std::uint64_t changes = m_s.desktop.ChangeCount(area);
        const Watched now{cursor, method, changes};
        if (std::exchange(m_watched, now) == now) return false;
        if (SampleColorAt(m_s.desktop, cursor, method) == sample.Color()) return false;
    }
    SamplePixel(m_s.desktop, m_s.clock, cursor, method, sample);
    return true;
}

bool CDesktopSampler::PickAt(Point point, PickOrigin origin) {
    CColPick& sample = m_s.colors.Sample();
    SamplePixel(m_s.desktop, m_s.clock, point, m_s.prefs.Sampling(), sample);
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
