// Prints what the program's desktop service reports in this session, one fact a line, for
// the Wayland end-to-end scripts: the monitors, whether it follows the pointer, and for each
// point given ("X,Y") its color, window title and class.
//   nl_wl_desktop_probe [X,Y ...]
#include <QGuiApplication>
#include <cstdio>
#include <string>

#include "platform/IDesktop.h"
#include "platform/factory/PlatformServices.h"

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
    for (int i = 1; i < argc; ++i) {
        int x = 0, y = 0;
        if (std::sscanf(argv[i], "%d,%d", &x, &y) != 2) return 2;
        const nl::COLORREF color = desktop.PixelColor({x, y});
        const nl::WindowId window =
            desktop.Ancestor(desktop.WindowFromPoint({x, y}), nl::WindowAncestor::kRoot);
        if (color == nl::kNoColor)
            std::printf("pixel %d,%d none\n", x, y);
        else
            std::printf("pixel %d,%d #%02x%02x%02x %s|%s\n", x, y, nl::RgbRed(color),
                        nl::RgbGreen(color), nl::RgbBlue(color), desktop.WindowText(window).c_str(),
                        desktop.ClassName(window).c_str());
    }
    std::string error;
    const bool frozen = desktop.Freeze(&error);
    std::printf("freeze %d %s\n", frozen ? 1 : 0, error.c_str());
    desktop.Thaw();
    return 0;
}
