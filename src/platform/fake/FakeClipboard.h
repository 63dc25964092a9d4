#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/IClipboard.h"

namespace nl {

// An in-memory clipboard. A test can make the next writes fail with a system error code;
// a failed write leaves the contents as they were.
class FakeClipboard final : public IClipboard {
public:
    std::uint32_t SetText(const std::string& text) override;
    std::optional<std::string> Text() const override { return m_text; }

    // Every SetText fails with `code` from now on (0 lets them succeed again).
    void FailWith(std::uint32_t code) { m_failure = code; }
    void Clear() { m_text.reset(); }
    int WriteCount() const { return m_writes; }

private:
    std::optional<std::string> m_text;
    std::uint32_t m_failure = 0;
    int m_writes = 0;
};

}  // namespace nl
