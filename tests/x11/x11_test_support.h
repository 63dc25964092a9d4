#pragma once
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <functional>
#include <string>

namespace nl::test {

// Runs Qt's event loop until `done` holds or `timeoutMs` passes; returns whether it held.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

// The name single-instance tests use, and the switches that make the test program act as a
// later start of the program (or as a first instance that crashes) in a child process.
inline constexpr char kInstanceName[] = "Nerim NerimLens";
inline constexpr char kSecondInstanceSwitch[] = "--second-instance";
inline constexpr char kCrashingFirstSwitch[] = "--first-then-crash";
// Exit codes of the child: 10 + the InstanceRole it got.
inline constexpr int kRoleExitBase = 10;

}  // namespace nl::test
