#include "platform/fake/FakeClipboard.h"

#include <gtest/gtest.h>

#include "base/CSystemError.h"

namespace nl {
namespace {

std::vector<std::uint8_t> BytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST(FakeClipboardTest, FormatsRoundTripAndEachSetReplacesTheContents) {
    FakeClipboard clipboard;
    int changes = 0;
    clipboard.SetChangeListener([&] { ++changes; });

    const std::vector<ClipboardFormat> several = {
        {"text/plain", BytesOf("#FF8000")},
        {"text/html", BytesOf("<b>#FF8000</b>")},
        {"application/x-empty", {}},
        {"text/plain", BytesOf("#0080FF")},  // replaces the first, in its place
    };
    ASSERT_EQ(clipboard.SetFormats(several), kErrorSuccess);
    const std::vector<ClipboardFormat> expected = {
        {"text/plain", BytesOf("#0080FF")},
        {"text/html", BytesOf("<b>#FF8000</b>")},
        {"application/x-empty", {}},
    };
    EXPECT_EQ(clipboard.Formats(), expected);
    EXPECT_EQ(clipboard.Text(), "#0080FF");
    EXPECT_EQ(clipboard.Image(), std::nullopt);

    const BitmapImage image{2, 1, {0xFF112233, 0xFF445566}};
    ASSERT_EQ(clipboard.SetImage(image), kErrorSuccess);
    ASSERT_EQ(clipboard.Formats().size(), 1u);
    EXPECT_EQ(clipboard.Formats()[0].name, kClipboardBitmapFormat);
    EXPECT_EQ(clipboard.Formats()[0].bytes.size(), kBitmapHeaderSize + 2 * 4);
    EXPECT_EQ(clipboard.Image(), image);
    EXPECT_EQ(clipboard.Text(), std::nullopt);
    EXPECT_EQ(clipboard.SetImage(BitmapImage{}), kErrorInvalidParameter);
    EXPECT_EQ(clipboard.Image(), image);

    // A failing clipboard keeps what it holds and tells nobody.
    clipboard.FailWith(kErrorAccessDenied);
    EXPECT_EQ(clipboard.SetText("lost"), kErrorAccessDenied);
    EXPECT_EQ(clipboard.Clear(), kErrorAccessDenied);
    EXPECT_EQ(clipboard.Image(), image);
    EXPECT_EQ(changes, 2);

    clipboard.FailWith(0);
    ASSERT_EQ(clipboard.Clear(), kErrorSuccess);
    EXPECT_TRUE(clipboard.Formats().empty());
    EXPECT_EQ(changes, 3);
}

}  // namespace
}  // namespace nl
