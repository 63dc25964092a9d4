#include "cli/screen_support.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "base/CSystemError.h"
#include "capture/captured_image.h"
#include "cli/command_support.h"
#include "cli/jpeg_file.h"
#include "cli/png_file.h"
#include "cli/wayland_screen.h"
#include "platform/local/LocalFileSystem.h"
#include "platform/xcb/CXcbDesktop.h"
#include "platform/xcb/xcb_support.h"
#include "platform/xcb/xwayland_server.h"

namespace nl::cli {
namespace {

// Screen coordinates and sizes fit the X server's 16 bits.
constexpr std::int64_t kMinCoordinate = -32768;
constexpr std::int64_t kMaxCoordinate = 65535;

// The encoders of the command line, found by extension as the program's are.
enum EncoderIndex : std::size_t { kPng, kJpeg, kBmp };
const ImageEncoder kEncoders[] = {
    {"PNG", "*.png", "png"},
    {"JPEG", "*.jpg;*.jpeg;*.jpe;*.jfif", "jpeg"},
    {"Bitmap", "*.bmp;*.dib", "bmp"},
};

std::vector<std::uint8_t> Encode(std::size_t encoder, const PixelRows& rows) {
    switch (encoder) {
        case kJpeg:
            return EncodeJpegFile(rows);
        case kBmp:
            return EncodeBitmapFile(rows.first, rows.stride, rows.width, rows.height);
        default:
            return EncodePngFile(rows);
    }
}

}  // namespace

std::unique_ptr<IDesktop> OpenDesktop(ScreenUse use) {
    // The one place that chooses the desktop the screen commands read.
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const bool hasX = display != nullptr && *display != '\0';
    const bool hasWayland = wayland != nullptr && *wayland != '\0';
    if (!hasX && !hasWayland)
        throw std::runtime_error("no display: set WAYLAND_DISPLAY or DISPLAY");
#if NL_WITH_WAYLAND
    if (!hasX) return OpenWaylandDesktop(nullptr);
#else
    if (!hasX)
        throw std::runtime_error(
            "this nerimlens-cli was built without Wayland support: set DISPLAY to an X display");
#endif
    if (!x11::OpenOwnConnection())
        throw std::runtime_error("cannot open the X display \"" + std::string(display) + "\"");
    auto x11 = std::make_unique<CXcbDesktop>(x11::OwnConnection(), use == ScreenUse::kPixels
                                                                       ? GrabMethod::kGetImage
                                                                       : GrabMethod::kSharedMemory);
    // XWayland inside a Wayland session: the X server shows black where Wayland windows are.
#if NL_WITH_WAYLAND
    if (hasWayland && x11::IsXWaylandServer(x11::OwnConnection()))
        return OpenWaylandDesktop(std::move(x11));
#endif
    return x11;
}

std::vector<int> ParseNumbersArgument(std::string_view text, std::size_t count,
                                      std::string_view what, std::string_view form) {
    std::vector<int> values;
    std::string_view rest = text;
    for (;;) {
        const std::size_t comma = rest.find(',');
        const auto value = ParseWholeNumber(rest.substr(0, comma), kMinCoordinate, kMaxCoordinate);
        if (!value) break;
        values.push_back(static_cast<int>(*value));
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    if (values.size() != count || rest.find(',') != std::string_view::npos)
        throw UsageError("invalid " + std::string(what) + " \"" + std::string(text) +
                         "\": expected " + std::string(form));
    return values;
}

Point ParsePointArgument(std::string_view text, std::string_view what) {
    const std::vector<int> v =
        ParseNumbersArgument(text, 2, what, "X,Y in whole pixels such as 120,40");
    return {v[0], v[1]};
}

void CheckImagePath(const std::string& path) {
    if (path != kStandardOutput && !FindEncoder(kEncoders, path))
        throw UsageError("cannot write \"" + path + "\": " + std::string(kImageFileForms));
}

void WriteImage(const BitmapImage& image, const std::string& path) {
    WriteImage(RowsOf(image), path);
}

void WriteImage(const PixelRows& rows, const std::string& path) {
    if (path == kStandardOutput) {
        const std::vector<std::uint8_t> bytes = EncodePngFile(rows);
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
            std::fflush(stdout) != 0)
            throw std::runtime_error("cannot write the image to standard output");
        return;
    }
    const std::optional<std::size_t> encoder = FindEncoder(kEncoders, path);
    if (!encoder)
        throw UsageError("cannot write \"" + path + "\": " + std::string(kImageFileForms));
    const std::vector<std::uint8_t> bytes = Encode(*encoder, rows);
    RunNamingFile(FileUse::kWrite, path, [&] {
        LocalFileSystem files;
        if (const std::uint32_t error = files.WriteFile(path, bytes); error != 0)
            throw CSystemError(error, path);
        return std::string();
    });
}

}  // namespace nl::cli
