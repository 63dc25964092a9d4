// Change tracking of the X server's screen, for IDesktop::ChangeCount.
#pragma once
#include <cstdint>
#include <memory>
#include <unordered_set>

#include "base/geometry.h"
#include "platform/CScreenChanges.h"
#include "platform/xcb/IXConnection.h"

namespace nl::x11 {

// Learns of screen changes on a connection of its own to the server Qt draws on: the Damage
// extension reports drawing on the root window (which takes in every window's drawing), and
// the root's structure, property and focus events report window changes. Damage comes as the
// rectangles newly damaged, so drawing that goes on in an area nobody watches (another
// program's animation) costs nothing once that area is dirty; a watched area is cleared again
// when its change is read. Events are read as they arrive while Qt's event loop runs and
// before every answer.
// Opens itself on the first ChangeCount once a Qt application runs on X11; where it cannot
// (no Qt application, no Damage or XFixes extension, no connection) every call gives a new
// count, as for desktops that track nothing.
class CX11Damage {
public:
    CX11Damage();
    ~CX11Damage();
    CX11Damage(const CX11Damage&) = delete;
    CX11Damage& operator=(const CX11Damage&) = delete;

    std::uint64_t ChangeCount(const Rect& area);
    // Whether changes are tracked (false before the first ChangeCount).
    bool Tracking() const { return m_link != nullptr; }
    // The tracking connection, for questions to the server that need no toolkit (the pointer,
    // other programs' windows): no other thread reads it, so an answer comes straight to the
    // caller instead of being handed over by Qt's reading thread. Its Connection() is null
    // where changes cannot be tracked.
    const IXConnection& Queries() const { return m_queries; }
    // Counts every later change of `window` (its properties, place, parent, its end) as a
    // window change. At most kMaxWatched windows at once: one more starts the set over.
    void Watch(xcb_window_t window);
    static constexpr std::size_t kMaxWatched = 64;

private:
    struct Link;
    class QueryConnection final : public IXConnection {
    public:
        explicit QueryConnection(CX11Damage& owner) : m_owner(owner) {}
        xcb_connection_t* Connection() const override;
        xcb_window_t Root() const override;
        _XDisplay* Display() const override;

    private:
        CX11Damage& m_owner;
    };
    // Opens the connection on the first use.
    void EnsureOpen();
    bool Open();
    // Takes in every event that has arrived.
    void ReadEvents();

    bool m_tried = false;
    std::unordered_set<xcb_window_t> m_watched;
    std::unique_ptr<Link> m_link;
    CScreenChanges m_changes;
    QueryConnection m_queries{*this};
};

}  // namespace nl::x11
