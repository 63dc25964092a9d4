// Prints what the program's desktop service reports in this session, one fact a line, for
// the Wayland end-to-end scripts: the monitors, whether it follows the pointer, and for each
// point given ("X,Y") its color, window title and class. With --freeze-then, the point's
// facts on a frozen screen before and after COMMAND changes the screen, and once thawed.
// With --source, the Wayland desktop reads through a screenshot service instead of the
// compositor's screen copy: one that numbers its pictures in their red, and one that refuses.
//   nl_wl_desktop_probe [X,Y ...]
//   nl_wl_desktop_probe --freeze-then COMMAND X,Y
//   nl_wl_desktop_probe --source
#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "platform/IDesktop.h"
#include "platform/factory/PlatformServices.h"
#include "platform/wayland/CWaylandDesktop.h"

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

// A screenshot service whose n-th picture is all 0xnn2030; or one that is always refused.
class NumberedSource : public nl::IScreenSource {
public:
    enum class Answer { kPicture, kRefusal };
    explicit NumberedSource(Answer answer) : m_answer(answer) {}
    bool Capture(nl::ScreenFrame& frame, std::string* error) override {
        if (m_answer == Answer::kRefusal) {
            if (error) *error = "the screenshot was refused";
            return false;
        }
        ++m_pictures;
        frame.area = kArea;
        frame.pixels.assign(kArea.Area(),
                            kBase | (static_cast<nl::GrabPixel>(m_pictures & 0xFF) << 16));
        return true;
    }

private:
    static constexpr nl::Rect kArea{0, 0, 1600, 1000};
    static constexpr nl::GrabPixel kBase = 0xFF002030;
    Answer m_answer;
    int m_pictures = 0;
};

void PrintColor(const char* what, nl::COLORREF color) {
    if (color == nl::kNoColor)
        std::printf("%s none\n", what);
    else
        std::printf("%s #%02x%02x%02x\n", what, nl::RgbRed(color), nl::RgbGreen(color),
                    nl::RgbBlue(color));
}

int ThroughSource() {
    std::string error;
    auto desktop = nl::CWaylandDesktop::Open(
        std::make_unique<NumberedSource>(NumberedSource::Answer::kPicture), &error,
        nl::ScreenCopyUse::kNever);
    if (!desktop) return 1;
    constexpr nl::Point kAt{100, 100};
    PrintColor("source-read", desktop->PixelColor(kAt));
    PrintColor("source-read", desktop->PixelColor(kAt));
    std::printf("source-freeze %d\n", desktop->Freeze(&error) ? 1 : 0);
    PrintColor("source-frozen", desktop->PixelColor(kAt));
    PrintColor("source-frozen", desktop->PixelColor(kAt));
    desktop->Thaw();
    PrintColor("source-thawed", desktop->PixelColor(kAt));

    auto refused = nl::CWaylandDesktop::Open(
        std::make_unique<NumberedSource>(NumberedSource::Answer::kRefusal), &error,
        nl::ScreenCopyUse::kNever);
    PrintColor("refused-read", refused->PixelColor(kAt));
    std::printf("refused-reason %s\n", refused->LastError().c_str());
    error.clear();
    const bool frozen = refused->Freeze(&error);
    std::printf("refused-freeze %d %s\n", frozen ? 1 : 0, error.c_str());

    auto none = nl::CWaylandDesktop::Open(nullptr, &error, nl::ScreenCopyUse::kNever);
    PrintColor("unreadable-read", none->PixelColor(kAt));
    std::printf("unreadable-reason %s\n", none->LastError().c_str());
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
    if (argc == 2 && std::strcmp(argv[1], "--source") == 0) return ThroughSource();
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
