#include "platform/qt/x11_window.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QByteArray>

namespace nl {
namespace {

// X protocol crossing and focus modes and details.
enum : std::uint8_t { kNormal = 0, kGrab = 1, kUngrab = 2, kWhileGrabbed = 3 };
enum : std::uint8_t {
    kAncestor = 0,
    kInferior = 2,
    kNonlinear = 3,
    kPointer = 5,
    kPointerRoot = 6
};

TEST(X11WindowTest, OnlyFocusAndPointerTakenByAGrabCountAsGrabLoss) {
    const struct {
        std::uint8_t type;
        std::uint8_t mode;
        std::uint8_t detail;
        bool lost;
    } cases[] = {
        {XCB_FOCUS_OUT, kGrab, kNonlinear, true},
        {XCB_FOCUS_OUT, kWhileGrabbed, kAncestor, true},
        {XCB_FOCUS_OUT, kNormal, kNonlinear, false},
        {XCB_FOCUS_OUT, kUngrab, kNonlinear, false},
        {XCB_FOCUS_OUT, kGrab, kInferior, false},
        // Focus following the pointer: the program's own keyboard grab sends these.
        {XCB_FOCUS_OUT, kGrab, kPointer, false},
        {XCB_FOCUS_OUT, kGrab, kPointerRoot, false},
        {XCB_LEAVE_NOTIFY, kGrab, kAncestor, true},
        {XCB_LEAVE_NOTIFY, kNormal, kAncestor, false},
        {XCB_LEAVE_NOTIFY, kWhileGrabbed, kAncestor, false},
        {XCB_LEAVE_NOTIFY, kGrab, kInferior, false},
        {XCB_FOCUS_IN, kGrab, kNonlinear, false},
        {XCB_ENTER_NOTIFY, kGrab, kAncestor, false},
    };
    for (const auto& c : cases) {
        xcb_focus_out_event_t focus{};
        xcb_leave_notify_event_t leave{};
        const void* message = &leave;
        if (c.type == XCB_FOCUS_OUT || c.type == XCB_FOCUS_IN) {
            focus = {c.type, c.detail, 0, 0, c.mode, {}};
            message = &focus;
        } else {
            leave.response_type = c.type;
            leave.detail = c.detail;
            leave.mode = c.mode;
        }
        EXPECT_EQ(IsGrabLossEvent("xcb_generic_event_t", message), c.lost)
            << int(c.type) << " mode " << int(c.mode) << " detail " << int(c.detail);
    }
    xcb_leave_notify_event_t leave{};
    leave.response_type = XCB_LEAVE_NOTIFY;
    leave.mode = kGrab;
    EXPECT_FALSE(IsGrabLossEvent("windows_generic_MSG", &leave));
    EXPECT_FALSE(IsGrabLossEvent("xcb_generic_event_t", nullptr));
}

}  // namespace
}  // namespace nl
