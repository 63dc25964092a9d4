#pragma once
#include <functional>
#include <utility>

namespace nl {

// A registration with a subscriber list: ends it when destroyed or reset. Move-only; a
// default-constructed subscription holds nothing. Safe to outlive the list it came from.
class CSubscription {
public:
    CSubscription() = default;
    explicit CSubscription(std::function<void()> cancel) : m_cancel(std::move(cancel)) {}
    ~CSubscription() { Reset(); }
    CSubscription(CSubscription&& other) noexcept : m_cancel(std::exchange(other.m_cancel, {})) {}
    CSubscription& operator=(CSubscription&& other) noexcept {
        if (this != &other) {
            Reset();
            m_cancel = std::exchange(other.m_cancel, {});
        }
        return *this;
    }
    CSubscription(const CSubscription&) = delete;
    CSubscription& operator=(const CSubscription&) = delete;

    // Ends the registration now; later calls do nothing.
    void Reset() {
        if (auto cancel = std::exchange(m_cancel, {})) cancel();
    }
    bool IsActive() const { return static_cast<bool>(m_cancel); }

private:
    std::function<void()> m_cancel;
};

}  // namespace nl
