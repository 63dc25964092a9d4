#include "clipboard/CClipTextCursor.h"

#include <string_view>

#include "base/text.h"

namespace nl {

namespace {

constexpr std::uint8_t kBomLow = 0xFF;
constexpr std::uint8_t kBomHigh = 0xFE;
constexpr std::size_t kBomBytes = 2;
constexpr std::size_t kUnitBytes = 2;
constexpr int kBitsPerByte = 8;
constexpr char32_t kFirstSupplementary = 0x10000;
constexpr char16_t kHighSurrogate = 0xD800;
constexpr char16_t kLowSurrogate = 0xDC00;
constexpr int kSurrogateBits = 10;
constexpr char32_t kSurrogateMask = 0x3FF;

}  // namespace

CClipTextCursor::CClipTextCursor(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {
    if (bytes.size() >= kBomBytes && ((bytes[0] == kBomLow && bytes[1] == kBomHigh) ||
                                      (bytes[0] == kBomHigh && bytes[1] == kBomLow))) {
        m_utf8 = false;
        m_littleEndian = bytes[0] == kBomLow;
        m_at = kBomBytes;
    }
}

bool CClipTextCursor::AtEnd() const {
    if (m_low != 0) return false;
    const std::size_t left = m_bytes.size() - m_at;
    return m_utf8 ? left == 0 : left < kUnitBytes;
}

bool CClipTextCursor::NextSlow(char16_t& unit) {
    if (m_low != 0) {
        unit = m_low;
        m_low = 0;
        return true;
    }
    if (AtEnd()) return false;
    if (m_utf8) {
        const std::string_view text(reinterpret_cast<const char*>(m_bytes.data()), m_bytes.size());
        const char32_t cp = DecodeUtf8(text, m_at);
        if (cp >= kFirstSupplementary) {
            const char32_t v = cp - kFirstSupplementary;
            unit = static_cast<char16_t>(kHighSurrogate + (v >> kSurrogateBits));
            m_low = static_cast<char16_t>(kLowSurrogate + (v & kSurrogateMask));
        } else {
            unit = static_cast<char16_t>(cp);
        }
    } else {
        const std::uint8_t first = m_littleEndian ? m_bytes[m_at] : m_bytes[m_at + 1];
        const std::uint8_t second = m_littleEndian ? m_bytes[m_at + 1] : m_bytes[m_at];
        unit = static_cast<char16_t>(first | (second << kBitsPerByte));
        m_at += kUnitBytes;
    }
    if (unit == 0) {
        // The text ends here: the bytes after the null are no longer looked at.
        m_bytes = m_bytes.first(m_at);
        return false;
    }
    return true;
}

}  // namespace nl
