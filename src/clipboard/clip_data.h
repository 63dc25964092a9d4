#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace nl {

struct NumberFormat;

// A byte count in the size format: bytes below 1024, else KB, MB, GB, TB or PB with the
// number divided by the unit's power of 1024 and written in `format` (up to two decimals),
// then a space and the unit.
std::string FormatByteSize(std::uint64_t bytes, const NumberFormat& format);

// The size the formats window gives a bitmap: a file header's 54 bytes, the rows, and a
// palette allowance of 8 bytes for 1 bit per pixel, 64 for 2 to 4, 1024 for 5 to 8.
std::uint64_t BitmapDataSize(std::uint32_t height, std::uint32_t rowBytes,
                             std::uint32_t bitsPerPixel);

// What an enhanced metafile's header tells: the size of its bounds and its byte count.
struct MetafileHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t bytes = 0;
};
// Reads the header at the start of enhanced-metafile data; nothing when it is not one.
std::optional<MetafileHeader> ReadMetafileHeader(std::span<const std::uint8_t> data);

// The local paths of a "text/uri-list" ("file://" URIs, percent-decoded; comments and other
// schemes are left out).
std::vector<std::string> DecodeUriList(std::span<const std::uint8_t> data);
// The file list as the viewer shows it: each path, cut at 1040 characters, then CR LF.
std::u16string FileListText(const std::vector<std::string>& paths);

}  // namespace nl
