#pragma once
#include <cstdint>
#include <functional>
#include <optional>

#include "picking/CDesktopSampler.h"

namespace nl {

class ITickTimer;
class ViewNotifyHub;

// The picking timer of the main window and what hangs on it: the timer runs while picking
// is started; each tick brings the live sample up to date (while the window is shown) and
// tells every view; picks whose origin is a key or hot key stop picking when auto-stop is
// on. It owns the desktop sampler, and gives memory back to the system when the window is
// hidden: at once while picking is stopped, otherwise once the window has stayed hidden a
// while.
class CPickingTimer {
public:
    // The timer's period, and how long the window stays hidden before memory goes back.
    static constexpr int kPeriodMs = 50;
    static constexpr std::uint64_t kTrimAfterHiddenMs = 3000;
    // Once nothing new was sampled for a second the timer ticks half as often: a resting
    // pointer costs half, and the first move after a rest still shows within 100 ms.
    static constexpr int kRestPeriodMs = 100;
    static constexpr std::uint64_t kRestAfterMs = 1000;

    enum class Visibility { kShown, kHidden };

    // `trimMemory` hands free memory back to the system.
    CPickingTimer(const CDesktopSampler::Services& services, ViewNotifyHub& notify,
                  ITickTimer& timer, std::function<void()> trimMemory);

    CDesktopSampler& Sampler() { return m_sampler; }
    // What stops picking after a key pick with auto-stop on.
    void SetStopPicking(std::function<void()> stop) { m_sampler.SetStopPicking(std::move(stop)); }

    // Starts or stops the timer as the settings' picking state says, then tells every view
    // that the state was applied. Returns whether picking runs.
    bool Apply();
    // Stops the timer (the program is ending).
    void Stop();
    bool IsRunning() const;
    // The period the timer runs at now.
    int PeriodMs() const { return m_periodMs; }

    // One timer tick; `window` says whether the main window is shown. Returns whether the
    // live sample was taken again.
    bool OnTick(Visibility window);
    void OnWindowShown();
    void OnWindowHidden();
    // Gives memory back now.
    void TrimMemory();
    // How often memory was given back.
    int Trims() const { return m_trims; }

    // Picks at the cursor, or counts down first and then picks where the cursor was;
    // `origin` says whether a key or hot key asked for the pick.
    bool Pick(PickOrigin origin);
    bool DelayedPick(PickOrigin origin, IPickCountdown& countdown);

private:
    bool Started() const;
    // Slows the timer down after a rest and speeds it up again at the first new sample.
    void Pace(bool sampled, std::uint64_t now);

    const CDesktopSampler::Services m_services;
    CDesktopSampler m_sampler;
    ViewNotifyHub& m_notify;
    ITickTimer& m_timer;
    std::function<void()> m_trimMemory;
    // When the window was hidden while picking ran; nothing while it is shown or memory
    // already went back.
    std::optional<std::uint64_t> m_hiddenSince;
    int m_trims = 0;
    int m_periodMs = kPeriodMs;
    // When the last tick brought a new sample (or the timer started).
    std::uint64_t m_lastNewSample = 0;
};

}  // namespace nl
