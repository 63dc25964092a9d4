// The tests of the real platform backends. They need an X server (run under xvfb-run) and
// create a QGuiApplication on it. The same program, started with a switch, plays a later
// start of the program for the single-instance tests.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>

#include "platform/qt/CQtSingleInstance.h"
#include "x11_test_support.h"

namespace {

int RunAsAnotherStart(int argc, char** argv, bool crash) {
    QCoreApplication app(argc, argv);
    nl::CQtSingleInstance instance(QString::fromLocal8Bit(argv[2]));
    const nl::InstanceRole role = instance.Start(nl::test::kInstanceName);
    // A crash leaves the lock and the socket behind, as a killed program would.
    if (crash) std::_Exit(nl::test::kRoleExitBase + static_cast<int>(role));
    return nl::test::kRoleExitBase + static_cast<int>(role);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], nl::test::kSecondInstanceSwitch) == 0)
        return RunAsAnotherStart(argc, argv, false);
    if (argc >= 3 && std::strcmp(argv[1], nl::test::kCrashingFirstSwitch) == 0)
        return RunAsAnotherStart(argc, argv, true);
    ::testing::InitGoogleTest(&argc, argv);
    // The backends work in device pixels on the X server.
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
