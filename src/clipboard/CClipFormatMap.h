#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nl {

// The standard clipboard format numbers the viewer works with.
inline constexpr std::uint32_t kCfBitmap = 2;
inline constexpr std::uint32_t kCfUnicodeText = 13;
inline constexpr std::uint32_t kCfEnhMetafile = 14;
inline constexpr std::uint32_t kCfHDrop = 15;
// The last standard format with a name of its own (DIBV5).
inline constexpr std::uint32_t kCfLastNamed = 17;
// Registered formats are numbered from here on, in the order their names are first seen.
inline constexpr std::uint32_t kFirstRegisteredFormat = 0xC000;
// The longest format name shown; longer names are cut.
inline constexpr std::size_t kMaxFormatNameLength = 255;

inline constexpr std::string_view kRtfFormatName = "Rich Text Format";
inline constexpr std::string_view kHtmlFormatName = "HTML Format";

// One format of the clipboard as the viewer lists it: its number and the MIME type whose
// data it reads (the first one offered that maps to the number).
struct ClipEntry {
    std::uint32_t format = 0;
    std::string mime;
    friend bool operator==(const ClipEntry&, const ClipEntry&) = default;
};

// Maps the MIME types a Linux clipboard offers onto clipboard format numbers: plain text to
// Unicode text, RTF and HTML to their registered formats, pictures to the bitmap, the
// enhanced metafile and the URI list (the file list) to theirs; every other MIME type becomes
// a registered format named after it. The selection protocol's own targets and Qt's private
// types are left out. Numbers stay the same for the life of the map.
class CClipFormatMap {
public:
    // Registers the RTF and HTML formats first.
    CClipFormatMap();

    // The number of the registered format `name`, registering it when it is new.
    std::uint32_t Register(std::string_view name);
    // The name of registered format `format`; empty when there is none.
    std::string RegisteredName(std::uint32_t format) const;
    std::uint32_t Rtf() const { return m_rtf; }
    std::uint32_t Html() const { return m_html; }

    // The format MIME type `mime` carries; 0 for a type that is not shown.
    std::uint32_t FormatOf(std::string_view mime);
    // The formats of `mimeTypes` in the order first offered, each once.
    std::vector<ClipEntry> Map(const std::vector<std::string>& mimeTypes);

private:
    std::vector<std::string> m_names;  // registered names from kFirstRegisteredFormat on
    std::uint32_t m_rtf = 0;
    std::uint32_t m_html = 0;
};

// The name the formats window shows for `format`: the short standard name for 1 to 17, the
// registered name above (cut at kMaxFormatNameLength characters), "n/a" for an empty name.
std::string ClipFormatName(const CClipFormatMap& map, std::uint32_t format);

}  // namespace nl
