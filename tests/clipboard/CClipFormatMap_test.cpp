#include "clipboard/CClipFormatMap.h"

#include <gtest/gtest.h>

namespace nl {
namespace {

TEST(CClipFormatMapTest, MimeTypesMapOntoFormatNumbers) {
    CClipFormatMap map;
    const std::uint32_t rtf = map.Rtf();
    const std::uint32_t html = map.Html();
    EXPECT_EQ(rtf, kFirstRegisteredFormat);
    EXPECT_EQ(html, kFirstRegisteredFormat + 1);
    const struct {
        std::string mime;
        std::uint32_t format;
    } cases[] = {
        {"text/plain;charset=utf-8", kCfUnicodeText},
        {"text/plain", kCfUnicodeText},
        {"UTF8_STRING", kCfUnicodeText},
        {"text/rtf", rtf},
        {"application/rtf", rtf},
        {"text/html", html},
        {"image/png", kCfBitmap},
        {"image/bmp", kCfBitmap},
        {"application/x-qt-image", kCfBitmap},
        {"image/x-emf", kCfEnhMetafile},
        {"text/uri-list", kCfHDrop},
        {"TARGETS", 0},
        {"TIMESTAMP", 0},
        {"MULTIPLE", 0},
        {"SAVE_TARGETS", 0},
        {"application/x-qt-windows-mime;value=\"Rich Text Format\"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(map.FormatOf(c.mime), c.format) << c.mime;

    // Other types get numbers of their own in the order first seen, the same each time.
    const std::uint32_t first = map.FormatOf("application/x-custom");
    const std::uint32_t second = map.FormatOf("text/x-moz-url-priv");
    EXPECT_EQ(first, kFirstRegisteredFormat + 2);
    EXPECT_EQ(second, kFirstRegisteredFormat + 3);
    EXPECT_EQ(map.FormatOf("application/x-custom"), first);
    EXPECT_EQ(map.RegisteredName(second), "text/x-moz-url-priv");
}

TEST(CClipFormatMapTest, MapListsEachFormatOnceInOfferOrderAndHidesProtocolTargets) {
    CClipFormatMap map;
    const std::vector<ClipEntry> entries =
        map.Map({"TARGETS", "image/png", "text/plain", "image/bmp", "UTF8_STRING",
                 "text/plain;charset=utf-8", "text/html"});
    const std::vector<ClipEntry> expected = {
        {kCfBitmap, "image/png"}, {kCfUnicodeText, "text/plain"}, {map.Html(), "text/html"}};
    EXPECT_EQ(entries, expected);
}

TEST(CClipFormatMapTest, NamesAreStandardShortNamesRegisteredNamesOrNotAvailable) {
    CClipFormatMap map;
    const std::uint32_t longName = map.Register(std::string(300, 'n'));
    const struct {
        std::uint32_t format;
        std::string name;
    } cases[] = {
        {1, "TEXT"},
        {2, "BITMAP"},
        {13, "UNICODETEXT"},
        {15, "HDROP"},
        {17, "DIBV5"},
        {18, "n/a"},
        {map.Rtf(), "Rich Text Format"},
        {0xC0FF, "n/a"},
        {longName, std::string(255, 'n')},
    };
    for (const auto& c : cases) EXPECT_EQ(ClipFormatName(map, c.format), c.name) << c.format;
}

}  // namespace
}  // namespace nl
