#pragma once
#include "platform/IWindowSystem.h"

namespace nl {

// A window system whose blending of translucent windows the test sets. No event is a grab
// loss; class hints and activation requests go nowhere.
class FakeWindowSystem final : public IWindowSystem {
public:
    void SetBlendsTranslucentWindows(bool blends) { m_blends = blends; }

    bool BlendsTranslucentWindows() const override { return m_blends; }
    bool IsGrabLoss(std::string_view, const void*) const override { return false; }
    void SetWindowClass(WindowId, const std::string&, const std::string&) override {}
    void RequestActivation(WindowId, std::uint32_t) override {}
    void FinishStartup(WindowId, const std::string&) override {}

private:
    bool m_blends = false;
};

}  // namespace nl
