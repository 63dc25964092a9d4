#include "platform/xcb/CXcbScreenGrabber.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "XTestClient.h"
#include "base/shared_pixels.h"
#include "platform/x11/CX11Desktop.h"
#include "platform/xcb/CXcbDesktop.h"
#include "platform/xcb/CXcbDirectGrab.h"
#include "platform/xcb/x11_cursor.h"
#include "platform/xcb/xcb_support.h"

namespace nl {
namespace {

// Known pixels on the screen: a window of four coloured quarters near the top-left corner.
class X11GrabTest : public ::testing::TestWithParam<GrabMethod> {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.Connected());
        whole = x.CreateWindow(kQuarters, kTopLeft);
        x.CreateWindow({kHalf, 0, 2 * kHalf, kHalf}, kTopRight, whole);
        x.CreateWindow({0, kHalf, kHalf, 2 * kHalf}, kBottomLeft, whole);
        x.CreateWindow({kHalf, kHalf, 2 * kHalf, 2 * kHalf}, kBottomRight, whole);
        x.Sync();
    }
    void TearDown() override {
        x.Destroy(whole);
        x.Sync();
    }

    static constexpr int kHalf = 40;
    static constexpr Rect kQuarters{10, 20, 10 + 2 * kHalf, 20 + 2 * kHalf};
    static constexpr std::uint32_t kTopLeft = 0x102030;
    static constexpr std::uint32_t kTopRight = 0xFF8000;
    static constexpr std::uint32_t kBottomLeft = 0x00FF7F;
    static constexpr std::uint32_t kBottomRight = 0x8040C0;
    test::XTestClient x;
    xcb_window_t whole{};
};

GrabPixel Opaque(std::uint32_t rgb) {
    return 0xFF000000u | rgb;
}

TEST_P(X11GrabTest, GrabsAndPixelsShowTheKnownColours) {
    CX11Desktop d(GetParam());
    const Rect screen = d.VirtualScreen();
    // Sizes that change from grab to grab, a frame reaching past the left and top edges, and
    // the whole screen between them: the shared segment grows and is reused.
    const struct {
        Rect area;
        Point probe;  // a pixel of the area in screen coordinates
        GrabPixel expected;
    } cases[] = {
        {{10, 20, 90, 100}, {10, 20}, Opaque(kTopLeft)},
        {{10, 20, 90, 100}, {89, 20}, Opaque(kTopRight)},
        {{10, 20, 90, 100}, {10, 99}, Opaque(kBottomLeft)},
        {{10, 20, 90, 100}, {89, 99}, Opaque(kBottomRight)},
        {screen, {49, 59}, Opaque(kTopLeft)},
        {screen, {50, 60}, Opaque(kBottomRight)},
        {{-30, -30, 60, 40}, {-1, 30}, 0xFF000000u},  // past the edge: black
        {{-30, -30, 60, 40}, {55, 25}, Opaque(kTopRight)},
        {{55, 65, 56, 66}, {55, 65}, Opaque(kBottomRight)},  // one pixel
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.area.left << "," << c.area.top << " " << c.area.Width()
                                        << "x" << c.area.Height());
        // A wider buffer than the area: the extra column stays untouched.
        const std::size_t stride = static_cast<std::size_t>(c.area.Width()) + 1;
        std::vector<GrabPixel> pixels(stride * static_cast<std::size_t>(c.area.Height()), 0);
        ASSERT_TRUE(d.Grab(c.area, pixels.data(), stride));
        const auto at = [&](Point p) {
            return pixels[static_cast<std::size_t>(p.y - c.area.top) * stride +
                          static_cast<std::size_t>(p.x - c.area.left)];
        };
        EXPECT_EQ(at(c.probe), c.expected);
        EXPECT_EQ(pixels[stride - 1], 0u);
    }
    EXPECT_EQ(d.CurrentGrabMethod(), GetParam());  // Xvfb shares memory: no fallback
    EXPECT_EQ(d.PixelColor({60, 30}), MakeRgb(0xFF, 0x80, 0x00));
    EXPECT_EQ(d.PixelColor({20, 99}), MakeRgb(0x00, 0xFF, 0x7F));
    EXPECT_EQ(d.PixelColor({screen.right, 0}), kNoColor);
    // A changed screen shows in the next grab of the same area (no stale segment).
    x.Unmap(whole);
    x.Sync();
    GrabPixel after[4] = {};
    ASSERT_TRUE(d.Grab({10, 20, 12, 22}, after, 2));
    EXPECT_NE(after[0], Opaque(kTopLeft));
}

// The toolkit-free desktop on the test's own connection reads the same pixels as the
// program's desktop on Qt's connection, clipping included.
TEST_P(X11GrabTest, TheToolkitFreeDesktopGrabsTheSamePixels) {
    ASSERT_TRUE(x11::OpenOwnConnection());
    CXcbDesktop own(x11::OwnConnection(), GetParam());
    CX11Desktop program(GetParam());
    const Rect screen = program.VirtualScreen();
    ASSERT_EQ(own.VirtualScreen(), screen);
    const Rect areas[] = {
        {10, 20, 90, 100},
        screen,
        {-30, -30, 60, 40},
        {55, 65, 56, 66},
        {screen.right - 5, screen.bottom - 5, screen.right + 5, screen.bottom + 5},
        {screen.right, 0, screen.right + 3, 3},  // wholly off the screen: black
    };
    for (const Rect& area : areas) {
        SCOPED_TRACE(testing::Message() << area.left << "," << area.top << " " << area.Width()
                                        << "x" << area.Height());
        const auto width = static_cast<std::size_t>(area.Width());
        std::vector<GrabPixel> a(width * static_cast<std::size_t>(area.Height()), 1);
        std::vector<GrabPixel> b(a.size(), 2);
        ASSERT_TRUE(own.Grab(area, a.data(), width));
        ASSERT_TRUE(program.Grab(area, b.data(), width));
        EXPECT_EQ(a, b);
    }
    const Point points[] = {{10, 20},          {89, 99},   {-1, 0},    {0, -1},
                            {screen.right, 0}, {70000, 5}, {5, -70000}};
    for (const Point p : points)
        EXPECT_EQ(own.PixelColor(p), program.PixelColor(p)) << p.x << "," << p.y;
    EXPECT_EQ(own.PixelColor({70000, 5}), kNoColor);
    EXPECT_EQ(own.CurrentGrabMethod(), GetParam());
}

// Where the buffer is a large PixelVector the server writes the grab itself: the same
// opaque pixels as a copy out of the segment, into the buffer's start or anywhere inside it,
// fresh at every grab, and into a new buffer after the old one was freed.
TEST_P(X11GrabTest, TheServerWritesStraightIntoSharedBuffers) {
    ASSERT_TRUE(x11::OpenOwnConnection());
    const x11::IXConnection& own = x11::OwnConnection();
    CX11Desktop program(GetParam());
    const Rect screen = program.VirtualScreen();
    const auto count = [](const Rect& r) {
        return static_cast<std::size_t>(r.Width()) * static_cast<std::size_t>(r.Height());
    };
    std::vector<GrabPixel> copied(count(screen));
    ASSERT_TRUE(program.Grab(screen, copied.data(), static_cast<std::size_t>(screen.Width())));
    const Rect quarters = kQuarters;
    const Rect areas[] = {screen, quarters, {0, 0, 1, 1}, screen};
    const std::size_t offsets[] = {0, 1000, 7, 0};
    CXcbDirectGrab direct(own.Connection(), own.Root());
    for (std::size_t i = 0; i < std::size(areas); ++i) {
        const Rect& area = areas[i];
        SCOPED_TRACE(testing::Message()
                     << area.Width() << "x" << area.Height() << " at offset " << offsets[i]);
        // A new buffer every time: the old one is freed first.
        PixelVector buffer(count(screen) + offsets[i], 1);
        ASSERT_TRUE(FindSharedPixelBlock(buffer.data(), buffer.size() * sizeof(GrabPixel)));
        GrabPixel* out = buffer.data() + offsets[i];
        const auto width = static_cast<std::size_t>(area.Width());
        ASSERT_TRUE(direct.Grab(area, out, width));
        for (int y = area.top; y < area.bottom; ++y) {
            const GrabPixel* row = out + static_cast<std::size_t>(y - area.top) * width;
            const GrabPixel* expected =
                copied.data() + static_cast<std::size_t>(y) * screen.Width() + area.left;
            ASSERT_TRUE(std::equal(row, row + width, expected)) << "row " << y;
        }
        if (offsets[i] > 0) {
            EXPECT_EQ(buffer[offsets[i] - 1], 1u);  // nothing before the rows
        }
        // The program's desktop reads the same pixels into it.
        std::fill(out, out + count(area), 0u);
        ASSERT_TRUE(program.Grab(area, out, width));
        EXPECT_EQ(out[0], copied[static_cast<std::size_t>(area.top) * screen.Width() + area.left]);
        direct.ForgetFreed();
    }
    // Ordinary memory, or rows wider than the area, are left to the copying grab.
    std::vector<GrabPixel> heap(count(quarters));
    EXPECT_FALSE(direct.Grab(quarters, heap.data(), static_cast<std::size_t>(quarters.Width())));
    PixelVector wide(count(screen));
    EXPECT_FALSE(
        direct.Grab(quarters, wide.data(), static_cast<std::size_t>(quarters.Width()) + 1));
    // The same buffer grabbed again after the screen changed shows the change.
    PixelVector again(count(screen));
    ASSERT_TRUE(direct.Grab(quarters, again.data(), static_cast<std::size_t>(quarters.Width())));
    EXPECT_EQ(again[0], Opaque(kTopLeft));
    x.Repaint(whole, kBottomRight);
    x.Sync();
    ASSERT_TRUE(direct.Grab(quarters, again.data(), static_cast<std::size_t>(quarters.Width())));
    EXPECT_EQ(again[0], Opaque(kBottomRight));
    direct.Release(true);
}

// Server rows copied with an opaque alpha byte: every width around the four-pixel steps, every
// alignment of the target, through the caches and streaming past them; the stride's spare
// pixels stay as they were.
TEST(X11GrabCopyTest, CopiesRowsOpaqueWhateverTheWidthAndAlignment) {
    constexpr GrabPixel kUntouched = 0x12345678u;
    const struct {
        int width, height;
    } sizes[] = {{1, 1}, {3, 2}, {4, 3}, {5, 2}, {17, 4}, {1030, 20}};
    for (const auto& size : sizes) {
        for (std::size_t k = 0; k < 8; ++k) {
            // Every pixel offset from a 16-byte boundary (vectors start aligned), both stores.
            const std::size_t offset = k % 4;
            const CopyStores stores = k < 4 ? CopyStores::kCached : CopyStores::kStreaming;
            SCOPED_TRACE(testing::Message() << size.width << "x" << size.height << " +" << offset
                                            << (k < 4 ? " cached" : " streaming"));
            const auto width = static_cast<std::size_t>(size.width);
            const std::size_t srcStride = width + 3;
            std::vector<GrabPixel> src(srcStride * static_cast<std::size_t>(size.height));
            for (std::size_t i = 0; i < src.size(); ++i)
                src[i] = static_cast<GrabPixel>(i * 2654435761u);  // every top byte occurs
            const std::size_t stride = width + 1;
            std::vector<GrabPixel> out(offset + stride * static_cast<std::size_t>(size.height),
                                       kUntouched);
            CopyOpaque(reinterpret_cast<const char*>(src.data()), srcStride * sizeof(GrabPixel),
                       size.width, size.height, out.data() + offset, stride, stores);
            std::size_t wrong = 0;
            for (std::size_t y = 0; y < static_cast<std::size_t>(size.height); ++y) {
                for (std::size_t x = 0; x < width; ++x)
                    wrong += out[offset + y * stride + x] != (src[y * srcStride + x] | 0xFF000000u);
                wrong += out[offset + y * stride + width] != kUntouched;
            }
            EXPECT_EQ(wrong, 0u);
            for (std::size_t i = 0; i < offset; ++i) EXPECT_EQ(out[i], kUntouched);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothMethods, X11GrabTest,
                         ::testing::Values(GrabMethod::kSharedMemory, GrabMethod::kGetImage));

TEST(X11CursorTest, TheServerGivesOutTheCursorPicture) {
    CX11Desktop d;
    d.SetCursorPos({300, 200});
    const auto cursor = d.CurrentCursor();
    ASSERT_TRUE(cursor.has_value());
    EXPECT_GT(cursor->width, 0);
    EXPECT_GT(cursor->height, 0);
    EXPECT_EQ(cursor->pixels.size(), static_cast<std::size_t>(cursor->width * cursor->height));
    EXPECT_EQ(cursor->position, (Point{300, 200}));
    const Rect picture{0, 0, cursor->width, cursor->height};
    EXPECT_TRUE(picture.Contains(cursor->hotSpot));
    // Something of the picture is visible.
    bool visible = false;
    for (std::uint32_t p : cursor->pixels) visible = visible || (p >> 24) != 0;
    EXPECT_TRUE(visible);
}

TEST(X11CursorTest, PremultipliedPixelsGetStraightAlpha) {
    const struct {
        std::uint32_t premultiplied, straight;
    } cases[] = {
        {0xFF123456u, 0xFF123456u},  // opaque: as it is
        {0x00000000u, 0x00000000u},  // transparent
        {0x80800000u, 0x80FF0000u},  // half-transparent full red
        {0x80404040u, 0x80808080u},  // half-transparent grey
        {0x40FF0000u, 0x40FF0000u},  // an invalid channel above alpha stays at the maximum
        {0x01010000u, 0x01FF0000u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(x11::StraightAlpha(c.premultiplied), c.straight) << std::hex << c.premultiplied;
}

}  // namespace
}  // namespace nl
