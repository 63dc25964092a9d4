#include "clipboard/CTextStatsCounter.h"

#include <string_view>

namespace nl {

namespace {

constexpr char16_t kCarriageReturn = u'\r';
constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kHyphen = u'-';
constexpr std::u16string_view kInWordMarks = u"-'\u2019.";
constexpr char16_t kWordExtra = u'_';

enum class CharClass { kControl, kSpace, kVisible };

CharClass Classify(char16_t c) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return CharClass::kControl;
    const bool space = c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
                       c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
    return space ? CharClass::kSpace : CharClass::kVisible;
}

}  // namespace

bool CTextStatsCounter::EndsCarriageReturn(char16_t unit) const {
    return m_afterCarriageReturn && unit == kLineFeed;
}

void CTextStatsCounter::Add(char16_t c) {
    ++m_stats.chars;
    if (EndsCarriageReturn(c)) {
        // The line was counted at the carriage return; the line feed is one more control.
        ++m_stats.controls;
        m_afterCarriageReturn = false;
        m_previous = c;
        return;
    }
    const CharClass kind = Classify(c);
    switch (kind) {
        case CharClass::kControl:
            ++m_stats.controls;
            break;
        case CharClass::kSpace:
            ++m_stats.spaces;
            break;
        case CharClass::kVisible:
            ++m_stats.visible;
            break;
    }
    if (c == kCarriageReturn || c == kLineFeed) {
        ++m_stats.lines;
        m_inWord = m_inWord && m_previous == kHyphen;
    } else {
        const bool wordChar = kind == CharClass::kVisible || c == kWordExtra ||
                              (m_inWord && kInWordMarks.find(c) != std::u16string_view::npos);
        if (wordChar && !m_inWord) ++m_stats.words;
        m_inWord = wordChar;
    }
    m_afterCarriageReturn = c == kCarriageReturn;
    m_previous = c;
}

std::optional<TextStats> CTextStatsCounter::Result() const {
    if (m_stats.chars == 0) return std::nullopt;
    TextStats stats = m_stats;
    // The terminating null and the last line.
    ++stats.chars;
    ++stats.controls;
    ++stats.lines;
    return stats;
}

}  // namespace nl
