#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/bitmap_file.h"
#include "base/geometry.h"

namespace nl {
class IDesktop;
}

namespace nl::cli {

// How a command reads the screen: a single pixel is quickest read by a plain request, a
// large area through shared memory.
enum class ScreenUse { kPixels, kAreas };

// The live desktop, read over the program's own connection (no application object and no
// window): the X server that DISPLAY names, or the Wayland compositor that WAYLAND_DISPLAY
// names when DISPLAY is unset; with both and the X server being XWayland, the X server's
// windows and the compositor's pixels.
// Throws std::runtime_error "no display: set WAYLAND_DISPLAY or DISPLAY" when neither is set,
// and a message naming the reason when the display cannot be reached or read.
std::unique_ptr<IDesktop> OpenDesktop(ScreenUse use);

// "X,Y" in whole pixels; throws UsageError naming `what`.
Point ParsePointArgument(std::string_view text, std::string_view what);
// `count` comma-separated whole numbers; throws UsageError naming `what` and `form`.
std::vector<int> ParseNumbersArgument(std::string_view text, std::size_t count,
                                      std::string_view what, std::string_view form);

// The output name that stands for standard output.
inline constexpr std::string_view kStandardOutput = "-";

// The image file forms the command line writes, for its messages.
inline constexpr std::string_view kImageFileForms =
    "the image file must end in .png or .bmp, or be - for PNG on standard output";

// Checks that `path` names an image form the command line writes; throws UsageError.
void CheckImagePath(const std::string& path);

// Writes `image` to `path` in the form its extension names, replacing the file as a whole,
// or as PNG on standard output for "-". Errors name the file.
void WriteImage(const BitmapImage& image, const std::string& path);

}  // namespace nl::cli
