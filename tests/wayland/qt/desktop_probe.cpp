// Prints what the program's desktop service reports in this session, one fact a line, for
// the Wayland end-to-end scripts: the monitors, whether it follows the pointer, and for each
// point given ("X,Y") its color, window title and class. With --freeze-then, the point's
// facts on a frozen screen before and after COMMAND changes the screen, and once thawed.
//   nl_wl_desktop_probe [X,Y ...]
//   nl_wl_desktop_probe --freeze-then COMMAND X,Y
#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/IDesktop.h"
#include "platform/factory/PlatformServices.h"

namespace {

// How long the compositor gets to show what a command changed.
constexpr auto kSettleTime = std::chrono::milliseconds(500);

// "#rrggbb title|class" at `point`, or "none".
std::string Facts(const nl::IDesktop& desktop, nl::Point point) {
    const nl::COLORREF color = desktop.PixelColor(point);
    if (color == nl::kNoColor) return "none";
    const nl::WindowId window =
        desktop.Ancestor(desktop.WindowFromPoint(point), nl::WindowAncestor::kRoot);
    char rgb[8];
    std::snprintf(rgb, sizeof rgb, "#%02x%02x%02x", nl::RgbRed(color), nl::RgbGreen(color),
                  nl::RgbBlue(color));
    return std::string(rgb) + " " + desktop.WindowText(window) + "|" + desktop.ClassName(window);
}

int FreezeThen(nl::IDesktop& desktop, const char* command, nl::Point point) {
    std::string error;
    if (!desktop.Freeze(&error)) {
        std::printf("freeze failed %s\n", error.c_str());
        return 1;
    }
    std::printf("frozen-before %s\n", Facts(desktop, point).c_str());
    if (std::system(command) != 0) return 1;
    std::this_thread::sleep_for(kSettleTime);
    std::printf("frozen-after %s\n", Facts(desktop, point).c_str());
    desktop.Thaw();
    std::printf("thawed %s\n", Facts(desktop, point).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const auto services = nl::PlatformServices::Create(nl::PlatformKind::kReal);
    nl::IDesktop& desktop = services->Desktop();
    std::printf("platform %s\n", QGuiApplication::platformName().toUtf8().constData());
    for (const nl::MonitorInfo& m : desktop.Monitors())
        std::printf("monitor %d,%d,%d,%d\n", m.monitor.left, m.monitor.top, m.monitor.Width(),
                    m.monitor.Height());
    std::printf("follows-pointer %d\n", desktop.FollowsPointer() ? 1 : 0);
    std::printf("note %s\n", services->SessionNote().c_str());
    int x = 0, y = 0;
    if (argc == 4 && std::strcmp(argv[1], "--freeze-then") == 0) {
        if (std::sscanf(argv[3], "%d,%d", &x, &y) != 2) return 2;
        return FreezeThen(desktop, argv[2], {x, y});
    }
    for (int i = 1; i < argc; ++i) {
        if (std::sscanf(argv[i], "%d,%d", &x, &y) != 2) return 2;
        std::printf("pixel %d,%d %s\n", x, y, Facts(desktop, {x, y}).c_str());
    }
    std::string error;
    const bool frozen = desktop.Freeze(&error);
    std::printf("freeze %d %s\n", frozen ? 1 : 0, error.c_str());
    desktop.Thaw();
    return 0;
}
