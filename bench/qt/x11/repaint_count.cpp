// Counts the repaints of a program's windows from outside, the same way for any program: the
// X server's damage reports on the given windows, where reports less than kSameFrameMs apart
// belong to one repaint (a flush that puts several rectangles). Runs until SIGINT or SIGTERM,
// then prints the number of repaints. Used by magnifier_cpu.sh to divide each program's
// processor time by its own repaints.
//
// Usage: nerimlens_repaint_count WINDOW...   (window ids in decimal or 0x hex)
#include <poll.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr long kSameFrameMs = 15;
constexpr int kPollMs = 100;
volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) {
    g_stop = 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s WINDOW...\n", argv[0]);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection, &xcb_damage_id);
    if (extension == nullptr || extension->present == 0) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 1;
    }
    std::free(xcb_damage_query_version_reply(
        connection,
        xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    for (int i = 1; i < argc; ++i) {
        const auto window = static_cast<xcb_window_t>(std::strtoul(argv[i], nullptr, 0));
        xcb_damage_create(connection, xcb_generate_id(connection), window,
                          XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    }
    xcb_flush(connection);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);

    using Clock = std::chrono::steady_clock;
    long repaints = 0;
    Clock::time_point last{};
    pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (g_stop == 0) {
        if (poll(&fd, 1, kPollMs) < 0) continue;
        while (std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event{
            xcb_poll_for_event(connection), &std::free}) {
            if ((event->response_type & 0x7f) != extension->first_event + XCB_DAMAGE_NOTIFY)
                continue;
            const Clock::time_point now = Clock::now();
            if (now - last > std::chrono::milliseconds(kSameFrameMs)) ++repaints;
            last = now;
        }
        if (xcb_connection_has_error(connection)) break;
    }
    std::printf("%ld\n", repaints);
    xcb_disconnect(connection);
    return 0;
}
