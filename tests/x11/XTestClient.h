#pragma once
#include <xcb/xcb.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "base/geometry.h"

namespace nl::test {

// A second X client, standing for another program on the desktop: it makes windows with
// titles, classes and owners, grabs keys, and sets the focus.
class XTestClient {
public:
    XTestClient();
    ~XTestClient();
    XTestClient(const XTestClient&) = delete;
    XTestClient& operator=(const XTestClient&) = delete;

    bool Connected() const { return m_conn != nullptr; }
    xcb_window_t Root() const { return m_root; }

    // A window at `rect` (in its parent's coordinates; the root's when parent is 0), filled
    // with `background` (0xRRGGBB), mapped.
    xcb_window_t CreateWindow(const Rect& rect, std::uint32_t background, xcb_window_t parent = 0);
    void SetUtf8Title(xcb_window_t w, std::string_view title);    // _NET_WM_NAME
    void SetLatin1Title(xcb_window_t w, std::string_view title);  // WM_NAME as STRING
    void SetClass(xcb_window_t w, std::string_view instance, std::string_view className);
    void SetTransientFor(xcb_window_t w, xcb_window_t owner);
    // WM_STATE as a window manager sets it (1 normal, 3 iconic).
    void SetWmState(xcb_window_t w, std::uint32_t state);
    void SetActiveWindowProperty(xcb_window_t w);  // _NET_ACTIVE_WINDOW on the root
    void DeleteActiveWindowProperty();
    // Paints the whole window `background` (0xRRGGBB), as a program redrawing it would.
    void Repaint(xcb_window_t w, std::uint32_t background);
    void Map(xcb_window_t w);
    void Unmap(xcb_window_t w);
    void Destroy(xcb_window_t w);
    void Focus(xcb_window_t w);
    // Grabs F-key `fkey` (1..24) with Control on the root window; returns the X error code
    // (0 when the grab succeeded).
    int GrabControlF(int fkey);
    // Waits until the server has carried out every request sent so far.
    void Sync();

private:
    xcb_atom_t Atom(std::string_view name);
    std::uint8_t KeycodeOfFKey(int fkey);

    xcb_connection_t* m_conn = nullptr;
    xcb_screen_t* m_screen = nullptr;
    xcb_window_t m_root = 0;
};

}  // namespace nl::test
