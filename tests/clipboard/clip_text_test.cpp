#include "clipboard/clip_text.h"

#include <gtest/gtest.h>

namespace nl {
namespace {

TEST(ClipTextTest, StatisticsCountLinesWordsAndCharacterClasses) {
    struct Case {
        std::u16string text;
        TextStats expected;  // lines, words, chars, visible, spaces, controls
    };
    const Case cases[] = {
        // The carriage return, line feed and terminating null are characters and controls.
        {u"ab cd\r\nef", {2, 3, 10, 6, 1, 3}},
        // A hyphen right before the line end keeps the word going.
        {u"multi-\r\nline", {2, 1, 13, 10, 0, 3}},
        {u"multi\r\nline", {2, 2, 12, 9, 0, 3}},
        // Lone line feeds end lines too; a tab is a control, not a space.
        {u"a\nb\tc", {2, 3, 6, 3, 0, 3}},
        // Apostrophes and periods go on inside a word; "_" starts one.
        {u"don't _x", {1, 2, 9, 7, 1, 1}},
        // A no-break space separates words.
        {u"a\u00A0b", {1, 2, 4, 2, 1, 1}},
    };
    for (const Case& c : cases) {
        const auto stats = CollectTextStats(c.text, {});
        ASSERT_TRUE(stats.has_value());
        EXPECT_EQ(*stats, c.expected) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(ClipTextTest, StatisticsStopWhenAskedAndForAnEmptyText) {
    EXPECT_EQ(CollectTextStats(u"", {}), std::nullopt);
    int asked = 0;
    const auto stopAtThird = [&asked] { return ++asked == 3; };
    EXPECT_EQ(CollectTextStats(u"abcdef", stopAtThird), std::nullopt);
    EXPECT_EQ(asked, 3);
    // Asked once before each character.
    asked = 0;
    EXPECT_TRUE(CollectTextStats(u"a\r\nb", [&asked] { return ++asked > 3; }).has_value());
    EXPECT_EQ(asked, 3);
}

TEST(ClipTextTest, HtmlStartPrefersTheHeaderOffsetThenTheFirstMarkup) {
    struct Case {
        std::u16string text;
        std::size_t start;
    };
    const Case cases[] = {
        {u"Version:0.9\r\nStartHTML:0000000042\r\n<html>", 42},
        {u"StartHTML:0000000000\r\nx<!DOCTYPE html><html>", 23},
        {u"junk <body><p>", 5},
        {u"<p>hi</p>", 0},
        {u"text <b>bold</b> <html>", 17},
        {u"plain", 0},
        // The number is only looked for in the 20 characters after the key.
        {u"StartHTML:" + std::u16string(21, u' ') + u"7 <b>", 33},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HtmlStart(c.text), c.start) << std::string(c.text.begin(), c.text.end());
}

TEST(ClipTextTest, DecodesUtf8AndUtf16WithBomAndSavesLittleEndianWithoutBom) {
    const std::vector<std::uint8_t> utf8 = {'a', 0xC3, 0xA9, 0, 'z'};
    EXPECT_EQ(DecodeClipText(utf8), u"a\u00E9");
    const std::vector<std::uint8_t> utf16le = {0xFF, 0xFE, 'h', 0, 0xAC, 0x20};
    EXPECT_EQ(DecodeClipText(utf16le), u"h\u20AC");
    const std::vector<std::uint8_t> utf16be = {0xFE, 0xFF, 0, 'h', 0x20, 0xAC};
    EXPECT_EQ(DecodeClipText(utf16be), u"h\u20AC");
    EXPECT_EQ(Utf16LeBytes(u"h\u20AC"), (std::vector<std::uint8_t>{'h', 0, 0xAC, 0x20}));
}

}  // namespace
}  // namespace nl
