#include "clipboard/clip_data.h"

#include <gtest/gtest.h>

#include "model/NumberFormat.h"

namespace nl {
namespace {

TEST(ClipDataTest, ByteSizesTakeTheUnitOfTheirRange) {
    NumberFormat grouped = NumberFormat::Neutral();
    grouped.decimalSep = ",";
    const struct {
        std::uint64_t bytes;
        std::string text;
    } cases[] = {
        {0, "0 B"},           {1023, "1023 B"},        {1024, "1 KB"},
        {1536, "1,5 KB"},     {0xFFFFF, "1024,00 KB"}, {0x100000, "1 MB"},
        {0x40000000, "1 GB"}, {0x10000000000, "1 TB"}, {0x4000000000000, "1 PB"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatByteSize(c.bytes, grouped), c.text) << c.bytes;
}

TEST(ClipDataTest, BitmapSizeAddsThePaletteAllowance) {
    const struct {
        std::uint32_t height, rowBytes, bits;
        std::uint64_t size;
    } cases[] = {
        {32, 4, 1, 54 + 128 + 8},     {10, 8, 4, 54 + 80 + 64}, {10, 8, 2, 54 + 80 + 64},
        {10, 12, 8, 54 + 120 + 1024}, {10, 48, 24, 54 + 480},   {10, 64, 32, 54 + 640},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BitmapDataSize(c.height, c.rowBytes, c.bits), c.size) << c.bits;
}

TEST(ClipDataTest, MetafileHeaderGivesBoundsAndByteCount) {
    std::vector<std::uint8_t> header(88, 0);
    const auto put = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) header[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put(0, 1);
    put(8, 10);   // left
    put(12, 20);  // top
    put(16, 110);
    put(20, 70);
    put(40, 0x464D4520);
    put(48, 4096);
    const auto read = ReadMetafileHeader(header);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->width, 100);
    EXPECT_EQ(read->height, 50);
    EXPECT_EQ(read->bytes, 4096u);
    put(40, 0);
    EXPECT_FALSE(ReadMetafileHeader(header).has_value());
    EXPECT_FALSE(ReadMetafileHeader(std::span(header).first(40)).has_value());
}

TEST(ClipDataTest, UriListBecomesPathsAndTheFileListText) {
    const std::string list =
        "# copied\r\nfile:///home/u/a%20b.txt\r\nhttp://example.com/x\r\nfile://host/tmp/c\n";
    const std::vector<std::uint8_t> bytes(list.begin(), list.end());
    const std::vector<std::string> paths = DecodeUriList(bytes);
    EXPECT_EQ(paths, (std::vector<std::string>{"/home/u/a b.txt", "/tmp/c"}));
    EXPECT_EQ(FileListText(paths), u"/home/u/a b.txt\r\n/tmp/c\r\n");
    const std::string longPath = "/" + std::string(2000, 'x');
    EXPECT_EQ(FileListText({longPath}).size(), 1040u + 2);
}

}  // namespace
}  // namespace nl
