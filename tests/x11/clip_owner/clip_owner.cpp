#include "clip_owner.h"

#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace nl::test {

namespace {

xcb_atom_t Intern(xcb_connection_t* c, const std::string& name) {
    auto* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return atom;
}

std::vector<std::uint8_t> Data(std::size_t from, std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = ClipOwnerByte(from + i);
    return bytes;
}

}  // namespace

ClipOwner::ClipOwner(ClipOwnerSetup setup) : m_setup(setup) {
    m_c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_c)) return;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
    m_window = xcb_generate_id(m_c);
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    m_clipboard = Intern(m_c, "CLIPBOARD");
    m_targets = Intern(m_c, "TARGETS");
    m_incr = Intern(m_c, "INCR");
    m_offered = {m_targets, Intern(m_c, "UTF8_STRING")};
    for (int i = 0; i < setup.types; ++i)
        m_offered.push_back(Intern(m_c, "application/x-type-" + std::to_string(i)));
    xcb_set_selection_owner(m_c, m_window, m_clipboard, XCB_CURRENT_TIME);
    auto* owner =
        xcb_get_selection_owner_reply(m_c, xcb_get_selection_owner(m_c, m_clipboard), nullptr);
    m_owning = owner && owner->owner == m_window;
    std::free(owner);
    m_thread = std::thread([this] { Serve(); });
}

ClipOwner::~ClipOwner() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    if (m_c) xcb_disconnect(m_c);
}

void ClipOwner::Serve() {
    while (!m_stop) {
        pollfd fd{xcb_get_file_descriptor(m_c), POLLIN, 0};
        poll(&fd, 1, 50);
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_c)) {
            const int type = event->response_type & ~0x80;
            if (type == XCB_SELECTION_REQUEST) {
                Answer(*reinterpret_cast<xcb_selection_request_event_t*>(event));
            } else if (type == XCB_SELECTION_CLEAR) {
                m_owning = false;
            } else if (type == XCB_PROPERTY_NOTIFY) {
                const auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
                if (m_transfer.active && notify->window == m_transfer.requestor &&
                    notify->atom == m_transfer.property && notify->state == XCB_PROPERTY_DELETE)
                    SendPart();
            }
            std::free(event);
        }
        if (xcb_connection_has_error(m_c)) return;
    }
}

void ClipOwner::Answer(const xcb_selection_request_event_t& request) {
    xcb_atom_t property = request.property == XCB_NONE ? request.target : request.property;
    const bool offered =
        std::find(m_offered.begin(), m_offered.end(), request.target) != m_offered.end();
    if (request.target == m_targets) {
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_ATOM,
                            32, static_cast<std::uint32_t>(m_offered.size()), m_offered.data());
    } else {
        ++m_dataRequests;
        if (!m_setup.answerData) return;  // never answers
        if (!offered) {
            property = XCB_NONE;
        } else if (m_setup.partBytes == 0 || m_setup.dataBytes <= m_setup.partBytes) {
            const std::vector<std::uint8_t> bytes = Data(0, m_setup.dataBytes);
            xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, request.requestor, property,
                                request.target, 8, static_cast<std::uint32_t>(bytes.size()),
                                bytes.data());
        } else {
            // In parts: announced, then each part after the requestor deleted the last.
            const std::uint32_t size = static_cast<std::uint32_t>(m_setup.dataBytes);
            const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
            xcb_change_window_attributes(m_c, request.requestor, XCB_CW_EVENT_MASK, &events);
            xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, request.requestor, property, m_incr, 32,
                                1, &size);
            m_transfer = {request.requestor, property, request.target, 0, true};
        }
    }
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = property;
    xcb_send_event(m_c, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    xcb_flush(m_c);
}

void ClipOwner::SendPart() {
    const std::size_t count = std::min(m_setup.partBytes, m_setup.dataBytes - m_transfer.sent);
    const std::vector<std::uint8_t> bytes = Data(m_transfer.sent, count);
    xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_transfer.requestor, m_transfer.property,
                        m_transfer.type, 8, static_cast<std::uint32_t>(count), bytes.data());
    xcb_flush(m_c);
    m_transfer.sent += count;
    if (count == 0) m_transfer.active = false;  // the empty part ends the transfer
}

}  // namespace nl::test
