#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace nl {

// Decodes clipboard text bytes one UTF-16 unit at a time, as DecodeClipText does (UTF-16 after
// a byte-order mark, UTF-8 otherwise, ending at the first null), so that a long text can be
// walked in steps and its start shown without converting all of it. Views `bytes`, which
// must outlive the cursor.
class CClipTextCursor {
public:
    explicit CClipTextCursor(std::span<const std::uint8_t> bytes);

    // The next unit of the text; false at its end.
    bool Next(char16_t& unit) {
        // Most clipboard text is ASCII: its bytes are its units.
        if (m_utf8 && m_low == 0 && m_at < m_bytes.size() && m_bytes[m_at] != 0 &&
            m_bytes[m_at] < kFirstMultiByte) {
            unit = m_bytes[m_at++];
            return true;
        }
        return NextSlow(unit);
    }
    // No unit is left.
    bool AtEnd() const;
    // The bytes decoded so far, the byte-order mark included.
    std::size_t Offset() const { return m_at; }

private:
    static constexpr std::uint8_t kFirstMultiByte = 0x80;
    bool NextSlow(char16_t& unit);

    std::span<const std::uint8_t> m_bytes;  // ends at the null once it was met
    std::size_t m_at = 0;
    bool m_utf8 = true;
    bool m_littleEndian = true;
    char16_t m_low = 0;  // the second unit of a surrogate pair, still to be given
};

}  // namespace nl
