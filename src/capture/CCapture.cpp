#include "capture/CCapture.h"

#include "base/StringTable.h"
#include "base/bits.h"
#include "base/command_ids.h"
#include "base/monitor_layout.h"
#include "framework/CAppPrefs.h"
#include "framework/event_sounds.h"
#include "picking/CDesktopSampler.h"
#include "platform/IClipboard.h"

namespace nl {
CCapture::CCapture(IOverlayWindow& window, const Services& services, CapShape shape)
    : CWndCapSnip(window, MainWindowRule(services.prefs), services.desktop, shape), m_s(services) {}

MainWindowAfter CCapture::MainWindowRule(const CAppPrefs& prefs) {
    return HasBit(prefs.Settings().screenCopierOptions, AppSettings::kCopierIncludeOwnWindows)
               ? MainWindowAfter::kLeave
               : MainWindowAfter::kRestore;
}

CRegion CCapture::ScreenRegion(const Rect& selection) const {
    CRegion region = ShapeRegion(Shape(), selection, Vertices());
    region.Offset(Origin().x, Origin().y);
    return region;
}

void CCapture::Finish() {
    if (State() != CapState::kFinished) return;
    const Rect selection = Selection();
    if (selection.Width() <= 1 && selection.Height() <= 1) return;

    const AppSettings& settings = m_s.prefs.Settings();
    const bool withCursor = HasBit(settings.screenCopierOptions, AppSettings::kCopierIncludeCursor);
    if (withCursor) {
        // The finished outline shows as a hole while the user places the cursor.
        if (Shape() == CapShape::kCustom) Window().RepaintNow();
        CDesktopSampler::CountDown(m_s.countdown, m_s.prefs.RegionalFormat(),
                                   kIdsCountdownIntoPlace, settings.pickDelay);
        PlayEventSound(m_s.sound, SoundEvent::kCopyCursor, settings.soundOptions,
                       m_s.prefs.EventSounds());
    } else if (Shape() == CapShape::kDesktop &&
               MainWindowRule(m_s.prefs) == MainWindowAfter::kRestore) {
        m_s.countdown.Wait(kDesktopSettleMs);
    }
    Window().Hide();

    std::optional<CursorImage> cursor;
    if (withCursor && m_s.cursor) cursor = m_s.cursor();
    BitmapImage image;
    const std::uint32_t error =
        CopyScreenRegion(m_s.desktop, ScreenRegion(selection), settings.screenCopierFillColor,
                         cursor ? &*cursor : nullptr, image);
    if (error != kErrorSuccess) {
        SetError(error);
        return;
    }
    if (m_s.captured) m_s.captured(image);
    if (HasBit(settings.colorPickerOptions, AppSettings::kPickerAutoCopy)) {
        const std::uint32_t clipboardError = m_s.clipboard.SetImage(image);
        if (clipboardError != kErrorSuccess) SetError(clipboardError);
    }
}

std::uint32_t CapturePromptId(bool pickingStarted, const CWndCap* open) {
    if (!pickingStarted) return kIdsHintDisabled;
    if (!open) return kIdsHintCopyScreen;
    switch (open->State()) {
        case CapState::kOpen:
            return kIdsHintPressToStart;
        case CapState::kTracking:
            return kIdsHintReleaseToFinish;
        default:
            return 0;
    }
}

std::string MonitorPaneText(const IDesktop& desktop, Point cursor) {
    const std::vector<MonitorInfo> monitors = desktop.Monitors();
    const auto nearest = NearestMonitor(monitors, {cursor.x, cursor.y, cursor.x + 1, cursor.y + 1});
    if (!nearest) return {};
    const Rect& monitor = monitors[*nearest].monitor;
    // "Monitor" is the shape button's short text.
    return LoadStringRow(static_cast<std::uint32_t>(cmd::kCaptureMonitor), 1) + " " +
           std::to_string(*nearest + 1) + ": " + std::to_string(monitor.Width()) + " x " +
           std::to_string(monitor.Height());
}

}  // namespace nl
