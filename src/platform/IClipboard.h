#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
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

// How a read of one format ended.
enum class ClipboardReadStatus {
    kDone,      // `bytes` hold all of the data
    kCut,       // the data is larger than asked for: `bytes` hold its start
    kMissing,   // the clipboard does not hold the format (or its owner refused it)
    kTimedOut,  // the clipboard's owner did not answer in time
};

// The outcome of a read that does not wait: the data's size (for kCut at least this many
// bytes: an owner that sends data in parts may announce less than it sends) and as many of
// its bytes as were asked for.
struct ClipboardRead {
    ClipboardReadStatus status = ClipboardReadStatus::kMissing;
    std::uint64_t size = 0;
    std::vector<std::uint8_t> bytes;
};

// The read of `bytes` when at most `maxBytes` of them were asked for; only those are copied.
inline ClipboardRead CutRead(std::span<const std::uint8_t> bytes, std::size_t maxBytes) {
    const bool cut = bytes.size() > maxBytes;
    return {cut ? ClipboardReadStatus::kCut : ClipboardReadStatus::kDone, bytes.size(),
            std::vector<std::uint8_t>(bytes.begin(), cut ? bytes.begin() + maxBytes : bytes.end())};
}

// The system clipboard. Text is UTF-8 here and Unicode text on the clipboard. Every Set
// replaces all of the clipboard's contents.
class IClipboard {
public:
    // Called on the user-interface thread after the clipboard's contents changed, by this
    // program or another.
    using ChangeListener = std::function<void()>;
    // Called with the format names, or with nothing when the owner did not answer in time.
    using NamesDone = std::function<void(std::optional<std::vector<std::string>>)>;
    using ReadDone = std::function<void(ClipboardRead)>;

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

    // Reading without waiting. Another program owns the clipboard's contents and may answer
    // slowly or never; these requests never block the caller. Each one ends with a single
    // call of its `done` on the user-interface thread, after the call returns or, for
    // contents that are at hand, before it returns; requests are answered in the order made,
    // and an owner that does not answer within a time limit well under a second ends the
    // request as timed out.
    // The names of the formats, as FormatNames gives them.
    virtual void RequestFormatNames(NamesDone done) = 0;
    // The data of format `name`, at most `maxBytes` of it (0: only its size).
    virtual void RequestData(const std::string& name, std::size_t maxBytes, ReadDone done) = 0;
    // Gives up every request not yet answered: their `done` is never called.
    virtual void CancelRequests() = 0;

    // Sets the function called after each change (replacing the last one; empty: none).
    virtual void SetChangeListener(ChangeListener listener) = 0;
};

}  // namespace nl
