#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bitmap_file.h"

namespace nl {

// The names of the formats the program puts on the clipboard (MIME types).
inline constexpr std::string_view kClipboardTextFormat = "text/plain";
inline constexpr std::string_view kClipboardBitmapFormat = "image/bmp";

// One format of the clipboard's contents with its data.
struct ClipboardFormat {
    std::string name;
    std::vector<std::uint8_t> bytes;
    friend bool operator==(const ClipboardFormat&, const ClipboardFormat&) = default;
};

// The system clipboard. Text is UTF-8 here and Unicode text on the clipboard. Every Set
// replaces all of the clipboard's contents.
class IClipboard {
public:
    // Called on the user-interface thread after the clipboard's contents changed, by this
    // program or another.
    using ChangeListener = std::function<void()>;

    virtual ~IClipboard() = default;
    // Puts `text` on the clipboard; returns 0 or a system error code.
    virtual std::uint32_t SetText(const std::string& text) = 0;
    // The clipboard's Unicode text, or nothing when it holds none.
    virtual std::optional<std::string> Text() const = 0;
    // Puts `image` on the clipboard as a picture other programs can paste; returns 0 or a
    // system error code (kErrorInvalidParameter for an empty image).
    virtual std::uint32_t SetImage(const BitmapImage& image) = 0;
    // The clipboard's picture, or nothing when it holds none.
    virtual std::optional<BitmapImage> Image() const = 0;
    // Puts all of `formats` on the clipboard at once (a later format of the same name
    // replaces an earlier one); returns 0 or a system error code.
    virtual std::uint32_t SetFormats(const std::vector<ClipboardFormat>& formats) = 0;
    // Every format on the clipboard in the order its owner offers them, each with its data;
    // empty when the clipboard is empty.
    virtual std::vector<ClipboardFormat> Formats() const = 0;
    // The names of the formats on the clipboard in the order its owner offers them, without
    // reading their data.
    virtual std::vector<std::string> FormatNames() const = 0;
    // The data of format `name`; nothing when the clipboard does not hold it.
    virtual std::optional<std::vector<std::uint8_t>> Data(const std::string& name) const = 0;
    // Empties the clipboard; returns 0 or a system error code.
    virtual std::uint32_t Clear() = 0;
    // Sets the function called after each change (replacing the last one; empty: none).
    virtual void SetChangeListener(ChangeListener listener) = 0;
};

}  // namespace nl
