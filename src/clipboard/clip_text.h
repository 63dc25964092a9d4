#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nl {

// What the text statistics count; the terminating null counts as a character and a control
// character, and the last line counts as a line.
struct TextStats {
    std::uint64_t lines = 0;
    std::uint64_t words = 0;
    std::uint64_t chars = 0;
    std::uint64_t visible = 0;
    std::uint64_t spaces = 0;
    std::uint64_t controls = 0;
    friend bool operator==(const TextStats&, const TextStats&) = default;
};

// Asked before each character whether the walk should stop (a key, a newer clipboard change).
using StopCheck = std::function<bool()>;

// Walks `text` one UTF-16 unit at a time. Control characters come first, then spaces; every
// other character is visible and a word character. A line ends at a carriage return (with the
// line feed after it, which counts as one more control character) or at a lone line feed. A
// word goes on over a line end only after a hyphen, and inside a word also through "-'’.";
// "_" is a word character. Nothing when `stop` asked to stop or the text is empty.
std::optional<TextStats> CollectTextStats(std::u16string_view text, const StopCheck& stop);

// Clipboard bytes as text: UTF-16 when they start with a byte-order mark (which is dropped),
// UTF-8 otherwise; the text ends at the first null.
std::u16string DecodeClipText(std::span<const std::uint8_t> bytes);

// The start of a clipboard text that is shown while all of it is counted.
struct ClipTextPreview {
    std::u16string text;
    std::size_t bytes = 0;  // the bytes it was decoded from
    bool cut = false;       // more of the text follows
};

// The start of the text of clipboard bytes (decoded as DecodeClipText does): at most
// `maxUnits` UTF-16 units and `maxLines` line ends, give or take the second half of a line
// end or of a surrogate pair, which stays with the first.
ClipTextPreview PreviewClipText(std::span<const std::uint8_t> bytes, std::size_t maxUnits,
                                std::size_t maxLines);

// UTF-16 little-endian bytes without a byte-order mark, as the viewer saves text.
std::vector<std::uint8_t> Utf16LeBytes(std::u16string_view text);

// Where the markup of clipboard HTML starts: the offset after "StartHTML:" (the number in the
// 20 characters after it) when it is there and not 0, else the first "<!DOCTYPE", "<html",
// "<body" or "<", in that order of preference; 0 when none is found.
std::size_t HtmlStart(std::u16string_view text);

}  // namespace nl
