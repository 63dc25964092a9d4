#include "capture/captured_image.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "base/CSystemError.h"
#include "base/text.h"

namespace nl {
namespace {

constexpr char kFilterSeparator = '|';
constexpr std::string_view kPatternPrefix = "*.";
constexpr std::string_view kBitmapFormat = "BMP";

// Encoder statuses in order from 0, with the system error each stands for.
constexpr std::uint32_t kStatusErrors[] = {
    kErrorSuccess,              // Ok
    kErrorUnidentified,         // GenericError
    kErrorInvalidParameter,     // InvalidParameter
    kErrorOutOfMemory,          // OutOfMemory
    kErrorBusy,                 // ObjectBusy
    kErrorInsufficientBuffer,   // InsufficientBuffer
    kErrorNotSupported,         // NotImplemented
    kErrorInvalidFunction,      // Win32Error
    kErrorInvalidAccess,        // WrongState
    kErrorRequestAborted,       // Aborted
    kErrorFileNotFound,         // FileNotFound
    kErrorBufferOverflow,       // ValueOverflow
    kErrorAccessDenied,         // AccessDenied
    kErrorUnknownImageFormat,   // UnknownImageFormat
    kErrorUnknownImageFormat,   // FontFamilyNotFound
    kErrorUnknownImageFormat,   // FontStyleNotFound
    kErrorInvalidData,          // NotTrueTypeFont
    kErrorNotSupported,         // UnsupportedGdiplusVersion
    kErrorLibraryInitFailed,    // GdiplusNotInitialized
    kErrorPropertySetNotFound,  // PropertyNotFound
    kErrorNotSupported,         // PropertyNotSupported
};
constexpr std::uint32_t kUnknownStatusError = kErrorUnknownEncoderStatus;

// The extension of the file name at the end of `path`, with its dot; empty when it has none.
std::string_view Extension(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string_view::npos ? std::string_view{} : name.substr(dot);
}

}  // namespace

Rect FitImageRect(Size image, Size client) {
    Rect target{0, 0, client.cx, client.cy};
    if (image.cx <= 0 || image.cy <= 0 || client.cx <= 0 || client.cy <= 0) return target;
    const float imageAspect = static_cast<float>(image.cx) / static_cast<float>(image.cy);
    const float clientAspect = static_cast<float>(client.cx) / static_cast<float>(client.cy);
    if (imageAspect > clientAspect) {
        const int height = MulDiv(client.cx, image.cy, image.cx);
        target.top = (client.cy - height) / 2;
        target.bottom = target.top + height;
    } else if (imageAspect < clientAspect) {
        const int width = MulDiv(client.cy, image.cx, image.cy);
        target.left = (client.cx - width) / 2;
        target.right = target.left + width;
    }
    return target;
}

EncoderFilter BuildEncoderFilter(std::span<const ImageEncoder> encoders) {
    std::vector<std::string> entries;
    for (const ImageEncoder& encoder : encoders) {
        entries.push_back(encoder.description + kFilterSeparator + AsciiLower(encoder.extensions) +
                          kFilterSeparator);
    }
    const auto bitmap = std::find_if(entries.begin(), entries.end(), [](const std::string& e) {
        return ContainsNoCase(e, kBitmapFormat);
    });
    if (bitmap != entries.end()) std::rotate(bitmap, std::next(bitmap), entries.end());

    EncoderFilter result;
    for (const std::string& entry : entries) result.filter += entry;
    result.filter += kFilterSeparator;
    if (!entries.empty()) {
        const std::string& first = entries.front();
        const std::size_t start = first.find(kFilterSeparator) + 1;
        std::string_view pattern = std::string_view(first).substr(start);
        pattern = pattern.substr(0, pattern.find_first_of("|;"));
        if (pattern.starts_with(kPatternPrefix)) pattern.remove_prefix(kPatternPrefix.size());
        result.defaultExtension = pattern;
    }
    return result;
}

std::optional<std::size_t> FindEncoder(std::span<const ImageEncoder> encoders,
                                       std::string_view path) {
    const std::string_view extension = Extension(path);
    if (extension.empty()) return std::nullopt;
    for (std::size_t i = 0; i < encoders.size(); ++i) {
        if (ContainsNoCase(encoders[i].extensions, extension)) return i;
    }
    return std::nullopt;
}

std::uint32_t EncoderStatusError(int status) {
    if (status < 0 || static_cast<std::size_t>(status) >= std::size(kStatusErrors))
        return kUnknownStatusError;
    return kStatusErrors[status];
}

std::uint32_t SaveCapturedImage(const BitmapImage& image, const std::string& path,
                                std::span<const ImageEncoder> encoders, const EncoderWrite& write) {
    const std::optional<std::size_t> index = FindEncoder(encoders, path);
    if (!index) return kErrorNotSupported;
    return EncoderStatusError(write(encoders[*index], path, image));
}

}  // namespace nl
