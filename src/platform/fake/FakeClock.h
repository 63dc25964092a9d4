#pragma once
#include <chrono>
#include <cstdint>

#include "base/COleDateTime.h"

namespace nl {

// A clock the test sets: the UTC moment stays where it is put (or advanced to), and the tick
// count is a number the test moves.
class FakeClock : public IClock {
public:
    // 1 January 2024, 00:00 UTC (OLE date 45292.0).
    static constexpr std::chrono::sys_days kNewYear2024{std::chrono::year{2024} / 1 / 1};

    explicit FakeClock(std::chrono::system_clock::time_point now = kNewYear2024,
                       std::int64_t startTick = 0)
        : tick(startTick), m_now(now) {}

    std::chrono::system_clock::time_point UtcNow() const override { return m_now; }
    std::int64_t TickCountMs() const override { return tick; }
    void Advance(std::chrono::milliseconds by) { m_now += by; }
    void Set(std::chrono::system_clock::time_point now) { m_now = now; }

    // Milliseconds, as the tick count reads them.
    std::int64_t tick;

private:
    std::chrono::system_clock::time_point m_now;
};

}  // namespace nl
