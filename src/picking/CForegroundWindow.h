#pragma once
#include <cstdint>
#include <optional>

#include "picking/CRootUnderCursor.h"
#include "platform/IDesktop.h"

namespace nl {

// The desktop's foreground window for the hints and indicators updated at idle time. Asking
// takes several round trips to the display server while another program is active, so the
// answer is reused while the desktop reports no window change (activation and focus changes
// count as such). A key press asks afresh.
class CForegroundWindow {
public:
    explicit CForegroundWindow(const IDesktop& desktop) : m_desktop(desktop) {}

    WindowId Get(CRootUnderCursor::Lookup lookup);
    // How often the desktop was asked so far.
    int Asked() const { return m_asked; }

private:
    struct Known {
        std::uint64_t changes = 0;
        WindowId window = kNoWindow;
    };

    const IDesktop& m_desktop;
    std::optional<Known> m_known;
    int m_asked = 0;
};

}  // namespace nl
