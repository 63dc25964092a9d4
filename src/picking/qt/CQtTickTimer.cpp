#include "picking/qt/CQtTickTimer.h"

namespace nl {

CQtTickTimer::CQtTickTimer(std::function<void()> onTick) {
    m_timer.setTimerType(Qt::CoarseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, std::move(onTick));
}

void CQtTickTimer::Start(int periodMs) {
    m_timer.start(periodMs);
}

}  // namespace nl
