#include "clipboard/CClipFormatMap.h"

#include <algorithm>
#include <array>
#include <span>

#include "base/text.h"

namespace nl {

namespace {

// The short names of the standard formats 1 to 17.
constexpr std::string_view kStandardNames =
    "TEXT\nBITMAP\nMETAFILEPICT\nSYLK\nDIF\nTIFF\nOEMTEXT\nDIB\nPALETTE\nPENDATA\nRIFF\nWAVE\n"
    "UNICODETEXT\nENHMETAFILE\nHDROP\nLOCALE\nDIBV5";
constexpr std::string_view kNoName = "n/a";

// Targets of the selection protocol itself, not data.
constexpr std::array<std::string_view, 6> kProtocolTargets = {
    "TARGETS", "TIMESTAMP", "MULTIPLE", "SAVE_TARGETS", "DELETE", "INSERT_SELECTION"};
// The X11 names of plain text that come beside or instead of the MIME type.
constexpr std::array<std::string_view, 4> kTextTargets = {"UTF8_STRING", "STRING", "TEXT",
                                                          "COMPOUND_TEXT"};
// Qt's own types start with this; its image object stands for a picture of this program.
constexpr std::string_view kQtPrivatePrefix = "application/x-qt-";
constexpr std::string_view kQtImage = "application/x-qt-image";

bool IsOneOf(std::string_view name, std::span<const std::string_view> list) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

// The MIME type without its parameters ("text/plain;charset=utf-8" is "text/plain"), lower case.
std::string BaseType(std::string_view mime) {
    std::string base = AsciiLower(mime.substr(0, mime.find(';')));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    return base;
}

}  // namespace

CClipFormatMap::CClipFormatMap() {
    m_rtf = Register(kRtfFormatName);
    m_html = Register(kHtmlFormatName);
}

std::uint32_t CClipFormatMap::Register(std::string_view name) {
    auto it = std::find(m_names.begin(), m_names.end(), name);
    if (it == m_names.end()) it = m_names.emplace(m_names.end(), name);
    return kFirstRegisteredFormat + static_cast<std::uint32_t>(it - m_names.begin());
}

std::string CClipFormatMap::RegisteredName(std::uint32_t format) const {
    if (format < kFirstRegisteredFormat) return {};
    const std::size_t index = format - kFirstRegisteredFormat;
    return index < m_names.size() ? m_names[index] : std::string();
}

std::uint32_t CClipFormatMap::FormatOf(std::string_view mime) {
    if (mime.empty() || IsOneOf(mime, kProtocolTargets)) return 0;
    if (IsOneOf(mime, kTextTargets)) return kCfUnicodeText;
    const std::string base = BaseType(mime);
    if (base == "text/plain") return kCfUnicodeText;
    if (base == "text/rtf" || base == "application/rtf") return m_rtf;
    if (base == "text/html") return m_html;
    if (base == "text/uri-list") return kCfHDrop;
    if (base == "image/x-emf") return kCfEnhMetafile;
    if (base.starts_with("image/") || base == kQtImage) return kCfBitmap;
    if (base.starts_with(kQtPrivatePrefix)) return 0;
    return Register(mime);
}

std::vector<ClipEntry> CClipFormatMap::Map(const std::vector<std::string>& mimeTypes) {
    std::vector<ClipEntry> entries;
    for (const std::string& mime : mimeTypes) {
        const std::uint32_t format = FormatOf(mime);
        if (format == 0) continue;
        const bool listed = std::any_of(entries.begin(), entries.end(),
                                        [&](const ClipEntry& e) { return e.format == format; });
        if (!listed) entries.push_back({format, mime});
    }
    return entries;
}

std::string ClipFormatName(const CClipFormatMap& map, std::uint32_t format) {
    std::string name;
    if (format >= 1 && format <= kCfLastNamed) {
        const std::vector<std::string> names = SplitLines(kStandardNames);
        name = names[format - 1];
    } else {
        name = TruncateUtf16(map.RegisteredName(format), kMaxFormatNameLength);
    }
    return name.empty() ? std::string(kNoName) : name;
}

}  // namespace nl
