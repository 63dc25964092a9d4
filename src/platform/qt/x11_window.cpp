#include "platform/qt/x11_window.h"

#include <xcb/xcb.h>

#include <QByteArray>
#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/startup_notification.h"

namespace nl {
namespace {

// Crossing and focus modes of the X protocol (the same numbers in XInput 2).
constexpr std::uint8_t kNotifyGrab = 1;
constexpr std::uint8_t kNotifyWhileGrabbed = 3;
constexpr std::uint8_t kNotifyInferior = 2;
// Details at or above this one concern the window under the pointer while focus follows
// the pointer, not the window itself (NotifyPointer, NotifyPointerRoot, NotifyDetailNone):
// the program's own keyboard grab sends such a FocusOut to the overlay under the pointer.
constexpr std::uint8_t kNotifyPointer = 5;
// XInput 2's leave event and where its mode and detail bytes lie.
constexpr std::uint16_t kXiLeave = 8;
constexpr std::size_t kXiCrossingMode = 18;
constexpr std::size_t kXiCrossingDetail = 19;
constexpr std::uint8_t kEventTypeMask = 0x7F;  // without the "sent by a client" bit

// The screen whose compositor counts: Qt opens one X screen per display, the first.
constexpr int kDefaultScreen = 0;
// _NET_ACTIVE_WINDOW's source indication for a request a user made through another program
// (the value pagers and task bars send), which window managers do not refuse as focus
// stealing.
constexpr std::uint32_t kActivationFromUser = 2;
constexpr std::uint8_t kFormat32 = 32;

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The atom named `name`, XCB_ATOM_NONE when the server does not answer.
xcb_atom_t Atom(xcb_connection_t* connection, const std::string& name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str());
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The major opcode of XInput on `connection`, 0 where the server lacks it; asked once.
std::uint8_t XInputOpcode(xcb_connection_t* connection) {
    static xcb_connection_t* asked = nullptr;
    static std::uint8_t opcode = 0;
    if (connection == asked) return opcode;
    static constexpr char kName[] = "XInputExtension";
    const std::unique_ptr<xcb_query_extension_reply_t, decltype(&std::free)> reply(
        xcb_query_extension_reply(
            connection, xcb_query_extension(connection, sizeof kName - 1, kName), nullptr),
        &std::free);
    asked = connection;
    opcode = reply && reply->present ? reply->major_opcode : 0;
    return opcode;
}

// Whether the window manager lists `atom` in _NET_SUPPORTED on `root`; false where no window
// manager runs.
bool SupportedByWindowManager(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t atom) {
    constexpr std::uint32_t kMaxAtoms = 1024;
    const xcb_atom_t supported = Atom(connection, "_NET_SUPPORTED");
    if (supported == XCB_ATOM_NONE) return false;
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, root, supported, XCB_ATOM_ATOM, 0, kMaxAtoms), nullptr),
        &std::free);
    if (!reply || reply->format != kFormat32) return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count =
        xcb_get_property_value_length(reply.get()) / static_cast<int>(sizeof(xcb_atom_t));
    return std::find(atoms, atoms + count, atom) != atoms + count;
}

}  // namespace

bool IsGrabLossEvent(const QByteArray& eventType, const void* message) {
    if (eventType != "xcb_generic_event_t" || !message) return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & kEventTypeMask) {
        case XCB_FOCUS_OUT: {
            const auto* focus = static_cast<const xcb_focus_out_event_t*>(message);
            return focus->detail != kNotifyInferior && focus->detail < kNotifyPointer &&
                   (focus->mode == kNotifyGrab || focus->mode == kNotifyWhileGrabbed);
        }
        case XCB_LEAVE_NOTIFY: {
            const auto* leave = static_cast<const xcb_leave_notify_event_t*>(message);
            return leave->detail != kNotifyInferior && leave->mode == kNotifyGrab;
        }
        case XCB_GE_GENERIC: {
            const auto* generic = static_cast<const xcb_ge_generic_event_t*>(message);
            xcb_connection_t* connection = Connection();
            if (!connection || generic->event_type != kXiLeave) return false;
            const std::uint8_t opcode = XInputOpcode(connection);
            const auto* bytes = static_cast<const std::uint8_t*>(message);
            return opcode != 0 && generic->extension == opcode &&
                   bytes[kXiCrossingDetail] != kNotifyInferior &&
                   bytes[kXiCrossingMode] == kNotifyGrab;
        }
        default:
            return false;
    }
}

bool CX11WindowSystem::IsGrabLoss(std::string_view eventType, const void* message) const {
    // Asked for every native event: the type is looked at where it lies, not copied.
    return IsGrabLossEvent(
        QByteArray::fromRawData(eventType.data(), static_cast<qsizetype>(eventType.size())),
        message);
}

bool CompositorRunning() {
    xcb_connection_t* connection = Connection();
    if (!connection) return false;
    const xcb_atom_t selection = Atom(connection, "_NET_WM_CM_S" + std::to_string(kDefaultScreen));
    if (selection == XCB_ATOM_NONE) return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> reply(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection),
                                      nullptr),
        &std::free);
    return reply && reply->owner != XCB_WINDOW_NONE;
}

void SetWindowClass(WindowId window, const std::string& instance, const std::string& className) {
    xcb_connection_t* connection = Connection();
    if (!connection || window == kNoWindow) return;
    // Both names with their terminating zero, one after the other.
    std::string value = instance;
    value.push_back('\0');
    value += className;
    value.push_back('\0');
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window),
                        XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(value.size()), value.data());
    xcb_flush(connection);
}

void RequestWindowActivation(WindowId window, std::uint32_t userTime) {
    xcb_connection_t* connection = Connection();
    if (!connection || window == kNoWindow) return;
    const xcb_atom_t activeWindow = Atom(connection, "_NET_ACTIVE_WINDOW");
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (activeWindow == XCB_ATOM_NONE || !screen) return;
    if (!SupportedByWindowManager(connection, screen->root, activeWindow)) {
        // No window manager to ask: the focus is set directly, at the user's time rather
        // than at the program's last input, which the server refuses when another window
        // took the focus later.
        xcb_set_input_focus(connection, XCB_INPUT_FOCUS_POINTER_ROOT,
                            static_cast<xcb_window_t>(window),
                            userTime != 0 ? userTime : XCB_CURRENT_TIME);
        xcb_flush(connection);
        return;
    }
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = kFormat32;
    message.window = static_cast<xcb_window_t>(window);
    message.type = activeWindow;
    message.data.data32[0] = kActivationFromUser;
    message.data.data32[1] = userTime;
    message.data.data32[2] = XCB_WINDOW_NONE;  // no window of ours is active
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

void FinishStartupNotification(WindowId window, const std::string& startupId) {
    xcb_connection_t* connection = Connection();
    if (!connection || window == kNoWindow || startupId.empty()) return;
    const xcb_atom_t begin = Atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = Atom(connection, "_NET_STARTUP_INFO");
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (begin == XCB_ATOM_NONE || more == XCB_ATOM_NONE || !screen) return;
    bool first = true;
    for (const StartupInfoPiece& piece : StartupInfoPieces(StartupRemoveMessage(startupId))) {
        xcb_client_message_event_t message = {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 8;
        message.window = static_cast<xcb_window_t>(window);
        message.type = first ? begin : more;
        std::copy(piece.begin(), piece.end(), message.data.data8);
        // Launchers listen for property changes on the root window.
        xcb_send_event(connection, 0, screen->root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&message));
        first = false;
    }
    xcb_flush(connection);
}

}  // namespace nl
