#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/IClipboard.h"

namespace nl {

// An in-memory clipboard holding a list of formats. Text is kept as "text/plain" in UTF-8,
// a picture as "image/bmp". A test can make the next writes fail with a system error code;
// a failed write leaves the contents as they were.
class FakeClipboard final : public IClipboard {
public:
    std::uint32_t SetText(const std::string& text) override;
    std::optional<std::string> Text() const override;
    std::uint32_t SetImage(const BitmapImage& image) override;
    std::optional<BitmapImage> Image() const override;
    std::uint32_t SetFormats(const std::vector<ClipboardFormat>& formats) override;
    std::vector<ClipboardFormat> Formats() const override { return m_formats; }
    std::vector<std::string> FormatNames() const override;
    std::optional<std::vector<std::uint8_t>> Data(const std::string& name) const override;
    std::uint32_t Clear() override;
    void SetChangeListener(ChangeListener listener) override { m_listener = std::move(listener); }

    // Every write (Set and Clear) fails with `code` from now on (0 lets them succeed again).
    void FailWith(std::uint32_t code) { m_failure = code; }
    // Writes tried so far, failed ones included.
    int WriteCount() const { return m_writes; }

private:
    // Replaces the contents with `formats` unless writes fail; returns 0 or the failure.
    std::uint32_t Replace(std::vector<ClipboardFormat> formats);
    const ClipboardFormat* Find(std::string_view name) const;

    std::vector<ClipboardFormat> m_formats;
    ChangeListener m_listener;
    std::uint32_t m_failure = 0;
    int m_writes = 0;
};

}  // namespace nl
