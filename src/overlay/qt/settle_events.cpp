#include "overlay/qt/settle_events.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace nl {
namespace {

// The slices in which the settle time passes, events running between them.
constexpr int kSettleSliceMs = 10;

}  // namespace

void SettleEvents(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(kSettleSliceMs);
    } while (timer.elapsed() < milliseconds);
}

}  // namespace nl
