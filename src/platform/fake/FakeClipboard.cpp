#include "platform/fake/FakeClipboard.h"

#include <algorithm>

#include "base/CSystemError.h"

namespace nl {

namespace {

ClipboardFormat MakeFormat(std::string_view name, std::vector<std::uint8_t> bytes) {
    return ClipboardFormat{std::string(name), std::move(bytes)};
}

}  // namespace

std::uint32_t FakeClipboard::SetText(const std::string& text) {
    return Replace({MakeFormat(kClipboardTextFormat, {text.begin(), text.end()})});
}

std::optional<std::string> FakeClipboard::Text() const {
    const ClipboardFormat* text = Find(kClipboardTextFormat);
    if (!text) return std::nullopt;
    return std::string(text->bytes.begin(), text->bytes.end());
}

std::uint32_t FakeClipboard::SetImage(const BitmapImage& image) {
    std::vector<std::uint8_t> file = EncodeBitmapFile(image);
    if (file.empty()) {
        ++m_writes;
        return kErrorInvalidParameter;
    }
    return Replace({MakeFormat(kClipboardBitmapFormat, std::move(file))});
}

std::optional<BitmapImage> FakeClipboard::Image() const {
    const ClipboardFormat* bitmap = Find(kClipboardBitmapFormat);
    if (!bitmap) return std::nullopt;
    return DecodeBitmapFile(bitmap->bytes);
}

std::uint32_t FakeClipboard::SetFormats(const std::vector<ClipboardFormat>& formats) {
    std::vector<ClipboardFormat> merged;
    for (const ClipboardFormat& format : formats) {
        const auto same = std::find_if(merged.begin(), merged.end(), [&](const auto& f) {
            return f.name == format.name;
        });
        if (same == merged.end())
            merged.push_back(format);
        else
            same->bytes = format.bytes;
    }
    return Replace(std::move(merged));
}

std::vector<std::string> FakeClipboard::FormatNames() const {
    std::vector<std::string> names;
    for (const ClipboardFormat& format : m_formats) names.push_back(format.name);
    return names;
}

std::optional<std::vector<std::uint8_t>> FakeClipboard::Data(const std::string& name) const {
    const ClipboardFormat* format = Find(name);
    if (!format) return std::nullopt;
    return format->bytes;
}

std::uint32_t FakeClipboard::Clear() { return Replace({}); }

std::uint32_t FakeClipboard::Replace(std::vector<ClipboardFormat> formats) {
    ++m_writes;
    if (m_failure != 0) return m_failure;
    m_formats = std::move(formats);
    if (m_listener) m_listener();
    return kErrorSuccess;
}

const ClipboardFormat* FakeClipboard::Find(std::string_view name) const {
    const auto it = std::find_if(m_formats.begin(), m_formats.end(),
                                 [&](const ClipboardFormat& f) { return f.name == name; });
    return it == m_formats.end() ? nullptr : &*it;
}

}  // namespace nl
