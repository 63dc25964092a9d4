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

TEST(ClipTextTest, PreviewIsTheStartOfTheTextWithoutSplittingALineEndOrACharacter) {
    struct Case {
        std::string what;
        std::vector<std::uint8_t> bytes;
        std::size_t maxUnits;
        std::size_t maxLines;
        std::u16string text;
        std::size_t bytesUsed;
        bool cut;
    };
    const auto utf8 = [](std::string_view s) {
        return std::vector<std::uint8_t>(s.begin(), s.end());
    };
    const Case cases[] = {
        {"all of a short text", utf8("ab\r\ncd"), 10, 10, u"ab\r\ncd", 6, false},
        {"cut at the units", utf8("abcdef"), 4, 10, u"abcd", 4, true},
        {"exactly the units", utf8("abcd"), 4, 10, u"abcd", 4, false},
        {"cut at the lines", utf8("a\r\nb\nc\nd"), 100, 2, u"a\r\nb\n", 5, true},
        {"a line feed stays with its return", utf8("ab\r\ncd"), 3, 10, u"ab\r\n", 4, true},
        {"a surrogate pair stays whole", utf8("a\xF0\x9F\x98\x80z"), 2, 10, u"a\U0001F600", 5,
         true},
        {"ends at the null", utf8(std::string("ab\0cd", 5)), 10, 10, u"ab", 2, false},
        {"UTF-16 after its mark", {0xFF, 0xFE, 'h', 0, 'i', 0, '!', 0}, 2, 10, u"hi", 6, true},
    };
    for (const Case& c : cases) {
        const ClipTextPreview preview = PreviewClipText(c.bytes, c.maxUnits, c.maxLines);
        EXPECT_EQ(preview.text, c.text) << c.what;
        EXPECT_EQ(preview.bytes, c.bytesUsed) << c.what;
        EXPECT_EQ(preview.cut, c.cut) << c.what;
    }
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
