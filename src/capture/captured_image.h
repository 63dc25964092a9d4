#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/bitmap_file.h"
#include "base/geometry.h"

namespace nl {

// Where a fitted image is drawn in a client area of `client` size: the whole area made
// narrower or lower to the image's aspect ratio and centred. Small images grow to fit.
Rect FitImageRect(Size image, Size client);

// One of the system's image encoders: its name, its file-name patterns ("*.JPG;*.JPEG") and
// whatever the caller needs to run it.
struct ImageEncoder {
    std::string description;
    std::string extensions;
    std::string format;
};

// The save dialog's filter for the encoders ("description|patterns|...|") with the patterns
// in lower case and the BMP entry last, and the default extension: the first filter entry's
// first pattern without its "*.".
struct EncoderFilter {
    std::string filter;
    std::string defaultExtension;
    friend bool operator==(const EncoderFilter&, const EncoderFilter&) = default;
};
EncoderFilter BuildEncoderFilter(std::span<const ImageEncoder> encoders);

// The first encoder whose patterns hold the extension of `path` (with its dot, any case);
// nothing when `path` has no extension or no encoder lists it.
std::optional<std::size_t> FindEncoder(std::span<const ImageEncoder> encoders,
                                       std::string_view path);

// The system error code for an image encoder's status (0 is success).
std::uint32_t EncoderStatusError(int status);

// Writes `image` to `path` with the encoder its extension names, through `write`, which
// returns the encoder's status. Returns 0 or a system error code: kErrorNotSupported, and
// nothing written, when there are no encoders or none for the extension.
using EncoderWrite =
    std::function<int(const ImageEncoder& encoder, const std::string& path, const BitmapImage&)>;
std::uint32_t SaveCapturedImage(const BitmapImage& image, const std::string& path,
                                std::span<const ImageEncoder> encoders, const EncoderWrite& write);

}  // namespace nl
