#include "platform/fake/FakeClipboard.h"

namespace nl {

std::uint32_t FakeClipboard::SetText(const std::string& text) {
    ++m_writes;
    if (m_failure != 0) return m_failure;
    m_text = text;
    return 0;
}

}  // namespace nl
