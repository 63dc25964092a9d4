#include "picking/keyboard_helpers.h"

#include <gtest/gtest.h>

#include "base/command_ids.h"
#include "picking/CForegroundWindow.h"
#include "platform/fake/FakeDesktop.h"

namespace nl {
namespace {

TEST(KeyboardHelpersTest, RuleTable) {
    constexpr WindowId kMain = 100;
    constexpr WindowId kOther = 200;
    struct Case {
        bool overlay, picking, foreground;
        WindowId underCursor;
        bool want;
    };
    const Case cases[] = {
        // An overlay takes the keys whatever else holds.
        {true, false, false, kMain, true},
        {true, false, false, kNoWindow, true},
        // Otherwise picking, the main window in front and the cursor elsewhere are all needed.
        {false, true, true, kOther, true},
        {false, true, true, kNoWindow, true},
        {false, true, true, kMain, false},
        {false, false, true, kOther, false},
        {false, true, false, kOther, false},
        {false, false, false, kOther, false},
    };
    for (const Case& c : cases) {
        KeyboardHelperState state;
        state.overlayVisible = c.overlay;
        state.pickingStarted = c.picking;
        state.mainIsForeground = c.foreground;
        state.mainWindow = kMain;
        state.rootUnderCursor = c.underCursor;
        EXPECT_EQ(KeyboardHelpersAvailable(state), c.want)
            << c.overlay << c.picking << c.foreground << " " << c.underCursor;
    }
    // Without a main window there is nothing for the keys to belong to.
    KeyboardHelperState none;
    none.pickingStarted = none.mainIsForeground = true;
    none.rootUnderCursor = kOther;
    EXPECT_FALSE(KeyboardHelpersAvailable(none));
}

TEST(KeyboardHelpersTest, OnlyTheMainWindowAndItsChildrenCountAsIt) {
    FakeDesktop desktop;
    const auto add = [&](const char* title, Rect rect, WindowId parent, WindowId owner) {
        return desktop.AddWindow(FakeDesktop::Describe(title, title, rect, parent, owner));
    };
    const WindowId main = add("NerimLens", Rect{0, 0, 200, 250}, kNoWindow, kNoWindow);
    add("Edit", Rect{10, 10, 100, 30}, main, kNoWindow);
    add("Ruler", Rect{500, 500, 700, 700}, kNoWindow, main);
    add("Editor", Rect{300, 0, 600, 400}, kNoWindow, kNoWindow);
    const WindowId editorTool = add("Find", Rect{800, 0, 850, 50}, kNoWindow, kNoWindow);
    add("Find button", Rect{810, 10, 830, 30}, editorTool, kNoWindow);
    struct Case {
        Point cursor;
        bool want;
    };
    const Case cases[] = {
        {{20, 20}, false},    // the main window's child
        {{150, 150}, false},  // the main window itself
        // A tool window the main window owns is a window of its own (the ruler).
        {{650, 650}, true},
        {{400, 100}, true},  // another program
        {{820, 20}, true},   // a child of another program's window
        {{900, 100}, true},  // the bare desktop
    };
    for (const Case& c : cases) {
        desktop.SetCursorPos(c.cursor);
        EXPECT_EQ(KeyboardHelpersAvailable(desktop, false, true, true, main), c.want)
            << c.cursor.x << "," << c.cursor.y;
    }
}

TEST(KeyboardHelpersTest, WindowUnderAStillCursorIsReusedUntilWindowsChange) {
    FakeDesktop desktop;
    const WindowId main =
        desktop.AddWindow(FakeDesktop::Describe("NerimLens", "N", {0, 0, 400, 400}));
    desktop.AddWindow(FakeDesktop::Describe("Editor", "E", {300, 0, 600, 400}));
    desktop.SetCursorPos({350, 50});
    CRootUnderCursor under(desktop);
    using Lookup = CRootUnderCursor::Lookup;
    struct Step {
        const char* what;
        std::function<void()> change;
        Lookup lookup;
        int lookups;  // so far
        bool helpers;
        std::optional<Point> known = std::nullopt;  // where the caller saw the cursor
    };
    const Step steps[] = {
        {"first look", [] {}, Lookup::kReuse, 1, true},
        {"nothing changed", [] {}, Lookup::kReuse, 1, true},
        {"a key press asks afresh", [] {}, Lookup::kFresh, 2, true},
        // The main window came to the top under the still cursor: the desktop reports it.
        {"windows changed", [&] { desktop.BringToTop(main); }, Lookup::kReuse, 3, false},
        {"the cursor moved",
         [&] {
             desktop.SetCursorPos({700, 50});
         },
         Lookup::kReuse, 4, true},
        {"still again", [] {}, Lookup::kReuse, 4, true},
        // The caller's cursor is taken as it is: over the main window.
        {"a known cursor", [] {}, Lookup::kReuse, 5, false, Point{350, 50}},
        {"a known cursor, still", [] {}, Lookup::kReuse, 5, false, Point{350, 50}},
        {"afresh asks the desktop", [] {}, Lookup::kFresh, 6, true, Point{350, 50}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.change();
        EXPECT_EQ(KeyboardHelpersAvailable(under, s.lookup, false, true, true, main, s.known),
                  s.helpers);
        EXPECT_EQ(under.Lookups(), s.lookups);
    }
}

TEST(KeyboardHelpersTest, ForegroundWindowIsAskedAgainOnlyAfterWindowChanges) {
    FakeDesktop desktop;
    const WindowId editor = desktop.AddWindow(FakeDesktop::Describe("Editor", "E", {0, 0, 50, 50}));
    const WindowId viewer =
        desktop.AddWindow(FakeDesktop::Describe("Viewer", "V", {60, 0, 99, 50}));
    desktop.SetForeground(editor);
    CForegroundWindow foreground(desktop);
    using Lookup = CRootUnderCursor::Lookup;
    struct Step {
        const char* what;
        std::function<void()> change;
        Lookup lookup;
        WindowId want;
        int asked;  // so far
    };
    const Step steps[] = {
        {"first", [] {}, Lookup::kReuse, editor, 1},
        {"nothing changed", [] {}, Lookup::kReuse, editor, 1},
        {"afresh", [] {}, Lookup::kFresh, editor, 2},
        {"activation reported", [&] { desktop.SetForeground(viewer); }, Lookup::kReuse, viewer, 3},
        {"unchanged again", [] {}, Lookup::kReuse, viewer, 3},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.change();
        EXPECT_EQ(foreground.Get(s.lookup), s.want);
        EXPECT_EQ(foreground.Asked(), s.asked);
    }
}

TEST(CursorMoveTest, DeltasOfTheFourCommands) {
    EXPECT_EQ(CursorMoveDelta(cmd::kCursorLeft), (Point{-1, 0}));
    EXPECT_EQ(CursorMoveDelta(cmd::kCursorRight), (Point{1, 0}));
    EXPECT_EQ(CursorMoveDelta(cmd::kCursorUp), (Point{0, -1}));
    EXPECT_EQ(CursorMoveDelta(cmd::kCursorDown), (Point{0, 1}));
    for (const int other : {cmd::kPick, cmd::kCopy, 2999, 3004})
        EXPECT_FALSE(CursorMoveDelta(other).has_value()) << other;
}

}  // namespace
}  // namespace nl
