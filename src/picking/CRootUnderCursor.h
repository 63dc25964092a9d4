#pragma once
#include <cstdint>
#include <optional>

#include "base/geometry.h"
#include "platform/IDesktop.h"

namespace nl {

// The top-level window under the cursor, for the keyboard helpers' state shown at idle time.
// A lookup takes several round trips to the display server, so the answer is reused while
// the cursor stands still and the desktop reports no window change. A key press asks afresh:
// the program's own windows may have changed a moment ago, before the desktop reported it.
class CRootUnderCursor {
public:
    enum class Lookup { kReuse, kFresh };

    explicit CRootUnderCursor(const IDesktop& desktop) : m_desktop(desktop) {}

    // The top-level window that holds the window under the cursor; none where nothing is.
    // `cursor`, when given, is where the cursor was found a moment ago (the picking tick's
    // sample), which spares asking the desktop.
    WindowId Find(Lookup lookup, std::optional<Point> cursor = std::nullopt);
    // How many lookups went to the desktop so far.
    int Lookups() const { return m_lookups; }

private:
    struct Found {
        Point cursor;
        std::uint64_t changes = 0;
        WindowId root = kNoWindow;
    };

    const IDesktop& m_desktop;
    std::optional<Found> m_found;
    int m_lookups = 0;
};

}  // namespace nl
