// The zoom control painting the fake desktop: crisp blocks, the centre mark, the desktop
// colour past the edge, the disabled face and the images a copy takes.
#include "ui/qt/CCtrlZoom.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <functional>

#include "platform/fake/FakeDesktop.h"

namespace nl {
namespace {

constexpr CCtrlZoom::CursorMark kHidden = CCtrlZoom::CursorMark::kHidden;
constexpr CCtrlZoom::CursorMark kShown = CCtrlZoom::CursorMark::kShown;

// A desktop of 4x4-pixel checks whose colors depend on the pixel's position, so a wrong
// source offset or scale shows.
struct ZoomRig {
    FakeDesktop desktop{Rect{0, 0, 200, 100}};
    CCtrlZoom zoom{desktop};

    ZoomRig() {
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 200; ++x) desktop.SetPixel({x, y}, Color(x, y));
    }
    static COLORREF Color(int x, int y) { return MakeRgb(x, y * 2, (x + y) % 256); }
    static QRgb Rgb(int x, int y) {
        const COLORREF c = Color(x, y);
        return qRgb(RgbRed(c), RgbGreen(c), RgbBlue(c));
    }
    QImage RenderImage(QSize size, Point centre, int percent, CCtrlZoom::CursorMark mark,
                       bool* drawn = nullptr) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        zoom.SetCentre(centre);
        zoom.SetZoom(percent);
        QPainter painter(&image);
        const bool ok = zoom.Render(painter, QRect(QPoint(0, 0), size), mark);
        if (drawn) *drawn = ok;
        return image;
    }
};

TEST(CCtrlZoomTest, EachScreenPixelBecomesACrispBlockAroundTheCentre) {
    struct Case {
        int zoom;
        QSize size;
    };
    const Case cases[] = {{100, {40, 20}}, {400, {80, 40}}, {1000, {100, 60}}, {300, {90, 30}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoom);
        ZoomRig rig;
        const QImage image = rig.RenderImage(c.size, {100, 50}, c.zoom, kHidden);
        const Rect source = rig.zoom.SourceRect();
        const int block = c.zoom / 100;
        ASSERT_EQ(source.Width() * block, c.size.width());
        ASSERT_EQ(source.Height() * block, c.size.height());
        // Every control pixel shows the screen pixel of its block: no blending.
        for (int y = 0; y < c.size.height(); ++y) {
            for (int x = 0; x < c.size.width(); ++x) {
                ASSERT_EQ(image.pixel(x, y),
                          ZoomRig::Rgb(source.left + x / block, source.top + y / block))
                    << x << "," << y;
            }
        }
    }
}

TEST(CCtrlZoomTest, TheGridLiesBetweenMagnifiedPixelsFromSixHundredPercent) {
    // Left half black, right half white: the grid is light over the one, dark over the other.
    ZoomRig rig;
    rig.desktop.FillRect({0, 0, 100, 100}, MakeRgb(0, 0, 0));
    rig.desktop.FillRect({100, 0, 200, 100}, MakeRgb(255, 255, 255));
    rig.zoom.SetGrid(true);
    const QImage below = rig.RenderImage({80, 40}, {100, 50}, 500, kHidden);
    // Under 600 % the blocks stay whole.
    for (int x = 0; x < 80; ++x) EXPECT_EQ(below.pixel(x, 7), below.pixel(x, 0)) << x;

    const QImage image = rig.RenderImage({84, 42}, {100, 50}, 600, kHidden);
    const Rect source = rig.zoom.SourceRect();
    ASSERT_EQ(source.Width() * 6, 84);
    for (int x = 0; x < 84; ++x) {
        const bool dark = source.left + x / 6 < 100;
        const QRgb line = dark ? qRgb(0xE0, 0xE0, 0xE0) : qRgb(0x20, 0x20, 0x20);
        const QRgb block = dark ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
        // Each block's first row and column is the grid; the others the pixel itself.
        EXPECT_EQ(image.pixel(x, 6), line) << x;
        EXPECT_EQ(image.pixel(x, 9), x % 6 == 0 && x > 0 ? line : block) << x;
    }
    // Copies never hold the grid.
    const QImage copy = rig.zoom.CopyImage(false);
    ASSERT_FALSE(copy.isNull());
    for (int x = 0; x < copy.width(); ++x)
        EXPECT_EQ(copy.pixel(x, 1), source.left + x < 100 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
}

TEST(CCtrlZoomTest, TheSampledSquareIsOutlinedInTwoTonesOnAnyPixelsButNeverCopied) {
    for (const COLORREF fill : {MakeRgb(0, 0, 0), MakeRgb(255, 255, 255), MakeRgb(128, 64, 32)}) {
        SCOPED_TRACE(fill);
        ZoomRig rig;
        rig.desktop.FillRect({0, 0, 200, 100}, fill);
        const QRgb pixel = qRgb(RgbRed(fill), RgbGreen(fill), RgbBlue(fill));
        rig.zoom.SetSampleSize(3);
        // 1000 %: the source is 95..105 across, the 3 x 3 square around 100 is blocks 40..70.
        const QImage image = rig.RenderImage({100, 100}, {100, 50}, 1000, kHidden);
        for (const int y : {45, 55, 65}) {
            EXPECT_EQ(image.pixel(37, y), pixel) << y;
            EXPECT_EQ(image.pixel(38, y), CCtrlZoom::kOutlineLight) << y;
            EXPECT_EQ(image.pixel(39, y), CCtrlZoom::kOutlineDark) << y;
            EXPECT_EQ(image.pixel(40, y), pixel) << y;  // the sampled pixels stay visible
            EXPECT_EQ(image.pixel(70, y), CCtrlZoom::kOutlineDark) << y;
            EXPECT_EQ(image.pixel(71, y), CCtrlZoom::kOutlineLight) << y;
        }
        EXPECT_EQ(image.pixel(55, 39), CCtrlZoom::kOutlineDark);
        EXPECT_EQ(image.pixel(55, 71), CCtrlZoom::kOutlineLight);
        // A copy holds the desktop's pixels only.
        rig.zoom.resize(100, 100);
        const QImage copy = rig.zoom.CopyImage(true);
        ASSERT_FALSE(copy.isNull());
        for (int x = 0; x < copy.width(); ++x) EXPECT_EQ(copy.pixel(x, 55), pixel) << x;
        // A single pixel has no outline.
        rig.zoom.SetSampleSize(1);
        EXPECT_EQ(rig.RenderImage({100, 100}, {100, 50}, 1000, kHidden).pixel(39, 55), pixel);
    }
}

TEST(CCtrlZoomTest, CentreMarkInvertsOneMagnifiedPixel) {
    struct Case {
        int zoom;
        int side;
    };
    for (const Case& c : {Case{100, 1}, Case{400, 4}, Case{1000, 10}}) {
        SCOPED_TRACE(c.zoom);
        ZoomRig rig;
        const QSize size(100, 60);
        const QImage plain = rig.RenderImage(size, {100, 50}, c.zoom, kHidden);
        const QImage marked = rig.RenderImage(size, {100, 50}, c.zoom, kShown);
        int inverted = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const bool inBlock = x >= 50 && x < 50 + c.side && y >= 30 && y < 30 + c.side;
                const QRgb want = inBlock ? (~plain.pixel(x, y) | 0xFF000000) : plain.pixel(x, y);
                ASSERT_EQ(marked.pixel(x, y), want) << x << "," << y;
                inverted += inBlock;
            }
        }
        EXPECT_EQ(inverted, c.side * c.side);
    }
}

TEST(CCtrlZoomTest, PastTheDesktopEdgeShowsTheDesktopColourWithoutShiftingTheImage) {
    ZoomRig rig;
    // 80x40 at 400%: a 20x10 source centred on (2, 1) reaches 8 pixels left and 4 above.
    const QImage image = rig.RenderImage({80, 40}, {2, 1}, 400, kHidden);
    EXPECT_EQ(rig.zoom.SourceRect(), (Rect{0, 0, 12, 6}));
    const QRgb desktop = CCtrlZoom::kDesktopColor;
    EXPECT_EQ(image.pixel(0, 0), desktop);
    EXPECT_EQ(image.pixel(31, 39), desktop);  // left band
    EXPECT_EQ(image.pixel(79, 15), desktop);  // top band
    // Screen pixel (0, 0) is where it belongs: 8 magnified pixels right, 4 down.
    EXPECT_EQ(image.pixel(32, 16), ZoomRig::Rgb(0, 0));
    EXPECT_EQ(image.pixel(79, 39), ZoomRig::Rgb(11, 5));
}

TEST(CCtrlZoomTest, NothingIsPaintedWhenTheScreenCannotBeReadOrTheAreaIsOff) {
    ZoomRig rig;
    bool drawn = true;
    rig.desktop.SetScreenReadable(false);
    QImage image = rig.RenderImage({40, 20}, {100, 50}, 200, kShown, &drawn);
    EXPECT_FALSE(drawn);
    EXPECT_EQ(image.pixel(20, 10), QColor(Qt::magenta).rgb());
    rig.desktop.SetScreenReadable(true);
    image = rig.RenderImage({40, 20}, {900, 900}, 200, kShown, &drawn);
    EXPECT_FALSE(drawn);
    EXPECT_TRUE(rig.zoom.SourceRect().IsEmpty());
    EXPECT_EQ(image.pixel(20, 10), QColor(Qt::magenta).rgb());
}

TEST(CCtrlZoomTest, DisabledControlShowsAPlainButtonFace) {
    ZoomRig rig;
    rig.zoom.resize(60, 30);
    rig.zoom.SetCentre({100, 50});
    rig.zoom.SetZoom(200);
    rig.zoom.setEnabled(false);
    const QImage shot = rig.zoom.grab().toImage();
    const QRgb face = rig.zoom.palette().color(QPalette::Button).rgb();
    for (const QPoint p : {QPoint(0, 0), QPoint(30, 15), QPoint(59, 29)}) {
        EXPECT_EQ(shot.pixel(p), face);
    }
    rig.zoom.setEnabled(true);
    const QImage live = rig.zoom.grab().toImage();
    EXPECT_EQ(live.pixel(0, 0),
              ZoomRig::Rgb(rig.zoom.SourceRect().left, rig.zoom.SourceRect().top));
}

TEST(CCtrlZoomTest, RefreshRepaintsOnlyWhatChanged) {
    ZoomRig rig;
    rig.zoom.resize(80, 40);
    rig.zoom.SetCentre({100, 50});
    rig.zoom.SetZoom(400);
    rig.zoom.show();
    const auto refresh = [&] {
        const int before = rig.zoom.FramesPainted();
        rig.zoom.Refresh();
        QCoreApplication::processEvents();
        return rig.zoom.FramesPainted() - before;
    };
    refresh();  // the first frame after showing
    struct Step {
        const char* name;
        std::function<void()> change;
        int frames;
    };
    const Step steps[] = {
        {"a still desktop", [] {}, 0},
        {"a pixel of the frame changes",
         [&] {
             rig.desktop.SetPixel({100, 50}, MakeRgb(9, 9, 9));
         },
         1},
        {"still again", [] {}, 0},
        {"a pixel outside the frame changes",
         [&] {
             rig.desktop.SetPixel({0, 0}, 0);
         },
         0},
        {"the centre moves",
         [&] {
             rig.zoom.SetCentre({101, 50});
         },
         1},
        {"the mark is turned off", [&] { rig.zoom.SetDrawCursorMark(false); }, 1},
        {"the zoom changes", [&] { rig.zoom.SetZoom(200); }, 1},
        {"the control is disabled", [&] { rig.zoom.setEnabled(false); }, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        EXPECT_EQ(refresh(), step.frames);
    }
    // The new pixel is shown as the refresh grabbed it.
    rig.zoom.setEnabled(true);
    rig.zoom.SetZoom(400);
    rig.zoom.SetCentre({100, 50});
    refresh();
    rig.desktop.SetPixel({100, 50}, MakeRgb(1, 2, 3));
    ASSERT_EQ(refresh(), 1);
    const QImage shown = rig.zoom.grab().toImage();
    EXPECT_EQ(shown.pixel(41, 21), qRgb(1, 2, 3));  // the centre mark is off
}

TEST(CCtrlZoomTest, CopyTakesTheShownImageOrTheRealPixels) {
    struct Case {
        const char* name;
        int zoom;
        bool stretch;
        QSize size;
    };
    const Case cases[] = {
        {"stretched at 400%", 400, true, {80, 40}},
        {"1:1 when stretch is off", 400, false, {20, 10}},
        {"1:1 at 100% even with stretch", 100, true, {80, 40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ZoomRig rig;
        rig.zoom.resize(80, 40);
        rig.zoom.SetCentre({100, 50});
        rig.zoom.SetZoom(c.zoom);
        rig.zoom.grab();  // one frame, as the control shows it
        const QImage copy = rig.zoom.CopyImage(c.stretch);
        ASSERT_EQ(copy.size(), c.size);
        const Rect source = rig.zoom.SourceRect();
        const int block = c.size.width() / source.Width();
        // Every pixel is the screen's, the centre block included: a copy carries no mark.
        for (int y = 0; y < copy.height(); ++y)
            for (int x = 0; x < copy.width(); ++x)
                ASSERT_EQ(copy.pixel(x, y),
                          ZoomRig::Rgb(source.left + x / block, source.top + y / block));
    }
    // Nothing shown, nothing to copy.
    ZoomRig rig;
    EXPECT_TRUE(rig.zoom.CopyImage(false).isNull());
}

}  // namespace
}  // namespace nl
