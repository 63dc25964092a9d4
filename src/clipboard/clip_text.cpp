#include "clipboard/clip_text.h"

#include <algorithm>
#include <cctype>

#include "base/text.h"
#include "clipboard/CClipTextCursor.h"
#include "clipboard/CTextStatsCounter.h"

namespace nl {

namespace {

constexpr char16_t kCarriageReturn = u'\r';
constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kFirstHighSurrogate = 0xD800;
constexpr char16_t kFirstLowSurrogate = 0xDC00;
constexpr char16_t kLastLowSurrogate = 0xDFFF;

// `second` belongs with `first`: the line feed of a carriage return, the second half of a
// surrogate pair.
bool Pairs(char16_t first, char16_t second) {
    if (first == kCarriageReturn) return second == kLineFeed;
    return first >= kFirstHighSurrogate && first < kFirstLowSurrogate &&
           second >= kFirstLowSurrogate && second <= kLastLowSurrogate;
}

constexpr std::u16string_view kStartHtmlKey = u"StartHTML:";
// How many characters after "StartHTML:" may hold its number.
constexpr std::size_t kStartHtmlDigits = 20;
constexpr std::u16string_view kHtmlMarkers[] = {u"<!DOCTYPE", u"<html", u"<body", u"<"};

constexpr std::size_t kDecimalBase = 10;
constexpr int kBitsPerByte = 8;
constexpr std::uint16_t kByteMask = 0xFF;

}  // namespace

std::optional<TextStats> CollectTextStats(std::u16string_view text, const StopCheck& stop) {
    CTextStatsCounter counter;
    for (const char16_t c : text) {
        // The line feed of a carriage return is taken with it, without asking again.
        if (!counter.EndsCarriageReturn(c) && stop && stop()) return std::nullopt;
        counter.Add(c);
    }
    return counter.Result();
}

std::u16string DecodeClipText(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    CClipTextCursor cursor(bytes);
    for (char16_t unit = 0; cursor.Next(unit);) text.push_back(unit);
    return text;
}

ClipTextPreview PreviewClipText(std::span<const std::uint8_t> bytes, std::size_t maxUnits,
                                std::size_t maxLines) {
    ClipTextPreview preview;
    CClipTextCursor cursor(bytes);
    std::size_t lines = 0;
    char16_t unit = 0;
    while (preview.text.size() < maxUnits && lines < maxLines && cursor.Next(unit)) {
        const bool pairsWithLast = !preview.text.empty() && Pairs(preview.text.back(), unit);
        if (unit == kCarriageReturn || (unit == kLineFeed && !pairsWithLast)) ++lines;
        preview.text.push_back(unit);
        preview.bytes = cursor.Offset();
    }
    // A line end or a character is not split between the preview and the rest.
    if (!preview.text.empty() && cursor.Next(unit)) {
        preview.cut = !Pairs(preview.text.back(), unit);
        if (!preview.cut) {
            preview.text.push_back(unit);
            preview.bytes = cursor.Offset();
        }
    }
    preview.cut = preview.cut || !cursor.AtEnd();
    return preview;
}

std::vector<std::uint8_t> Utf16LeBytes(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & kByteMask));
        bytes.push_back(static_cast<std::uint8_t>((c >> kBitsPerByte) & kByteMask));
    }
    return bytes;
}

std::size_t HtmlStart(std::u16string_view text) {
    std::size_t start = 0;
    if (const std::size_t key = text.find(kStartHtmlKey); key != std::u16string_view::npos) {
        const std::u16string_view digits =
            text.substr(key + kStartHtmlKey.size(), kStartHtmlDigits);
        std::size_t i = 0;
        while (i < digits.size() && (digits[i] == u' ' || digits[i] == u'\t')) ++i;
        for (; i < digits.size() && digits[i] >= u'0' && digits[i] <= u'9'; ++i)
            start = start * kDecimalBase + static_cast<std::size_t>(digits[i] - u'0');
    }
    if (start != 0) return start;
    for (const std::u16string_view marker : kHtmlMarkers)
        if (const std::size_t at = text.find(marker); at != std::u16string_view::npos) return at;
    return 0;
}

}  // namespace nl
