#include "XTestClient.h"

#include <X11/keysym.h>

#include <cstdlib>
#include <memory>

namespace nl::test {

namespace {

template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

}  // namespace

XTestClient::XTestClient() {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return;
    }
    m_conn = c;
    m_screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    m_root = m_screen->root;
}

XTestClient::~XTestClient() {
    if (m_conn) xcb_disconnect(m_conn);  // the server drops this client's windows and grabs
}

xcb_atom_t XTestClient::Atom(std::string_view name) {
    Reply<xcb_intern_atom_reply_t> r(
        xcb_intern_atom_reply(
            m_conn,
            xcb_intern_atom(m_conn, 0, static_cast<std::uint16_t>(name.size()), name.data()),
            nullptr),
        &std::free);
    return r ? r->atom : XCB_NONE;
}

xcb_window_t XTestClient::CreateWindow(const Rect& rect, std::uint32_t background,
                                       xcb_window_t parent) {
    const xcb_window_t w = xcb_generate_id(m_conn);
    const std::uint32_t values[] = {background};
    xcb_create_window(m_conn, XCB_COPY_FROM_PARENT, w, parent ? parent : m_root,
                      static_cast<std::int16_t>(rect.left), static_cast<std::int16_t>(rect.top),
                      static_cast<std::uint16_t>(rect.Width()),
                      static_cast<std::uint16_t>(rect.Height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      m_screen->root_visual, XCB_CW_BACK_PIXEL, values);
    xcb_map_window(m_conn, w);
    return w;
}

void XTestClient::Repaint(xcb_window_t w, std::uint32_t background) {
    xcb_change_window_attributes(m_conn, w, XCB_CW_BACK_PIXEL, &background);
    xcb_clear_area(m_conn, 0, w, 0, 0, 0, 0);
}

void XTestClient::SetUtf8Title(xcb_window_t w, std::string_view title) {
    xcb_change_property(m_conn, XCB_PROP_MODE_REPLACE, w, Atom("_NET_WM_NAME"), Atom("UTF8_STRING"),
                        8, static_cast<std::uint32_t>(title.size()), title.data());
}

void XTestClient::SetLatin1Title(xcb_window_t w, std::string_view title) {
    xcb_change_property(m_conn, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(title.size()), title.data());
}

void XTestClient::SetClass(xcb_window_t w, std::string_view instance, std::string_view className) {
    std::string both(instance);
    both += '\0';
    both += className;
    both += '\0';
    xcb_change_property(m_conn, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(both.size()), both.data());
}

void XTestClient::SetTransientFor(xcb_window_t w, xcb_window_t owner) {
    xcb_change_property(m_conn, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_TRANSIENT_FOR,
                        XCB_ATOM_WINDOW, 32, 1, &owner);
}

void XTestClient::SetWmState(xcb_window_t w, std::uint32_t state) {
    const std::uint32_t value[] = {state, XCB_NONE};
    xcb_change_property(m_conn, XCB_PROP_MODE_REPLACE, w, Atom("WM_STATE"), Atom("WM_STATE"), 32, 2,
                        value);
}

void XTestClient::SetActiveWindowProperty(xcb_window_t w) {
    xcb_change_property(m_conn, XCB_PROP_MODE_REPLACE, m_root, Atom("_NET_ACTIVE_WINDOW"),
                        XCB_ATOM_WINDOW, 32, 1, &w);
}

void XTestClient::DeleteActiveWindowProperty() {
    xcb_delete_property(m_conn, m_root, Atom("_NET_ACTIVE_WINDOW"));
}

void XTestClient::Map(xcb_window_t w) {
    xcb_map_window(m_conn, w);
}

void XTestClient::Unmap(xcb_window_t w) {
    xcb_unmap_window(m_conn, w);
}

void XTestClient::Destroy(xcb_window_t w) {
    xcb_destroy_window(m_conn, w);
}

void XTestClient::Focus(xcb_window_t w) {
    xcb_set_input_focus(m_conn, XCB_INPUT_FOCUS_PARENT, w, XCB_CURRENT_TIME);
}

std::uint8_t XTestClient::KeycodeOfFKey(int fkey) {
    const xcb_setup_t* setup = xcb_get_setup(m_conn);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    Reply<xcb_get_keyboard_mapping_reply_t> r(
        xcb_get_keyboard_mapping_reply(
            m_conn,
            xcb_get_keyboard_mapping(m_conn, setup->min_keycode, static_cast<std::uint8_t>(count)),
            nullptr),
        &std::free);
    if (!r) return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(r.get());
    for (int k = 0; k < count; ++k)
        if (syms[k * r->keysyms_per_keycode] == static_cast<xcb_keysym_t>(XK_F1 + fkey - 1))
            return static_cast<std::uint8_t>(setup->min_keycode + k);
    return 0;
}

int XTestClient::GrabControlF(int fkey) {
    const std::uint8_t code = KeycodeOfFKey(fkey);
    if (code == 0) return -1;
    Reply<xcb_generic_error_t> e(
        xcb_request_check(m_conn,
                          xcb_grab_key_checked(m_conn, 1, m_root, XCB_MOD_MASK_CONTROL, code,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)),
        &std::free);
    return e ? e->error_code : 0;
}

void XTestClient::Sync() {
    Reply<xcb_get_input_focus_reply_t> r(
        xcb_get_input_focus_reply(m_conn, xcb_get_input_focus(m_conn), nullptr), &std::free);
}

}  // namespace nl::test
