#include "platform/factory/demo_desktop.h"

#include <array>

#include "model/color_math.h"
#include "platform/fake/FakeDesktop.h"

namespace nl {

namespace {

constexpr int kTaskBarHeight = 40;
constexpr int kTitleBarHeight = 24;
constexpr int kSwatchSize = 64;
constexpr int kSwatchGap = 16;

constexpr COLORREF kBackground = MakeRgb(0x3A, 0x6E, 0xA5);
constexpr COLORREF kTaskBar = MakeRgb(0x20, 0x20, 0x28);
constexpr COLORREF kTitleBar = MakeRgb(0x44, 0x4C, 0x5C);

struct SwatchDesc {
    const char* title;
    COLORREF color;
};
constexpr std::array<SwatchDesc, 4> kSwatches = {{
    {"Red", MakeRgb(0xE0, 0x20, 0x20)},
    {"Green", MakeRgb(0x20, 0xB0, 0x40)},
    {"Blue", MakeRgb(0x20, 0x40, 0xE0)},
    {"Yellow", MakeRgb(0xF0, 0xD0, 0x20)},
}};

// A rectangle at fractions (in percent) of `area`'s width and height.
Rect Part(const Rect& area, int left, int top, int right, int bottom) {
    constexpr int kPercent = 100;
    const auto x = [&](int p) { return area.left + area.Width() * p / kPercent; };
    const auto y = [&](int p) { return area.top + area.Height() * p / kPercent; };
    return {x(left), y(top), x(right), y(bottom)};
}

// Adds a framed top-level window: a title bar band above a client area of `fill`.
WindowId AddFramedWindow(FakeDesktop& desktop, const char* title, const char* className,
                         const Rect& rect, COLORREF fill) {
    FakeDesktop::WindowDesc desc = FakeDesktop::Describe(title, className, rect);
    desc.client = {rect.left, rect.top + kTitleBarHeight, rect.right, rect.bottom};
    desktop.FillRect({rect.left, rect.top, rect.right, desc.client.top}, kTitleBar);
    desktop.FillRect(desc.client, fill);
    return desktop.AddWindow(desc);
}

}  // namespace

void BuildDemoDesktop(FakeDesktop& desktop, const Rect& screen) {
    const Rect work{screen.left, screen.top, screen.right, screen.bottom - kTaskBarHeight};
    desktop.SetMonitors({MonitorInfo{screen, work}});
    desktop.FillRect(screen, kBackground);

    const WindowId background =
        desktop.AddWindow(FakeDesktop::Describe("Desktop", "DesktopBackground", screen));
    desktop.SetDesktopWindow(background);
    const Rect taskBar{screen.left, work.bottom, screen.right, screen.bottom};
    desktop.FillRect(taskBar, kTaskBar);
    desktop.AddWindow(FakeDesktop::Describe("", "TaskBar", taskBar));

    AddFramedWindow(desktop, "Notes.txt - Text Editor", "TextEditorWindow",
                    Part(work, 4, 6, 46, 70), MakeRgb(0xFA, 0xFA, 0xF5));
    const WindowId sketch = AddFramedWindow(desktop, "Sunset.png - Sketch Pad", "SketchPadFrame",
                                            Part(work, 30, 30, 72, 92), MakeRgb(0xF4, 0x9A, 0x3C));
    // A darker band across the picture, so that the magnifier shows an edge.
    const Rect picture = desktop.ClientRect(sketch);
    desktop.FillRect(Part(picture, 0, 60, 100, 100), MakeRgb(0x7A, 0x2E, 0x52));

    // The palette: a window with one child window per swatch.
    const int width = static_cast<int>(kSwatches.size()) * (kSwatchSize + kSwatchGap) + kSwatchGap;
    const int height = kTitleBarHeight + kSwatchSize + 2 * kSwatchGap;
    const Rect area = Part(work, 62, 8, 100, 100);
    const Rect paletteRect{area.left, area.top, area.left + width, area.top + height};
    const WindowId palette = AddFramedWindow(desktop, "Palette", "PaletteWindow", paletteRect,
                                             MakeRgb(0xE8, 0xE8, 0xE8));
    Point first;
    for (std::size_t i = 0; i < kSwatches.size(); ++i) {
        const int left =
            paletteRect.left + kSwatchGap + static_cast<int>(i) * (kSwatchSize + kSwatchGap);
        const int top = paletteRect.top + kTitleBarHeight + kSwatchGap;
        const Rect swatch{left, top, left + kSwatchSize, top + kSwatchSize};
        desktop.FillRect(swatch, kSwatches[i].color);
        desktop.AddWindow(FakeDesktop::Describe(kSwatches[i].title, "Swatch", swatch, palette));
        if (i == 0) first = {swatch.left + kSwatchSize / 2, swatch.top + kSwatchSize / 2};
    }
    desktop.SetForeground(palette);
    desktop.SetCursorPos(first);
}

}  // namespace nl
