#include "platform/xcb/CXcbClipboardReader.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>

#include "platform/xcb/xcb_support.h"

namespace nl::x11 {

namespace {

// Requestor windows kept alive after retiring: an owner still writing to one gets no error.
constexpr std::size_t kRetiredWindowsKept = 8;
// The property the owner writes the answers to.
constexpr std::string_view kPropertyName = "NL_CLIPBOARD_READ";
// Every part of a transfer in parts at once: get_property's length is in 32-bit units.
constexpr std::uint32_t kWholeProperty = std::numeric_limits<std::uint32_t>::max() / 4;

int ResponseType(const xcb_generic_event_t* event) {
    return event->response_type & ~0x80;
}

// The bytes of a property value.
std::size_t ValueBytes(const xcb_get_property_reply_t* reply) {
    return static_cast<std::size_t>(xcb_get_property_value_length(reply));
}

XcbPtr<xcb_get_property_reply_t> GetProperty(xcb_connection_t* c, bool remove, xcb_window_t window,
                                             xcb_atom_t property, std::uint32_t length32) {
    return XcbPtr<xcb_get_property_reply_t>(xcb_get_property_reply(
        c, xcb_get_property(c, remove ? 1 : 0, window, property, XCB_ATOM_ANY, 0, length32),
        nullptr));
}

}  // namespace

std::unique_ptr<CXcbClipboardReader> CXcbClipboardReader::Open(
    const char* display, std::chrono::milliseconds timeLimit) {
    int screen = 0;
    xcb_connection_t* c = xcb_connect(display, &screen);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return nullptr;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screen && it.rem > 0; ++i) xcb_screen_next(&it);
    int wake[2];
    if (it.rem == 0 || pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0) {
        xcb_disconnect(c);
        return nullptr;
    }
    return std::unique_ptr<CXcbClipboardReader>(
        new CXcbClipboardReader(c, it.data->root, timeLimit, wake));
}

CXcbClipboardReader::CXcbClipboardReader(xcb_connection_t* c, xcb_window_t root,
                                         std::chrono::milliseconds timeLimit, int wake[2])
    : m_c(c), m_root(root), m_timeLimit(timeLimit), m_wake{wake[0], wake[1]} {
    m_clipboard = Intern("CLIPBOARD");
    m_targets = Intern("TARGETS");
    m_incr = Intern("INCR");
    m_property = Intern(std::string(kPropertyName));
    RetireWindow();  // makes the first window
    m_worker = std::thread([this] { Run(); });
}

CXcbClipboardReader::~CXcbClipboardReader() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    [[maybe_unused]] const auto written = write(m_wake[1], "x", 1);
    m_worker.join();
    xcb_disconnect(m_c);
    close(m_wake[0]);
    close(m_wake[1]);
}

void CXcbClipboardReader::RequestFormatNames(IClipboard::NamesDone done) {
    const std::lock_guard lock(m_mutex);
    m_queue.push_back({{}, 0, std::move(done), {}, m_generation});
    m_changed.notify_all();
}

void CXcbClipboardReader::RequestData(const std::string& name, std::size_t maxBytes,
                                      IClipboard::ReadDone done) {
    const std::lock_guard lock(m_mutex);
    m_queue.push_back({name, maxBytes, {}, std::move(done), m_generation});
    m_changed.notify_all();
}

void CXcbClipboardReader::Cancel() {
    {
        const std::lock_guard lock(m_mutex);
        m_queue.clear();
        ++m_generation;
    }
    // Wakes a wait for the owner, which then gives up.
    [[maybe_unused]] const auto written = write(m_wake[1], "x", 1);
}

bool CXcbClipboardReader::GivenUp(const Request& request) const {
    const std::lock_guard lock(m_mutex);
    return m_stop || request.generation != m_generation;
}

void CXcbClipboardReader::Run() {
    for (;;) {
        Request request;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stop || !m_queue.empty(); });
            if (m_stop) return;
            request = std::move(m_queue.front());
            m_queue.pop_front();
        }
        // Whatever arrived while idle answers nothing asked now.
        while (XcbPtr<xcb_generic_event_t> stale{xcb_poll_for_event(m_c)}) {
        }
        Serve(request);
    }
}

void CXcbClipboardReader::Serve(const Request& request) {
    if (request.names) {
        std::optional<std::vector<std::string>> names = ReadTargets(request);
        if (!GivenUp(request)) request.names(std::move(names));
    } else {
        ClipboardRead read = ReadTarget(request);
        if (!GivenUp(request)) request.read(std::move(read));
    }
}

xcb_atom_t CXcbClipboardReader::Intern(const std::string& name) {
    XcbPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        m_c, xcb_intern_atom(m_c, 0, static_cast<std::uint16_t>(name.size()), name.data()),
        nullptr));
    return reply ? reply->atom : XCB_NONE;
}

void CXcbClipboardReader::RetireWindow() {
    if (m_window != XCB_NONE) m_retired.push_back(m_window);
    while (m_retired.size() > kRetiredWindowsKept) {
        xcb_destroy_window(m_c, m_retired.front());
        m_retired.pop_front();
    }
    m_window = xcb_generate_id(m_c);
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window, m_root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    xcb_flush(m_c);
}

template <class Accept>
CXcbClipboardReader::Wait CXcbClipboardReader::WaitFor(const Request& request, Accept arrived) {
    const auto deadline = std::chrono::steady_clock::now() + m_timeLimit;
    for (;;) {
        while (XcbPtr<xcb_generic_event_t> event{xcb_poll_for_event(m_c)})
            if (arrived(event.get())) return Wait::kArrived;
        if (GivenUp(request)) return Wait::kGivenUp;
        if (xcb_connection_has_error(m_c)) return Wait::kTimedOut;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return Wait::kTimedOut;
        pollfd fds[2] = {{xcb_get_file_descriptor(m_c), POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        poll(fds, 2, static_cast<int>(left.count()) + 1);
        char drain[64];
        while (read(m_wake[0], drain, sizeof drain) > 0) {
        }
    }
}

CXcbClipboardReader::Wait CXcbClipboardReader::Convert(xcb_atom_t target, const Request& request,
                                                       xcb_atom_t* property) {
    *property = XCB_NONE;
    XcbPtr<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(m_c, xcb_get_selection_owner(m_c, m_clipboard), nullptr));
    if (!owner || owner->owner == XCB_NONE || target == XCB_NONE) return Wait::kArrived;
    xcb_delete_property(m_c, m_window, m_property);
    xcb_convert_selection(m_c, m_window, m_clipboard, target, m_property, XCB_CURRENT_TIME);
    xcb_flush(m_c);
    const Wait wait = WaitFor(request, [&](const xcb_generic_event_t* event) {
        if (ResponseType(event) != XCB_SELECTION_NOTIFY) return false;
        const auto* notify = reinterpret_cast<const xcb_selection_notify_event_t*>(event);
        if (notify->requestor != m_window || notify->selection != m_clipboard ||
            notify->target != target)
            return false;
        *property = notify->property;
        return true;
    });
    // The owner may still answer into this window.
    if (wait != Wait::kArrived) RetireWindow();
    return wait;
}

CXcbClipboardReader::Wait CXcbClipboardReader::NextPart(const Request& request) {
    return WaitFor(request, [&](const xcb_generic_event_t* event) {
        if (ResponseType(event) != XCB_PROPERTY_NOTIFY) return false;
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        return notify->window == m_window && notify->atom == m_property &&
               notify->state == XCB_PROPERTY_NEW_VALUE;
    });
}

std::optional<std::vector<std::string>> CXcbClipboardReader::ReadTargets(const Request& request) {
    xcb_atom_t property = XCB_NONE;
    if (Convert(m_targets, request, &property) != Wait::kArrived) return std::nullopt;
    std::vector<std::string> names;
    if (property == XCB_NONE) return names;
    const auto reply = GetProperty(m_c, true, m_window, property, kMaxTargets);
    if (!reply || reply->format != 32 || reply->type == m_incr) return names;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const std::size_t count = std::min<std::size_t>(reply->value_len, kMaxTargets);
    // Every name asked for before the first answer is read: one round trip for all.
    std::vector<xcb_get_atom_name_cookie_t> cookies;
    for (std::size_t i = 0; i < count; ++i)
        if (atoms[i] != XCB_NONE) cookies.push_back(xcb_get_atom_name(m_c, atoms[i]));
    for (const xcb_get_atom_name_cookie_t cookie : cookies) {
        XcbPtr<xcb_get_atom_name_reply_t> name(xcb_get_atom_name_reply(m_c, cookie, nullptr));
        if (!name) continue;
        std::string text(xcb_get_atom_name_name(name.get()),
                         static_cast<std::size_t>(xcb_get_atom_name_name_length(name.get())));
        if (std::find(names.begin(), names.end(), text) == names.end())
            names.push_back(std::move(text));
    }
    return names;
}

ClipboardRead CXcbClipboardReader::ReadTarget(const Request& request) {
    xcb_atom_t property = XCB_NONE;
    const Wait wait = Convert(Intern(request.target), request, &property);
    if (wait == Wait::kTimedOut) return {ClipboardReadStatus::kTimedOut, 0, {}};
    if (wait == Wait::kGivenUp || property == XCB_NONE) return {};
    // The type and length first, without the data.
    const auto head = GetProperty(m_c, false, m_window, property, 0);
    if (!head || head->type == XCB_NONE) return {};
    ClipboardRead read{ClipboardReadStatus::kDone, 0, {}};
    const std::size_t limit = request.maxBytes;
    if (head->type != m_incr) {
        read.size = head->bytes_after;
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(read.size, limit));
        if (wanted > 0) {
            const auto data = GetProperty(m_c, false, m_window, property,
                                          static_cast<std::uint32_t>((wanted + 3) / 4));
            if (data) {
                const std::size_t bytes = std::min(wanted, ValueBytes(data.get()));
                const auto* value =
                    static_cast<const std::uint8_t*>(xcb_get_property_value(data.get()));
                read.bytes.assign(value, value + bytes);
            }
        }
        if (read.size > limit) read.status = ClipboardReadStatus::kCut;
        xcb_delete_property(m_c, m_window, property);
        xcb_flush(m_c);
        return read;
    }

    // A transfer in parts: the owner announced at least this many bytes.
    const auto announced = GetProperty(m_c, false, m_window, property, 1);
    if (announced && announced->value_len >= 1 && announced->format == 32)
        read.size = *static_cast<const std::uint32_t*>(xcb_get_property_value(announced.get()));
    if (limit == 0) {
        // The size is enough: the transfer is never started, and the owner that waits for it
        // keeps the retired window.
        read.status = read.size == 0 ? ClipboardReadStatus::kDone : ClipboardReadStatus::kCut;
        RetireWindow();
        return read;
    }
    xcb_delete_property(m_c, m_window, property);  // asks for the first part
    xcb_flush(m_c);
    // Room for all of the transfer, so that a large one is not copied as it grows (which
    // for a while holds it twice). Owners often announce nothing: then room for the most
    // asked for, which costs address space only until the parts fill it.
    read.bytes.reserve(read.size == 0
                           ? limit
                           : static_cast<std::size_t>(std::min<std::uint64_t>(read.size, limit)));
    std::uint64_t received = 0;
    for (;;) {
        const Wait part = NextPart(request);
        if (part != Wait::kArrived) {
            RetireWindow();
            if (part == Wait::kTimedOut) return {ClipboardReadStatus::kTimedOut, 0, {}};
            return {};
        }
        // Reading the part deletes it, which asks for the next.
        const auto data = GetProperty(m_c, true, m_window, property, kWholeProperty);
        xcb_flush(m_c);
        const std::size_t bytes = data ? ValueBytes(data.get()) : 0;
        if (bytes == 0) {
            read.size = received;
            return read;
        }
        received += bytes;
        const auto* value = static_cast<const std::uint8_t*>(xcb_get_property_value(data.get()));
        read.bytes.insert(read.bytes.end(), value,
                          value + std::min(bytes, limit - read.bytes.size()));
        if (received > limit) {
            read.status = ClipboardReadStatus::kCut;
            read.size = std::max<std::uint64_t>(read.size, received);
            RetireWindow();
            return read;
        }
    }
}

}  // namespace nl::x11
