#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/geometry.h"
#include "document/CColPick.h"
#include "model/NumberFormat.h"
#include "model/area_sample.h"

namespace nl {

class CAppPrefs;
class CColorPicker;
class IClipboard;
class IClock;
class IDesktop;
class ISound;

// How a pick command arrived: from a menu or button, or from a key or the pick hot key (the
// command's notification code 1). Only the latter stops picking when auto-stop is on.
enum class PickOrigin { kCommand, kKey };

// Why a point has no color: the desktop cannot read its pixels there (a screen that refuses
// to be read, a capture that failed), or the point lies outside every monitor.
enum class NoColorCause { kUnreadable, kOffScreen };

// Waits and shows the countdown of a delayed pick; the program blocks its window for the
// wait, tests record the texts instead of sleeping.
class IPickCountdown {
public:
    virtual ~IPickCountdown() = default;
    virtual void ShowCountdown(const std::string& text) = 0;
    virtual void Wait(int milliseconds) = 0;
};

// Samples the desktop under the cursor into the document's live sample and picks it into the
// list: the refresh on every picking tick, the pick, replace and delayed pick commands with
// auto-copy, auto-stop and the pick sound, and going back to a picked color's source.
class CDesktopSampler {
public:
    // The title given to a pixel of a window that has neither a title nor an owner.
    static constexpr const char* kDesktopTitle = CColPick::kDesktopTitle;
    // Class names are kept to at most this many characters.
    static constexpr std::size_t kMaxClassName = 260;
    // The delayed pick's countdown step and its text "%1 sec to snapshot - move cursor away!".
    static constexpr int kCountdownStepMs = 100;

    struct Services {
        IDesktop& desktop;
        CColorPicker& colors;
        CAppPrefs& prefs;
        IClipboard& clipboard;
        ISound& sound;
        const IClock& clock;
    };

    explicit CDesktopSampler(const Services& services) : m_s(services) {}

    // Called after a key pick when auto-stop is on: stops picking (command 3137).
    void SetStopPicking(std::function<void()> stop) { m_stopPicking = std::move(stop); }

    // Describes the pixel at `point` into `record`: its color, the window under it (class
    // name), that window's root owner (source window, title) and the point in the owner's
    // client coordinates.
    static void SamplePixel(const IDesktop& desktop, const IClock& clock, Point point,
                            CColPick& record);
    // The same with the color sampled from the square `method` says around `point`; the
    // record keeps the point as its position and notes the method.
    static void SamplePixel(const IDesktop& desktop, const IClock& clock, Point point,
                            const SampleMethod& method, CColPick& record);
    // The color of the square `method` says around `point`, cut to the monitor that holds
    // the point: the pixel itself for a side of 1. kNoColor where nothing can be read.
    static COLORREF SampleColorAt(const IDesktop& desktop, Point point, const SampleMethod& method);

    // Why the desktop gives no color at `point`.
    static NoColorCause WhyNoColor(const IDesktop& desktop, Point point);

    // Brings the live sample up to date with the cursor: samples again when the cursor moved
    // or the pixel under it changed. Under a still cursor the pixel is read only when the
    // desktop's change count there moved on. Returns whether it sampled.
    bool RefreshSample();

    // Samples at `point` and appends the sample to the list, then auto-copies, stops picking
    // (auto-stop, key picks only) and plays the pick sound. A pixel without a color is never
    // stored: nothing happens then. Returns whether a color was added.
    bool PickAt(Point point, PickOrigin origin);
    // Picks at the cursor.
    bool Pick(PickOrigin origin);
    // Copies the live sample over the list entry `selection`, then auto-copy and sound; a
    // selection outside the list or a live sample without a color does nothing. Returns whether an
    // entry was replaced.
    bool Replace(int selection);
    // Notes the cursor, counts the pick delay down in steps of 100 ms showing the seconds
    // left with one decimal, then picks where the cursor was.
    bool DelayedPick(PickOrigin origin, IPickCountdown& countdown);
    // The countdown text for `remainingMs` (rounded up to a tenth of a second).
    std::string CountdownText(int remainingMs) const;
    // Text `textId` with the seconds of `remainingMs` (to the nearest tenth, one decimal in
    // `regional`'s form) for its %1.
    static std::string CountdownText(const NumberFormat& regional, std::uint32_t textId,
                                     int remainingMs);
    // Shows text `textId` for the time left and waits one step, until `delayMs` has run out
    // (a delay that is no multiple of the step waits for the next multiple). Nothing for a
    // delay of 0 or less.
    static void CountDown(IPickCountdown& countdown, const NumberFormat& regional,
                          std::uint32_t textId, int delayMs);
    // Moves the cursor back to where entry `index` was picked: into its source window when
    // that still exists and is shown (restoring it when minimized), else to the saved screen
    // position. Returns where the cursor went; an index outside the list does nothing.
    bool GotoColor(int index, Point* where = nullptr);

private:
    void AfterPick(COLORREF color, PickOrigin origin);

    // The still cursor's position and the desktop's change count there when last looked at.
    struct Watched {
        Point at;
        SampleMethod method;
        std::optional<std::uint64_t> changes;
        friend bool operator==(const Watched&, const Watched&) = default;
    };

    Services m_s;
    std::function<void()> m_stopPicking;
    Watched m_watched;
};

}  // namespace nl
