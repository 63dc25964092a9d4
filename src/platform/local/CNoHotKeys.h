#pragma once
#include "platform/IHotKeys.h"

namespace nl {

// Hot keys of a session that offers none (a Wayland desktop without the GlobalShortcuts
// portal): every registration fails with kErrorNotSupported, and Route says that the desktop's
// own key bindings have to run the program's commands.
class CNoHotKeys final : public IHotKeys {
public:
    std::uint32_t Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) override;
    void Unregister(int) override {}
    void SetListener(Listener) override {}
    void Suspend() override {}
    void Resume() override {}
    HotKeyRoute Route() const override { return HotKeyRoute::kUnavailable; }
};

}  // namespace nl
