// The toolkit-free desktop (the command line's) on its own X connection, against the
// program's desktop on Qt's connection: the same answers about the same windows.
#include "platform/xcb/CXcbDesktop.h"

#include <gtest/gtest.h>

#include <vector>

#include "XTestClient.h"
#include "platform/x11/CX11Desktop.h"
#include "platform/xcb/xcb_support.h"

namespace nl {
namespace {

class XcbDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.Connected());
        ASSERT_TRUE(x11::OpenOwnConnection());
        main = x.CreateWindow({200, 150, 500, 350}, 0x336699);
        x.SetUtf8Title(main, "Tëst wïndow ✓");
        x.SetClass(main, "nltest", "NerimTestClass");
        child = x.CreateWindow({50, 40, 150, 120}, 0xFF0000, main);
        x.SetClass(child, "button", "ChildClass");
        dialog = x.CreateWindow({700, 150, 900, 250}, 0x00FF00);
        x.SetLatin1Title(dialog, "Caf\xE9 dialog");
        x.SetTransientFor(dialog, main);
        framed = x.CreateWindow({100, 600, 400, 800}, 0x808080);  // a window manager's frame
        client = x.CreateWindow({5, 20, 295, 195}, 0x00FFFF, framed);
        x.SetWmState(client, 1);
        x.SetUtf8Title(client, "Framed");
        x.Sync();
    }
    void TearDown() override {
        for (xcb_window_t w : {main, dialog, framed}) x.Destroy(w);
        x.Sync();
    }

    test::XTestClient x;
    CXcbDesktop own{x11::OwnConnection()};
    CX11Desktop program;
    xcb_window_t main{}, child{}, dialog{}, framed{}, client{};
};

TEST_F(XcbDesktopTest, WindowQueriesAnswerAsTheProgramsDesktop) {
    const Point points[] = {
        {260, 200},    // a child control
        {205, 155},    // its main window
        {760, 230},    // an owned dialog
        {110, 605},    // a frame's border: its client stands for it
        {200, 700},    // the framed client
        {1200, 1000},  // the bare desktop
    };
    for (const Point p : points) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        const WindowId hit = own.WindowFromPoint(p);
        ASSERT_EQ(hit, program.WindowFromPoint(p));
        for (WindowAncestor kind :
             {WindowAncestor::kParent, WindowAncestor::kRoot, WindowAncestor::kRootOwner})
            EXPECT_EQ(own.Ancestor(hit, kind), program.Ancestor(hit, kind));
        const WindowId top = own.Ancestor(hit, WindowAncestor::kRoot);
        EXPECT_EQ(own.WindowText(top), program.WindowText(top));
        EXPECT_EQ(own.ClassName(hit), program.ClassName(hit));
        EXPECT_EQ(own.Owner(top), program.Owner(top));
        EXPECT_EQ(own.ClientRect(hit), program.ClientRect(hit));
        EXPECT_EQ(own.WindowRect(top), program.WindowRect(top));
        EXPECT_EQ(own.IsWindowVisible(hit), program.IsWindowVisible(hit));
        EXPECT_EQ(own.IsMinimized(top), program.IsMinimized(top));
    }
    // Spot checks that the shared answers are the right ones.
    EXPECT_EQ(own.WindowFromPoint({110, 605}), WindowId{client});
    EXPECT_EQ(own.WindowText(dialog), "Café dialog");
    EXPECT_EQ(own.Ancestor(own.WindowFromPoint({760, 230}), WindowAncestor::kRootOwner), main);
    EXPECT_EQ(own.WindowRect(client), (Rect{100, 600, 400, 800}));  // the frame's rectangle
    EXPECT_EQ(own.TopLevelWindows(), program.TopLevelWindows());
    EXPECT_EQ(own.DesktopWindow(), program.DesktopWindow());
    EXPECT_EQ(own.VirtualScreen(), program.VirtualScreen());
    // A window that is gone answers nothing, without a separate existence check.
    x.Destroy(dialog);
    x.Sync();
    EXPECT_FALSE(own.IsWindow(dialog));
    for (WindowAncestor kind :
         {WindowAncestor::kParent, WindowAncestor::kRoot, WindowAncestor::kRootOwner})
        EXPECT_EQ(own.Ancestor(dialog, kind), kNoWindow);
    EXPECT_EQ(own.WindowText(dialog), "");
}

TEST_F(XcbDesktopTest, AFramedWindowsClientWindowIsItsChildWhereNoChildWindowIs) {
    // A second frame whose client has a child window, as a terminal's has.
    const xcb_window_t frame2 = x.CreateWindow({600, 600, 900, 800}, 0x808080);
    const xcb_window_t client2 = x.CreateWindow({4, 24, 296, 196}, 0x00FFFF, frame2);
    x.SetWmState(client2, 1);
    const xcb_window_t inner = x.CreateWindow({10, 10, 200, 100}, 0xFF00FF, client2);
    x.Sync();
    const WindowId clientArea = client | CXcbDesktop::kClientAreaTag;
    const WindowId clientArea2 = client2 | CXcbDesktop::kClientAreaTag;
    struct Case {
        const char* what;
        WindowId parent;
        Point at;
        WindowId want;
        Rect wantRect;  // of the answer
    };
    const Case cases[] = {
        {"a framed client without child windows",
         client,
         {200, 700},
         clientArea,
         {105, 620, 395, 795}},
        {"the frame's border is not the client", client, {102, 602}, kNoWindow, {}},
        {"the client area has no child there", clientArea, {200, 700}, kNoWindow, {}},
        {"a child window of a framed client", client2, {650, 650}, inner, {614, 634, 804, 724}},
        {"beside the child window: the client",
         client2,
         {850, 750},
         clientArea2,
         {604, 624, 896, 796}},
        {"the client area's children are the client's",
         clientArea2,
         {650, 650},
         inner,
         {614, 634, 804, 724}},
        {"an unframed window keeps to its child windows",
         main,
         {260, 200},
         child,
         {250, 190, 350, 270}},
        {"an unframed window has no client area", main, {205, 155}, kNoWindow, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WindowId got = own.ChildFromPoint(c.parent, c.at);
        EXPECT_EQ(got, c.want);
        EXPECT_EQ(program.ChildFromPoint(c.parent, c.at), c.want);
        if (got != kNoWindow) {
            EXPECT_EQ(own.WindowRect(got), c.wantRect);
        }
    }
    // The client area is the client's in every other way; the client still has its frame's
    // rectangle.
    EXPECT_EQ(own.WindowText(clientArea), "Framed");
    EXPECT_TRUE(own.IsWindowVisible(clientArea));
    EXPECT_EQ(own.Ancestor(clientArea, WindowAncestor::kRoot), WindowId{client});
    EXPECT_EQ(own.Ancestor(clientArea, WindowAncestor::kParent), WindowId{client});
    EXPECT_EQ(own.WindowRect(client), (Rect{100, 600, 400, 800}));
    x.Destroy(frame2);
    x.Sync();
}

TEST_F(XcbDesktopTest, TheRootIsOneMonitorWithTheAnnouncedWorkArea) {
    xcb_connection_t* c = x11::OwnConnection().Connection();
    const xcb_window_t root = x11::OwnConnection().Root();
    const xcb_atom_t workArea = x11::Atom(c, "_NET_WORKAREA");
    const Rect screen = own.VirtualScreen();
    const struct {
        const char* what;
        std::vector<std::uint32_t> announced;  // x, y, width, height per virtual desktop
        Rect expected;
    } cases[] = {
        {"unknown", {}, screen},
        {"a panel on top", {0, 30, 1280, 994}, {0, 30, 1280, 1024}},
        {"too short to read", {0, 30, 1280}, screen},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        if (k.announced.empty())
            xcb_delete_property(c, root, workArea);
        else
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, workArea, XCB_ATOM_CARDINAL, 32,
                                static_cast<std::uint32_t>(k.announced.size()), k.announced.data());
        x11::Sync(c);
        const std::vector<MonitorInfo> monitors = own.Monitors();
        ASSERT_EQ(monitors.size(), 1u);
        EXPECT_EQ(monitors[0].monitor, screen);
        EXPECT_EQ(monitors[0].workArea, k.expected);
    }
    xcb_delete_property(c, root, workArea);
    x11::Sync(c);
}

TEST_F(XcbDesktopTest, PointerAndCursorPictureComeFromTheServer) {
    own.SetCursorPos({321, 234});
    EXPECT_EQ(own.CursorPos(), (Point{321, 234}));
    EXPECT_EQ(program.CursorPos(), (Point{321, 234}));
    own.SetCursorPos({-50, 99999});  // kept on the screen
    EXPECT_EQ(own.CursorPos(), (Point{0, own.VirtualScreen().bottom - 1}));
    const auto cursor = own.CurrentCursor();
    ASSERT_TRUE(cursor.has_value());
    EXPECT_EQ(cursor->position, own.CursorPos());
    EXPECT_EQ(cursor->pixels.size(), static_cast<std::size_t>(cursor->width * cursor->height));
}

}  // namespace
}  // namespace nl
