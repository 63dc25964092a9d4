// A helper of the end-to-end tests.
//   nerimlens_clip_owner serve TYPES  owns the clipboard, answers TARGETS with TYPES types and
//                                     never the data requests; ends on SIGTERM or when another
//                                     client takes the clipboard.
//   nerimlens_clip_owner ping WINDOW ROUNDS LIMIT_MS
//                                     sends WINDOW a _NET_WM_PING each round and waits up to
//                                     LIMIT_MS for its answer; prints each round and fails
//                                     (exit 1) when a round went unanswered.
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "clip_owner.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

xcb_atom_t Intern(xcb_connection_t* c, const char* name) {
    auto* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return atom;
}

int Serve(int types) {
    std::signal(SIGTERM, [](int) { g_stop = 1; });
    nl::test::ClipOwner owner({types, false, 0, 0});
    if (!owner.Owning()) {
        std::fprintf(stderr, "cannot own the clipboard\n");
        return 2;
    }
    std::printf("owning the clipboard with %d types\n", types);
    std::fflush(stdout);
    while (!g_stop && owner.Owning()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::printf("%d data requests left unanswered\n", owner.DataRequests());
    return 0;
}

// Whether the window answered ping `serial` within `limitMs`.
bool Ping(xcb_connection_t* c, xcb_window_t root, xcb_window_t window, std::uint32_t serial,
          int limitMs, xcb_atom_t protocols, xcb_atom_t ping) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = protocols;
    message.data.data32[0] = ping;
    message.data.data32[1] = serial;
    message.data.data32[2] = window;
    xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(c);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            bool answer = false;
            if ((event->response_type & ~0x80) == XCB_CLIENT_MESSAGE) {
                const auto* reply = reinterpret_cast<xcb_client_message_event_t*>(event);
                answer = reply->window == root && reply->data.data32[0] == ping &&
                         reply->data.data32[1] == serial;
            }
            std::free(event);
            if (answer) return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || xcb_connection_has_error(c)) return false;
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()) + 1);
    }
}

int PingRounds(xcb_window_t window, int rounds, int limitMs) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) return 2;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    // The program forwards the ping to the root window for the window manager to see (Qt
    // sends it for the root's structure or substructure).
    const std::uint32_t events =
        XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &events);
    const xcb_atom_t protocols = Intern(c, "WM_PROTOCOLS");
    const xcb_atom_t ping = Intern(c, "_NET_WM_PING");
    int missed = 0;
    for (int round = 1; round <= rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const bool answered =
            Ping(c, root, window, static_cast<std::uint32_t>(round), limitMs, protocols, ping);
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now() - start)
                              .count();
        if (answered)
            std::printf("round %d: answered in %lld ms\n", round, static_cast<long long>(took));
        else
            std::printf("round %d: no answer within %d ms\n", round, limitMs);
        missed += answered ? 0 : 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    std::fflush(stdout);
    xcb_disconnect(c);
    return missed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "serve") == 0) return Serve(std::atoi(argv[2]));
    if (argc == 5 && std::strcmp(argv[1], "ping") == 0)
        return PingRounds(static_cast<xcb_window_t>(std::strtoul(argv[2], nullptr, 0)),
                          std::atoi(argv[3]), std::atoi(argv[4]));
    std::fprintf(stderr, "usage: %s serve TYPES | ping WINDOW ROUNDS LIMIT_MS\n", argv[0]);
    return 2;
}
