// Takes the pointer (or with "keyboard" the keyboard) from whoever holds it, as another
// program would: grabs it on the root window for the given milliseconds, then lets go.
// Prints "grabbed" once the server granted the grab; exits 1 when it refused.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

int main(int argc, char** argv) {
    const bool keyboard = argc > 1 && std::strcmp(argv[1], "keyboard") == 0;
    const int holdMs = argc > 2 ? std::atoi(argv[2]) : 1000;
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) return 2;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    std::uint8_t status = XCB_GRAB_STATUS_FROZEN;
    if (keyboard) {
        auto* r =
            xcb_grab_keyboard_reply(c,
                                    xcb_grab_keyboard(c, 0, root, XCB_CURRENT_TIME,
                                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                    nullptr);
        if (r) status = r->status;
        std::free(r);
    } else {
        auto* r = xcb_grab_pointer_reply(
            c,
            xcb_grab_pointer(c, 0, root, XCB_EVENT_MASK_BUTTON_PRESS, XCB_GRAB_MODE_ASYNC,
                             XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
            nullptr);
        if (r) status = r->status;
        std::free(r);
    }
    if (status != XCB_GRAB_STATUS_SUCCESS) return 1;
    std::puts("grabbed");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
    xcb_disconnect(c);
    return 0;
}
