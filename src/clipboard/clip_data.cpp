#include "clipboard/clip_data.h"

#include <array>
#include <string_view>

#include "base/text.h"
#include "model/NumberFormat.h"

namespace nl {

namespace {

constexpr std::uint64_t kKilo = 1024;
constexpr int kSizeDecimals = 2;
// The largest count of each unit: bytes below 1024, KB up to 0xFFFFF, and so on; PB beyond.
constexpr std::array<std::uint64_t, 5> kUnitLimits = {0x3FF, 0xFFFFF, 0x3FFFFFFF, 0xFFFFFFFFFF,
                                                      0x3FFFFFFFFFFFF};
constexpr std::array<std::string_view, 6> kUnits = {"B", "KB", "MB", "GB", "TB", "PB"};

constexpr std::uint64_t kBitmapHeaderBytes = 54;
constexpr std::uint64_t kPaletteOneBit = 8;
constexpr std::uint64_t kPaletteFourBits = 64;
constexpr std::uint64_t kPaletteEightBits = 1024;
constexpr std::uint32_t kFourBits = 4;
constexpr std::uint32_t kEightBits = 8;

// The enhanced metafile header: record type 1 first, " EMF" at offset 40, the byte count at
// 48, the inclusive bounds rectangle at 8.
constexpr std::uint32_t kEmfHeaderType = 1;
constexpr std::uint32_t kEmfSignature = 0x464D4520;
constexpr std::size_t kEmfBoundsOffset = 8;
constexpr std::size_t kEmfSignatureOffset = 40;
constexpr std::size_t kEmfBytesOffset = 48;
constexpr std::size_t kEmfMinHeader = 52;

constexpr std::size_t kMaxPathLength = 1040;
constexpr std::string_view kFileScheme = "file://";
constexpr int kHexBase = 16;

std::uint32_t ReadU32(std::span<const std::uint8_t> data, std::size_t at) {
    return static_cast<std::uint32_t>(data[at]) | static_cast<std::uint32_t>(data[at + 1]) << 8 |
           static_cast<std::uint32_t>(data[at + 2]) << 16 |
           static_cast<std::uint32_t>(data[at + 3]) << 24;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string PercentDecode(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out.push_back(
                static_cast<char>(HexValue(text[i + 1]) * kHexBase + HexValue(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

}  // namespace

std::string FormatByteSize(std::uint64_t bytes, const NumberFormat& format) {
    std::size_t unit = 0;
    while (unit < kUnitLimits.size() && bytes > kUnitLimits[unit]) ++unit;
    if (unit == 0) return std::to_string(bytes) + " " + std::string(kUnits[0]);
    double value = static_cast<double>(bytes);
    for (std::size_t i = 0; i < unit; ++i) value /= static_cast<double>(kKilo);
    return FormatNumber(format, value, kSizeDecimals) + " " + std::string(kUnits[unit]);
}

std::uint64_t BitmapDataSize(std::uint32_t height, std::uint32_t rowBytes,
                             std::uint32_t bitsPerPixel) {
    std::uint64_t palette = 0;
    if (bitsPerPixel == 1)
        palette = kPaletteOneBit;
    else if (bitsPerPixel >= 2 && bitsPerPixel <= kFourBits)
        palette = kPaletteFourBits;
    else if (bitsPerPixel > kFourBits && bitsPerPixel <= kEightBits)
        palette = kPaletteEightBits;
    return kBitmapHeaderBytes + static_cast<std::uint64_t>(height) * rowBytes + palette;
}

std::optional<MetafileHeader> ReadMetafileHeader(std::span<const std::uint8_t> data) {
    if (data.size() < kEmfMinHeader || ReadU32(data, 0) != kEmfHeaderType ||
        ReadU32(data, kEmfSignatureOffset) != kEmfSignature)
        return std::nullopt;
    const auto left = static_cast<std::int32_t>(ReadU32(data, kEmfBoundsOffset));
    const auto top = static_cast<std::int32_t>(ReadU32(data, kEmfBoundsOffset + 4));
    const auto right = static_cast<std::int32_t>(ReadU32(data, kEmfBoundsOffset + 8));
    const auto bottom = static_cast<std::int32_t>(ReadU32(data, kEmfBoundsOffset + 12));
    return MetafileHeader{right - left, bottom - top, ReadU32(data, kEmfBytesOffset)};
}

std::vector<std::string> DecodeUriList(std::span<const std::uint8_t> data) {
    const std::string text(data.begin(), data.end());
    std::vector<std::string> paths;
    for (std::string line : SplitLines(text)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!StartsWithNoCase(line, kFileScheme)) continue;
        std::string_view rest = std::string_view(line).substr(kFileScheme.size());
        // "file://host/path": the path starts at the first slash after the host.
        const std::size_t slash = rest.find('/');
        if (slash == std::string_view::npos) continue;
        paths.push_back(PercentDecode(rest.substr(slash)));
    }
    return paths;
}

std::u16string FileListText(const std::vector<std::string>& paths) {
    std::u16string text;
    for (const std::string& path : paths) {
        text += Utf8ToUtf16(TruncateUtf16(path, kMaxPathLength));
        text += u"\r\n";
    }
    return text;
}

}  // namespace nl
