// The X11 desktop's change counts on a real server: drawing inside a watched area and window
// changes move the count on, drawing elsewhere and a still screen leave it.
#include "platform/x11/x11_damage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "XTestClient.h"
#include "platform/x11/CX11Desktop.h"
#include "platform/x11/xcb_support.h"
#include "platform/xcb/CXcbDesktop.h"

namespace nl {
namespace {

using namespace std::chrono_literals;

// Long enough for the server's events to reach the desktop's connection.
constexpr auto kSettle = 150ms;
constexpr int kPolls = 40;

// Whether the count of `area` moves on within a while (polling as a picking timer would).
bool CountMovesOn(const IDesktop& d, const Rect& area, std::uint64_t from) {
    for (int i = 0; i < kPolls; ++i) {
        if (d.ChangeCount(area) != from) return true;
        std::this_thread::sleep_for(kSettle / 10);
    }
    return false;
}

TEST(X11DamageTest, CountsMoveOnWithDrawingInsideAndWindowChanges) {
    test::XTestClient x;
    ASSERT_TRUE(x.Connected());
    const xcb_window_t watched = x.CreateWindow({100, 100, 300, 200}, 0x102030);
    const xcb_window_t other = x.CreateWindow({600, 100, 800, 200}, 0x405060);
    x.Sync();
    const Rect area{150, 120, 200, 160};
    struct Case {
        const char* what;
        Rect area;
        std::function<void()> change;
        bool movesOn;
    };
    xcb_window_t extra = 0;
    const std::vector<Case> cases = {
        {"nothing drawn", area, [] {}, false},
        {"a window elsewhere redrawn", area, [&] { x.Repaint(other, 0xFF0000); }, false},
        {"the window under the area redrawn", area, [&] { x.Repaint(watched, 0x00FF00); }, true},
        {"drawn again after the read", area, [&] { x.Repaint(watched, 0x0000FF); }, true},
        {"pixels leave the windows' count", {}, [&] { x.Repaint(watched, 0x112233); }, false},
        {"a window mapped elsewhere", area,
         [&] {
             extra = x.CreateWindow({900, 500, 950, 550}, 0xFFFFFF);
         },
         true},
        {"a window unmapped: the windows' count", {}, [&] { x.Unmap(extra); }, true},
    };
    CX11Desktop d;
    d.ChangeCount(area);
    // The first answers come while the server still reports the screen as new.
    std::this_thread::sleep_for(kSettle);
    d.ChangeCount(area);
    d.ChangeCount({});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::this_thread::sleep_for(kSettle);
        const std::uint64_t before = d.ChangeCount(c.area);
        c.change();
        x.Sync();
        if (c.movesOn) {
            EXPECT_TRUE(CountMovesOn(d, c.area, before));
        } else {
            std::this_thread::sleep_for(kSettle);
            EXPECT_EQ(d.ChangeCount(c.area), before);
        }
    }
    x.Destroy(watched);
    x.Destroy(other);
    x.Destroy(extra);
    x.Sync();
}

TEST(X11DamageTest, QueriesOnTheTrackingConnectionAnswerAsQtsConnectionDoes) {
    test::XTestClient x;
    ASSERT_TRUE(x.Connected());
    const xcb_window_t titled = x.CreateWindow({100, 300, 300, 400}, 0x102030);
    x.SetUtf8Title(titled, "Tracked title");
    x.Sync();
    CX11Desktop d;
    d.ChangeCount({});
    const x11::IXConnection& queries = d.QueryConnection();
    ASSERT_NE(queries.Connection(), nullptr);
    EXPECT_NE(queries.Connection(), x11::QtConnection());
    EXPECT_EQ(queries.Root(), x11::QtRootWindow());
    const CXcbDesktop qt(x11::QtXConnection());
    const Point points[] = {{150, 350}, {5, 5}, {299, 399}, {300, 400}};
    for (const Point& p : points) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        const WindowId under = d.WindowFromPoint(p);
        EXPECT_EQ(under, qt.WindowFromPoint(p));
        EXPECT_EQ(d.WindowText(under), qt.WindowText(under));
        EXPECT_EQ(d.ClientRect(under), qt.ClientRect(under));
    }
    EXPECT_EQ(d.WindowText(titled), "Tracked title");
    EXPECT_EQ(d.CursorPos(), qt.CursorPos());
    // Right after the pointer is asked, the lookup at its point starts from the root's child
    // the pointer answer named: the same windows.
    for (const Point& p : points) {
        SCOPED_TRACE(testing::Message() << "pointer at " << p.x << "," << p.y);
        d.SetCursorPos(p);
        const Point at = d.CursorPos();
        ASSERT_EQ(at, p);
        EXPECT_EQ(d.WindowFromPoint(at), qt.WindowFromPoint(at));
    }
    x.Destroy(titled);
    x.Sync();
}

// The desktop keeps what it learnt of a window until that window changes: every answer below
// is asked once before the change, so a kept answer that missed the change fails the case.
TEST(X11DamageTest, KeptWindowFactsFollowEachChangeOfTheWindow) {
    test::XTestClient x;
    ASSERT_TRUE(x.Connected());
    const xcb_window_t window = x.CreateWindow({100, 450, 300, 550}, 0x102030);
    const xcb_window_t owner = x.CreateWindow({400, 450, 500, 550}, 0x405060);
    x.SetUtf8Title(window, "First title");
    x.SetClass(window, "first", "First");
    x.SetWmState(window, 1);
    x.SetWmState(owner, 1);
    x.Sync();
    CX11Desktop d;
    d.ChangeCount({});
    const auto ownerText = [&] { return std::to_string(d.Owner(window)); };
    struct Case {
        const char* what;
        std::function<std::string()> ask;
        std::function<void()> change;
        std::string want;
    };
    const std::vector<Case> cases = {
        {"title", [&] { return d.WindowText(window); },
         [&] { x.SetUtf8Title(window, "Second title"); }, "Second title"},
        {"class", [&] { return d.ClassName(window); },
         [&] { x.SetClass(window, "second", "Second"); }, "Second"},
        {"owner", ownerText, [&] { x.SetTransientFor(window, owner); }, std::to_string(owner)},
        {"gone", [&] { return d.WindowText(window); }, [&] { x.Destroy(window); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string before = c.ask();
        EXPECT_NE(before, c.want);
        EXPECT_EQ(c.ask(), before);
        c.change();
        x.Sync();
        std::string now;
        for (int i = 0; i < kPolls && (now = c.ask()) != c.want; ++i)
            std::this_thread::sleep_for(kSettle / 10);
        EXPECT_EQ(now, c.want);
    }
    x.Destroy(owner);
    x.Sync();
}

}  // namespace
}  // namespace nl
