#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/IWindowSystem.h"

namespace nl {

// A window system that records what the program asked of it; the test sets whether
// translucent windows are blended. No event is a grab loss.
class FakeWindowSystem final : public IWindowSystem {
public:
    struct Activation {
        WindowId window = kNoWindow;
        std::uint32_t userTime = 0;
    };

    void SetBlendsTranslucentWindows(bool blends) { m_blends = blends; }
    // The class hints set, by window: instance name, then class name.
    const std::map<WindowId, std::pair<std::string, std::string>>& Classes() const {
        return m_classes;
    }
    const std::vector<Activation>& Activations() const { return m_activations; }

    bool BlendsTranslucentWindows() const override { return m_blends; }
    bool IsGrabLoss(std::string_view, const void*) const override { return false; }
    void SetWindowClass(WindowId window, const std::string& instance,
                        const std::string& className) override {
        m_classes[window] = {instance, className};
    }
    void RequestActivation(WindowId window, std::uint32_t userTime) override {
        m_activations.push_back({window, userTime});
    }

private:
    bool m_blends = false;
    std::map<WindowId, std::pair<std::string, std::string>> m_classes;
    std::vector<Activation> m_activations;
};

}  // namespace nl
