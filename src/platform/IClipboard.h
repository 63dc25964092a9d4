#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace nl {

// The system clipboard. Text is UTF-8 here and Unicode text on the clipboard.
class IClipboard {
public:
    virtual ~IClipboard() = default;
    // Replaces the clipboard's contents with `text`; returns 0 or a system error code.
    virtual std::uint32_t SetText(const std::string& text) = 0;
    // The clipboard's Unicode text, or nothing when it holds none.
    virtual std::optional<std::string> Text() const = 0;
};

}  // namespace nl
