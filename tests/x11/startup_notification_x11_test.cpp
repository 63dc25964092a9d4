// The startup-notification "remove" message as a launcher on the X server receives it: the
// pieces on the root window, from the program's window, joined back into the message.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QWindow>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/qt/x11_window.h"
#include "x11_test_support.h"

namespace nl {
namespace {

using Reply = std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)>;

xcb_atom_t AtomOf(xcb_connection_t* connection, const std::string& name) {
    const Reply reply(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
            nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

TEST(StartupNotificationX11Test, TheLauncherReadsTheRemoveMessageFromTheRootWindow) {
    // The launcher's side: its own connection, listening on the root window.
    xcb_connection_t* launcher = xcb_connect(nullptr, nullptr);
    ASSERT_EQ(xcb_connection_has_error(launcher), 0);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(launcher)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(launcher, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t begin = AtomOf(launcher, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = AtomOf(launcher, "_NET_STARTUP_INFO");
    xcb_flush(launcher);

    QWindow window;
    window.create();
    // Long enough for three pieces, with a space that must be quoted.
    const std::string id = "desk 1-nerimlens-42_TIME1234";
    FinishStartupNotification(static_cast<WindowId>(window.winId()), id);

    std::string message;
    bool sawBegin = false;
    const bool ended = test::WaitFor([&] {
        while (xcb_generic_event_t* event = xcb_poll_for_event(launcher)) {
            if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE) {
                const auto* client = reinterpret_cast<xcb_client_message_event_t*>(event);
                EXPECT_EQ(client->window, static_cast<xcb_window_t>(window.winId()));
                EXPECT_EQ(client->format, 8);
                EXPECT_EQ(client->type, message.empty() ? begin : more);
                sawBegin = sawBegin || client->type == begin;
                message.append(reinterpret_cast<const char*>(client->data.data8), 20);
            }
            std::free(event);
        }
        return message.find('\0') != std::string::npos;
    });
    xcb_disconnect(launcher);
    ASSERT_TRUE(ended) << message;
    EXPECT_TRUE(sawBegin);
    EXPECT_EQ(message.substr(0, message.find('\0')), "remove: ID=\"" + id + "\"");
}

}  // namespace
}  // namespace nl
