#pragma once
#include <QTimer>
#include <functional>

#include "picking/ITickTimer.h"

namespace nl {

// A repeating timer of the event loop: a coarse QTimer that calls `onTick` every period.
class CQtTickTimer final : public ITickTimer {
public:
    explicit CQtTickTimer(std::function<void()> onTick);

    void Start(int periodMs) override;
    void Stop() override { m_timer.stop(); }
    bool IsRunning() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

}  // namespace nl
