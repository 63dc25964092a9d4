#include "platform/qt/screen_pixels.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "platform/qt/qt_convert.h"

namespace nl {

namespace {

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
    const Point p = ScaleAbout(device, OriginOf(*screen), 1.0 / screen->devicePixelRatio());
    return {p.x, p.y};
}

Rect DeviceRect(const QRect& logical) {
    const QScreen* screen = ScreenAtLogical(logical.center());
    return screen ? DeviceRectOn(*screen, logical) : ToRect(logical);
}

QRect LogicalRect(const Rect& device) {
    const QScreen* screen =
        ScreenAtDevice({device.left + device.Width() / 2, device.top + device.Height() / 2});
    if (!screen) return ToQRect(device);
    return ToQRect(ScaleAbout(device, OriginOf(*screen), 1.0 / screen->devicePixelRatio()));
}

double DeviceRatioAt(const Rect& device) {
    const QScreen* screen =
        ScreenAtDevice({device.left + device.Width() / 2, device.top + device.Height() / 2});
    return screen ? screen->devicePixelRatio() : 1.0;
}

}  // namespace nl
