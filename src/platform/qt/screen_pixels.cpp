#include "platform/qt/screen_pixels.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <vector>

#include "platform/qt/qt_convert.h"

namespace nl {

namespace {

// A position a hair below a pixel's edge after dividing by a ratio counts as on it.
constexpr double kRoundingSlack = 1e-6;

int Scaled(int value, int origin, double factor) {
    return origin + static_cast<int>(std::lround((value - origin) * factor));
}

Point OriginOf(const QScreen& screen) {
    const QPoint corner = screen.geometry().topLeft();
    return {corner.x(), corner.y()};
}

QScreen* ScreenAtLogical(const QPoint& logical) {
    if (!qGuiApp) return nullptr;
    if (QScreen* screen = QGuiApplication::screenAt(logical)) return screen;
    return QGuiApplication::primaryScreen();
}

QScreen* ScreenAtDevice(Point device) {
    if (!qGuiApp) return nullptr;
    for (QScreen* screen : QGuiApplication::screens())
        if (DeviceGeometry(*screen).Contains(device)) return screen;
    return QGuiApplication::primaryScreen();
}

}  // namespace

Point ScaleAbout(Point p, Point origin, double factor) {
    return {Scaled(p.x, origin.x, factor), Scaled(p.y, origin.y, factor)};
}

Rect ScaleAbout(const Rect& r, Point origin, double factor) {
    const Point topLeft = ScaleAbout(Point{r.left, r.top}, origin, factor);
    const Point bottomRight = ScaleAbout(Point{r.right, r.bottom}, origin, factor);
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

Rect DeviceGeometry(const QScreen& screen) {
    return DeviceRectOn(screen, screen.geometry());
}

Rect DeviceRectOn(const QScreen& screen, const QRect& logical) {
    return ScaleAbout(ToRect(logical), OriginOf(screen), screen.devicePixelRatio());
}

Point DevicePoint(const QPoint& logical) {
    const QScreen* screen = ScreenAtLogical(logical);
    if (!screen) return {logical.x(), logical.y()};
    return ScaleAbout(Point{logical.x(), logical.y()}, OriginOf(*screen),
                      screen->devicePixelRatio());
}

QPoint LogicalPoint(Point device) {
    const QScreen* screen = ScreenAtDevice(device);
    if (!screen) return {device.x, device.y};
    // The logical pixel that holds the device pixel: rounded, the last device pixel of a
    // scaled screen would fall past the screen's edge.
    const Point origin = OriginOf(*screen);
    const double ratio = screen->devicePixelRatio();
    const auto held = [ratio](int offset) {
        return static_cast<int>(std::floor(offset / ratio + kRoundingSlack));
    };
    return {origin.x + held(device.x - origin.x), origin.y + held(device.y - origin.y)};
}

Rect DeviceRect(const QRect& logical) {
    const QScreen* screen = ScreenAtLogical(logical.center());
    return screen ? DeviceRectOn(*screen, logical) : ToRect(logical);
}

QRect LogicalRect(const Rect& device) {
    const QScreen* first =
        ScreenAtDevice({device.left + device.Width() / 2, device.top + device.Height() / 2});
    if (!first) return ToQRect(device);
    const auto on = [&device](const QScreen& screen) {
        return ToQRect(ScaleAbout(device, OriginOf(screen), 1.0 / screen.devicePixelRatio()));
    };
    // Qt scales a window by the screen that holds the center of its logical rectangle. Over
    // screens of different scales the screen under the device rectangle's center may not be
    // that one (a rectangle over both halves of a desktop, the right half scaled twice, maps
    // by the right screen to a logical rectangle centred on the left one, which Qt would
    // place on the left screen's pixels, a quarter of the desktop away). So the rectangle is
    // mapped by a screen that Qt takes for the result, the one under its center first.
    std::vector<const QScreen*> screens{first};
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != first) screens.push_back(screen);
    for (const QScreen* screen : screens) {
        const QRect logical = on(*screen);
        if (ScreenAtLogical(logical.center()) == screen) return logical;
    }
    return on(*first);
}

double DeviceRatioAt(const Rect& device) {
    const QScreen* screen =
        ScreenAtDevice({device.left + device.Width() / 2, device.top + device.Height() / 2});
    return screen ? screen->devicePixelRatio() : 1.0;
}

}  // namespace nl
