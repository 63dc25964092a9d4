// Two monitors side by side, the right one scaled twice: the offscreen platform's screens of
// mixed_dpi_screens.json with QT_SCREEN_SCALE_FACTORS="1;2", as the test gui_mixed_dpi runs
// them (elsewhere, on one screen, these tests skip). The desktop's device pixels are the
// platform's: 2560 x 1024, the seam at 1280.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "app/qt/CMainFrame.h"
#include "base/command_ids.h"
#include "gauge/qt/CViewTBMea.h"
#include "gui_test_support.h"
#include "platform/qt/screen_pixels.h"
#include "ruler/qt/CRuler.h"

// Qt's own entry for synthesized mouse events (what QTest uses), with positions in the
// window's logical pixels that may be fractional.
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button,
                                      QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);

namespace nl {
namespace {

const Rect kLeft{0, 0, 1280, 1024};
const Rect kRight{1280, 0, 2560, 1024};

bool TwoScreens() {
    return QGuiApplication::screens().size() == 2 &&
           QGuiApplication::screens()[1]->devicePixelRatio() == 2.0;
}

TEST(MixedDpiTest, DevicePixelsRoundTripOnBothScreensAndAcrossTheSeam) {
    if (!TwoScreens()) GTEST_SKIP() << "needs the two screens of the test gui_mixed_dpi";
    const auto screens = QGuiApplication::screens();
    EXPECT_EQ(DeviceGeometry(*screens[0]), kLeft);
    EXPECT_EQ(DeviceGeometry(*screens[1]), kRight);
    for (const Point p : {Point{0, 0}, Point{1279, 1023}, Point{1280, 0}, Point{1281, 7},
                          Point{2559, 1023}, Point{1900, 333}}) {
        // The right screen has a logical pixel per two device pixels: a device pixel comes
        // back as the first of its logical pixel's two.
        const bool right = p.x >= 1280;
        const Point first{right ? p.x - (p.x - 1280) % 2 : p.x, right ? p.y - p.y % 2 : p.y};
        EXPECT_EQ(DevicePoint(LogicalPoint(p)), first) << p.x << "," << p.y;
    }
    EXPECT_EQ(DeviceRatioAt({100, 100, 200, 200}), 1.0);
    EXPECT_EQ(DeviceRatioAt({2000, 100, 2100, 200}), 2.0);

    // A window placed at device rectangles on either screen is there in device pixels, and its
    // backing store has the device pixels of its area.
    QWidget window(nullptr, Qt::FramelessWindowHint);
    for (const Rect r : {Rect{100, 50, 700, 450}, Rect{1400, 100, 2000, 500}, kLeft, kRight}) {
        window.setGeometry(LogicalRect(r));
        EXPECT_EQ(DeviceRect(window.geometry()), r) << r.left << "," << r.top;
        EXPECT_EQ(window.width() * window.devicePixelRatioF(), r.Width()) << r.left;
    }
}

// A Gauge rectangle dragged over both monitors keeps the device pixels of its corners, odd or
// even, whichever screen they are on.
TEST(MixedDpiTest, GaugeGesturesAcrossTheSeamLandOnDevicePixels) {
    if (!TwoScreens()) GTEST_SKIP() << "needs the two screens of the test gui_mixed_dpi";
    test::FrameRig rig;
    rig.desktop.SetMonitors({{kLeft, kLeft}, {kRight, kRight}});
    rig.prefs.SetActiveTool(AppSettings::kToolGauge);
    rig.MakeFrame();
    rig.frame->ShowAtStartup();
    auto* toolbar = dynamic_cast<CViewTBMea*>(rig.frame->ToolbarView());
    ASSERT_NE(toolbar, nullptr);
    toolbar->SetBackdrop(OverlayBackdrop::kSnapshot);

    const struct {
        Point from, to;
    } drags[] = {{{1201, 501}, {1401, 603}}, {{1283, 11}, {2557, 1001}}, {{77, 5}, {1279, 1023}}};
    for (const auto& d : drags) {
        rig.frame->ExecuteCommand(cmd::kMeasureRectangle);
        QWidget* overlay = toolbar->MeasureWindow();
        ASSERT_NE(overlay, nullptr);
        ASSERT_EQ(DeviceRect(overlay->geometry()), (Rect{0, 0, 2560, 1024}));
        QWindow* handle = overlay->windowHandle();
        ASSERT_NE(handle, nullptr);
        // What the window system reports for a device pixel: its place in the window's own
        // pixels, divided by the window's ratio.
        const double ratio = handle->devicePixelRatio();
        const auto send = [&](Point p, QEvent::Type type, Qt::MouseButtons state) {
            const QPointF local(p.x / ratio, p.y / ratio);
            qt_handleMouseEvent(handle, local, handle->mapToGlobal(local), state, Qt::LeftButton,
                                type, Qt::NoModifier, 0);
        };
        send(d.from, QEvent::MouseButtonPress, Qt::LeftButton);
        send({(d.from.x + d.to.x) / 2, (d.from.y + d.to.y) / 2}, QEvent::MouseMove, Qt::LeftButton);
        send(d.to, QEvent::MouseMove, Qt::LeftButton);
        send(d.to, QEvent::MouseButtonRelease, Qt::NoButton);
        QCoreApplication::processEvents();
        EXPECT_EQ(rig.doc.Measurement().First(), d.from) << d.from.x;
        EXPECT_EQ(rig.doc.Measurement().Last(), d.to) << d.to.x;
    }
}

// The ruler counts device pixels on either screen, from its own corner.
TEST(MixedDpiTest, TheRulerReadsDevicePixelsOnBothScreens) {
    if (!TwoScreens()) GTEST_SKIP() << "needs the two screens of the test gui_mixed_dpi";
    test::GuiRig rig;
    rig.desktop.SetMonitors({{kLeft, kLeft}, {kRight, kRight}});
    rig.prefs.Ruler().SetCaptionItems(CRulerData::kCaptionCursorProjection);
    for (const Rect at : {Rect{100, 300, 900, 364}, Rect{1400, 300, 2400, 428}}) {
        CRuler ruler(rig.context, nullptr);
        ruler.setGeometry(LogicalRect(at));
        ruler.show();
        ASSERT_EQ(DeviceRect(ruler.geometry()).TopLeft(), at.TopLeft());
        for (const int along : {1, 201, 333}) {
            rig.desktop.SetCursorPos({at.left + along, at.top + 20});
            ruler.UpdateFromCursor();
            EXPECT_EQ(ruler.windowTitle(), "NerimLens | proj: " + QString::number(along))
                << at.left << " + " << along;
        }
    }
}

}  // namespace
}  // namespace nl
