#pragma once
#include <optional>

#include "clipboard/clip_text.h"

namespace nl {

// The text statistics counted one UTF-16 unit at a time, by the rules CollectTextStats gives,
// so that a walk over a long text can stop after any unit and go on later.
class CTextStatsCounter {
public:
    void Add(char16_t unit);
    // `unit` is the line feed that ends the carriage return added last: it is counted with it.
    bool EndsCarriageReturn(char16_t unit) const;
    // The statistics of the units added, with the terminating null and the last line; nothing
    // when no unit was added.
    std::optional<TextStats> Result() const;

private:
    TextStats m_stats;
    bool m_inWord = false;
    bool m_afterCarriageReturn = false;
    char16_t m_previous = 0;
};

}  // namespace nl
