#pragma once
#include <QApplication>

namespace nl::bench {

// The application the widget benchmarks need, offscreen; made by the first that runs.
inline void EnsureOffscreenApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "nerimlens_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(argc, argv);
}

}  // namespace nl::bench
