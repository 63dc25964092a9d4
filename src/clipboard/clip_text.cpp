#include "clipboard/clip_text.h"

#include <algorithm>
#include <cctype>

#include "base/text.h"

namespace nl {

namespace {

constexpr char16_t kCarriageReturn = u'\r';
constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kHyphen = u'-';
constexpr std::u16string_view kInWordMarks = u"-'\u2019.";
constexpr std::u16string_view kWordExtra = u"_";

constexpr std::u16string_view kStartHtmlKey = u"StartHTML:";
// How many characters after "StartHTML:" may hold its number.
constexpr std::size_t kStartHtmlDigits = 20;
constexpr std::u16string_view kHtmlMarkers[] = {u"<!DOCTYPE", u"<html", u"<body", u"<"};

constexpr std::size_t kDecimalBase = 10;
constexpr std::uint8_t kBomLow = 0xFF;
constexpr std::uint8_t kBomHigh = 0xFE;
constexpr int kBitsPerByte = 8;
constexpr std::uint16_t kByteMask = 0xFF;

enum class CharClass { kControl, kSpace, kVisible };

CharClass Classify(char16_t c) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return CharClass::kControl;
    const bool space = c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
                       c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
    return space ? CharClass::kSpace : CharClass::kVisible;
}

bool Contains(std::u16string_view set, char16_t c) {
    return set.find(c) != std::u16string_view::npos;
}

}  // namespace

std::optional<TextStats> CollectTextStats(std::u16string_view text, const StopCheck& stop) {
    if (text.empty()) return std::nullopt;
    TextStats stats;
    bool inWord = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (stop && stop()) return std::nullopt;
        const char16_t c = text[i];
        switch (Classify(c)) {
            case CharClass::kControl:
                ++stats.controls;
                break;
            case CharClass::kSpace:
                ++stats.spaces;
                break;
            case CharClass::kVisible:
                ++stats.visible;
                break;
        }
        if (c == kCarriageReturn || c == kLineFeed) {
            ++stats.lines;
            inWord = inWord && i > 0 && text[i - 1] == kHyphen;
            if (c == kCarriageReturn && i + 1 < text.size() && text[i + 1] == kLineFeed) {
                ++i;
                ++stats.chars;
                ++stats.controls;
            }
        } else {
            const bool wordChar = Classify(c) == CharClass::kVisible || Contains(kWordExtra, c) ||
                                  (inWord && Contains(kInWordMarks, c));
            if (wordChar && !inWord) ++stats.words;
            inWord = wordChar;
        }
        ++stats.chars;
    }
    // The terminating null and the last line.
    ++stats.chars;
    ++stats.controls;
    ++stats.lines;
    return stats;
}

std::u16string DecodeClipText(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    if (bytes.size() >= 2 && ((bytes[0] == kBomLow && bytes[1] == kBomHigh) ||
                              (bytes[0] == kBomHigh && bytes[1] == kBomLow))) {
        const bool little = bytes[0] == kBomLow;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const std::uint8_t first = little ? bytes[i] : bytes[i + 1];
            const std::uint8_t second = little ? bytes[i + 1] : bytes[i];
            text.push_back(static_cast<char16_t>(first | (second << kBitsPerByte)));
        }
    } else {
        text = Utf8ToUtf16(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    if (const std::size_t null = text.find(u'\0'); null != std::u16string::npos) text.resize(null);
    return text;
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
