#include "picking/CPickingTimer.h"

#include "framework/CAppPrefs.h"
#include "framework/ViewNotifyHub.h"
#include "picking/ITickTimer.h"

namespace nl {

CPickingTimer::CPickingTimer(const CDesktopSampler::Services& services, ViewNotifyHub& notify,
                             ITickTimer& timer, std::function<void()> trimMemory)
    : m_services(services),
      m_sampler(services),
      m_notify(notify),
      m_timer(timer),
      m_trimMemory(std::move(trimMemory)) {}

bool CPickingTimer::Started() const {
    return m_services.prefs.Settings().PickingStarted();
}

bool CPickingTimer::Apply() {
    const bool started = Started();
    if (started) {
        if (!m_timer.IsRunning()) {
            m_periodMs = kPeriodMs;
            m_lastNewSample = static_cast<std::uint64_t>(m_services.clock.TickCountMs());
            m_timer.Start(m_periodMs);
        }
    } else {
        m_timer.Stop();
    }
    m_notify.Send(ViewNotify::kPickingApplied);
    return started;
}

void CPickingTimer::Stop() {
    m_timer.Stop();
}

bool CPickingTimer::IsRunning() const {
    return m_timer.IsRunning();
}

bool CPickingTimer::OnTick(Visibility window) {
    const std::uint64_t now = static_cast<std::uint64_t>(m_services.clock.TickCountMs());
    if (m_hiddenSince && now - *m_hiddenSince > kTrimAfterHiddenMs) {
        m_hiddenSince.reset();
        TrimMemory();
    }
    if (!Started()) return false;
    // The live sample first, so that every view shows the same pixel for this tick.
    const bool sampled = window == Visibility::kShown && m_sampler.RefreshSample();
    m_notify.Send(ViewNotify::kTimerTick);
    Pace(sampled, now);
    return sampled;
}

void CPickingTimer::Pace(bool sampled, std::uint64_t now) {
    if (sampled) m_lastNewSample = now;
    const int period = now - m_lastNewSample >= kRestAfterMs ? kRestPeriodMs : kPeriodMs;
    if (period == m_periodMs || !m_timer.IsRunning()) return;
    m_periodMs = period;
    m_timer.Start(period);
}

void CPickingTimer::OnWindowShown() {
    m_hiddenSince.reset();
}

void CPickingTimer::OnWindowHidden() {
    if (Started()) {
        m_hiddenSince = static_cast<std::uint64_t>(m_services.clock.TickCountMs());
    } else {
        TrimMemory();
    }
}

void CPickingTimer::TrimMemory() {
    ++m_trims;
    if (m_trimMemory) m_trimMemory();
}

bool CPickingTimer::Pick(PickOrigin origin) {
    return m_sampler.Pick(origin);
}

bool CPickingTimer::DelayedPick(PickOrigin origin, IPickCountdown& countdown) {
    return m_sampler.DelayedPick(origin, countdown);
}

}  // namespace nl
