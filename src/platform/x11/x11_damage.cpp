#include "platform/x11/x11_damage.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <QGuiApplication>
#include <QSocketNotifier>
#include <cstdlib>

#include "platform/x11/xcb_support.h"

// Xlib last: its macros (Status, Bool, None) would clash with the headers above.
#include <X11/Xlib.h>

namespace nl::x11 {
namespace {

// The extension versions whose requests are used: Damage 1.1 (Subtract with a region) and
// XFixes 2.0 (regions).
constexpr std::uint32_t kDamageMajor = 1;
constexpr std::uint32_t kDamageMinor = 1;
constexpr std::uint32_t kXFixesMajor = 2;
constexpr std::uint32_t kXFixesMinor = 0;
// The bit of an event's type that marks it as sent by a client.
constexpr std::uint8_t kSentEventBit = 0x80;
// The root's events that tell of window changes (its own size among them).
constexpr std::uint32_t kRootEvents = XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                                      XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY |
                                      XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_FOCUS_CHANGE;

bool IsWindowChange(std::uint8_t type) {
    switch (type) {
        case XCB_CREATE_NOTIFY:
        case XCB_DESTROY_NOTIFY:
        case XCB_MAP_NOTIFY:
        case XCB_UNMAP_NOTIFY:
        case XCB_REPARENT_NOTIFY:
        case XCB_CONFIGURE_NOTIFY:
        case XCB_GRAVITY_NOTIFY:
        case XCB_CIRCULATE_NOTIFY:
        case XCB_PROPERTY_NOTIFY:
        case XCB_FOCUS_IN:
        case XCB_FOCUS_OUT:
            return true;
        default:
            return false;
    }
}

}  // namespace

struct CX11Damage::Link {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = XCB_NONE;
    xcb_damage_damage_t damage = XCB_NONE;
    xcb_xfixes_region_t region = XCB_NONE;  // reused to clear one watched area
    std::uint8_t damageNotify = 0;          // the type of the Damage extension's event
    std::unique_ptr<QSocketNotifier> notifier;

    ~Link() {
        notifier.reset();
        if (connection) xcb_disconnect(connection);
    }
};

CX11Damage::CX11Damage() = default;
CX11Damage::~CX11Damage() = default;

bool CX11Damage::Open() {
    // Only where Qt's event loop runs: it reads the events while nobody asks.
    Display* qtDisplay = qGuiApp ? QtDisplay() : nullptr;
    if (!qtDisplay) return false;
    auto link = std::make_unique<Link>();
    int screen = 0;
    link->connection = xcb_connect(DisplayString(qtDisplay), &screen);
    xcb_connection_t* c = link->connection;
    if (xcb_connection_has_error(c)) return false;
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(c, &xcb_damage_id);
    const xcb_query_extension_reply_t* fixes = xcb_get_extension_data(c, &xcb_xfixes_id);
    if (!damage || !damage->present || !fixes || !fixes->present) return false;
    const auto damageVersion = xcb_damage_query_version(c, kDamageMajor, kDamageMinor);
    const auto fixesVersion = xcb_xfixes_query_version(c, kXFixesMajor, kXFixesMinor);
    XcbPtr<xcb_damage_query_version_reply_t> dv(
        xcb_damage_query_version_reply(c, damageVersion, nullptr));
    XcbPtr<xcb_xfixes_query_version_reply_t> fv(
        xcb_xfixes_query_version_reply(c, fixesVersion, nullptr));
    if (!dv || !fv || dv->major_version < kDamageMajor ||
        (dv->major_version == kDamageMajor && dv->minor_version < kDamageMinor) ||
        fv->major_version < kXFixesMajor)
        return false;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screen && it.rem; ++i) xcb_screen_next(&it);
    if (!it.rem) return false;
    link->root = it.data->root;
    link->damageNotify = damage->first_event + XCB_DAMAGE_NOTIFY;
    link->damage = xcb_generate_id(c);
    xcb_damage_create(c, link->damage, link->root, XCB_DAMAGE_REPORT_LEVEL_DELTA_RECTANGLES);
    link->region = xcb_generate_id(c);
    xcb_xfixes_create_region(c, link->region, 0, nullptr);
    xcb_change_window_attributes(c, link->root, XCB_CW_EVENT_MASK, &kRootEvents);
    // Everything is dirty at first; areas are cleared one by one as they are read.
    xcb_damage_subtract(c, link->damage, XCB_NONE, XCB_NONE);
    Sync(c);
    if (xcb_connection_has_error(c)) return false;
    link->notifier =
        std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(c), QSocketNotifier::Read);
    QObject::connect(link->notifier.get(), &QSocketNotifier::activated, [this] { ReadEvents(); });
    m_link = std::move(link);
    return true;
}

void CX11Damage::ReadEvents() {
    if (!m_link) return;
    xcb_connection_t* c = m_link->connection;
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
        const std::uint8_t type = event->response_type & ~kSentEventBit;
        if (type == m_link->damageNotify) {
            const auto* notify = reinterpret_cast<const xcb_damage_notify_event_t*>(event);
            const xcb_rectangle_t& a = notify->area;
            m_changes.Damaged({a.x, a.y, a.x + a.width, a.y + a.height});
        } else if (IsWindowChange(type)) {
            m_changes.WindowsChanged();
        }
        std::free(event);
    }
    if (xcb_connection_has_error(c)) m_link.reset();  // the server went away: track nothing
}

void CX11Damage::Watch(xcb_window_t window) {
    EnsureOpen();
    if (!m_link || window == XCB_NONE || window == m_link->root || m_watched.contains(window))
        return;
    xcb_connection_t* c = m_link->connection;
    if (m_watched.size() >= kMaxWatched) {
        // Windows that are gone answer with an error event, which ReadEvents passes over.
        constexpr std::uint32_t kNothing = 0;
        for (const xcb_window_t w : m_watched)
            xcb_change_window_attributes(c, w, XCB_CW_EVENT_MASK, &kNothing);
        m_watched.clear();
    }
    // Sent ahead of the questions that follow on this connection, so their answers already
    // hold every change the events will report.
    constexpr std::uint32_t kWindowEvents =
        XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &kWindowEvents);
    m_watched.insert(window);
}

void CX11Damage::EnsureOpen() {
    if (m_tried) return;
    m_tried = true;
    Open();
}

xcb_connection_t* CX11Damage::QueryConnection::Connection() const {
    m_owner.EnsureOpen();
    return m_owner.m_link ? m_owner.m_link->connection : nullptr;
}

xcb_window_t CX11Damage::QueryConnection::Root() const {
    m_owner.EnsureOpen();
    return m_owner.m_link ? m_owner.m_link->root : XCB_NONE;
}

_XDisplay* CX11Damage::QueryConnection::Display() const {
    // Xlib serves only text conversions and extensions this connection is not asked for.
    return QtDisplay();
}

std::uint64_t CX11Damage::ChangeCount(const Rect& area) {
    EnsureOpen();
    ReadEvents();
    if (!m_link) {
        // Nothing tracked: a new count every time.
        m_changes.WindowsChanged();
        return m_changes.Read(area).count;
    }
    const CScreenChanges::Reading reading = m_changes.Read(area);
    if (reading.rearm) {
        // Clears the area's damage, so that the next drawing there is reported. The server
        // must have cleared it before the caller's own connection reads the pixels: wait.
        xcb_connection_t* c = m_link->connection;
        const xcb_rectangle_t r{
            static_cast<std::int16_t>(area.left), static_cast<std::int16_t>(area.top),
            static_cast<std::uint16_t>(area.Width()), static_cast<std::uint16_t>(area.Height())};
        xcb_xfixes_set_region(c, m_link->region, 1, &r);
        xcb_damage_subtract(c, m_link->damage, m_link->region, XCB_NONE);
        Sync(c);
    }
    return reading.count;
}

}  // namespace nl::x11
