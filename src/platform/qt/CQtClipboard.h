#pragma once
#include "platform/IClipboard.h"

namespace nl {

// The system clipboard through Qt (needs a QGuiApplication).
class CQtClipboard final : public IClipboard {
public:
    std::uint32_t SetText(const std::string& text) override;
    std::optional<std::string> Text() const override;
};

}  // namespace nl
