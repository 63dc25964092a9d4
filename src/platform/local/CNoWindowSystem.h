#pragma once
#include "platform/IWindowSystem.h"

namespace nl {

// The window system where the toolkit does all there is to do with the program's windows (a
// Wayland compositor, the toolkit's offscreen platform): no translucency is promised, no
// grab of another client reaches the windows, class hints and activation requests go nowhere.
class CNoWindowSystem final : public IWindowSystem {
public:
    bool BlendsTranslucentWindows() const override { return false; }
    bool IsGrabLoss(std::string_view, const void*) const override { return false; }
    void SetWindowClass(WindowId, const std::string&, const std::string&) override {}
    void RequestActivation(WindowId, std::uint32_t) override {}
    void FinishStartup(WindowId, const std::string&) override {}
};

}  // namespace nl
