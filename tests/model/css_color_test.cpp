// Colors written as CSS writes them, against colorjs.io's reading of the same texts (its
// sRGB coordinates clamped and rounded to 8 bits, as the program keeps colors).
#include "model/css_color.h"

#include <gtest/gtest.h>

#include <string>

#include "hex_color.h"
#include "model/color_input.h"

namespace nl {
namespace {

using test::Hex;

TEST(CssColorTest, EveryFormReadsAsTheReferenceDoes) {
    struct Case {
        const char* text;
        const char* color;
        bool alphaDropped;
    };
    const Case cases[] = {
        {"rgb(230, 57, 70)", "#E63946", false},
        {"rgb(230 57 70)", "#E63946", false},
        {"rgb(90% 22.4% 27.5%)", "#E63946", false},
        {"rgba(230,57,70,0.5)", "#E63946", true},
        {"rgb(230 57 70 / 50%)", "#E63946", true},
        {"hsl(355 78% 56%)", "#E63746", false},
        {"hsl(355deg, 78%, 56%)", "#E63746", false},
        {"hsl(0.986turn 78% 56%)", "#E63746", false},
        {"hsla(120, 100%, 25%, 1)", "#008000", false},
        {"hsl(-120 40% 40%)", "#3D3D8F", false},
        {"hwb(355 22% 12%)", "#E03846", false},
        {"hwb(200 60% 60%)", "#808080", false},
        {"lab(50% 40 30)", "#BB5846", false},
        {"lab(52.2 70 35)", "#E82E46", false},
        {"lch(52.2 78 27)", "#E82F46", false},
        {"lch(70% 45 200)", "#00C0C6", false},
        {"oklab(0.6 0.15 0.05)", "#CD515B", false},
        {"oklab(62.8% 0.22 0.126)", "#FD1000", false},
        {"oklch(0.628 0.2577 29.23)", "#FF0000", false},
        {"oklch(70% 0.1 200deg)", "#40B1B7", false},
        {"oklch(0.5 0.05 3.14rad)", "#426D64", false},
        {"#E63946", "#E63946", false},
        {"#e63", "#EE6633", false},
        {"#E639467F", "#E63946", true},
        {"#e638", "#EE6633", true},
        {"RebeccaPurple", "#663399", false},
        {"lab(100 0 0)", "#FFFFFF", false},
        {"lch(0 0 0)", "#000000", false},
        {"rgb(300 -20 128)", "#FF0080", false},
        {"oklch(0.7 0.4 150)", "#00D600", false},
        {"0xE63946", "#E63946", false},
        {"  White ", "#FFFFFF", false},
        {"CYAN", "#00FFFF", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string error;
        const auto parsed = ParseCssColor(c.text, &error);
        ASSERT_TRUE(parsed.has_value()) << error;
        EXPECT_EQ(parsed->color, Hex(c.color));
        EXPECT_EQ(parsed->alphaDropped, c.alphaDropped);
    }
}

TEST(CssColorTest, WhatIsNotAColorSaysWhy) {
    const std::pair<const char*, const char*> cases[] = {
        {"transparent", "transparent has no color to use"},
        {"#12345", "a # takes 3, 4, 6 or 8 hexadecimal digits"},
        {"#GGG", "a # takes 3, 4, 6 or 8 hexadecimal digits"},
        {"0x123", "0x takes six hexadecimal digits"},
        {"rgb(1 2)", "rgb() takes three values and an optional alpha"},
        {"rgb(1, 2, 3, 4, 5)", "rgb() takes three values and an optional alpha"},
        {"rgb(1 2 x)", "\"x\" is not a number"},
        {"rgb(1deg 2 3)", "rgb(): red, green and blue are numbers 0-255 or percentages"},
        {"hsl(10% 20% 30%)", "hsl(): a hue, then two percentages"},
        {"rgb(1 2 / 3)", "the alpha after / follows three values"},
        {"color(srgb 1 0 0)", "unknown color function color()"},
        {"rgb(1 2 3", "a color function is written name(values)"},
        {"reddish", "not a CSS color"},
        {"", "not a CSS color"},
    };
    for (const auto& [text, why] : cases) {
        std::string error;
        EXPECT_FALSE(ParseCssColor(text, &error).has_value()) << text;
        EXPECT_EQ(error, why) << text;
    }
}

TEST(CssColorTest, NamesAreFoundForTheirColors) {
    EXPECT_EQ(CssColorName(Hex("#663399")), "rebeccapurple");
    // Two names for one color: the first alphabetically.
    EXPECT_EQ(CssColorName(Hex("#00FFFF")), "aqua");
    EXPECT_EQ(CssColorName(Hex("#808080")), "gray");
    EXPECT_EQ(CssColorName(Hex("#E63946")), std::nullopt);
}

// Typed colors: the program's own forms first, then everything CSS reads.
TEST(CssColorTest, TypedColorsReadInEveryForm) {
    const std::pair<const char*, const char*> read[] = {
        {" 1A5C9E ", "#1A5C9E"}, {"26, 92,158", "#1A5C9E"}, {"hsl:120,240,120", "#00FFFF"},
        {"#1a5c9e", "#1A5C9E"},  {"Tomato", "#FF6347"},     {"rgb(26 92 158)", "#1A5C9E"},
        {"0x1A5C9E", "#1A5C9E"},
    };
    for (const auto& [text, color] : read) {
        const auto got = ReadColorInput(text);
        ASSERT_TRUE(got.has_value()) << text;
        EXPECT_EQ(got->color, Hex(color)) << text;
    }
    for (const char* text :
         {"", "26,92", "26,92,158,1", "256,0,0", "hsl:241,0,0", "1A5C9", "blurple"}) {
        EXPECT_FALSE(ReadColorInput(text).has_value()) << text;
    }
    std::string why;
    EXPECT_FALSE(ReadColorInput("transparent", &why).has_value());
    EXPECT_FALSE(why.empty());
}

// The nearest names and their OKLab distances as culori's nearest() with
// differenceEuclidean('oklab') finds them.
TEST(CssColorTest, NearestNameIsTheReferencesNearest) {
    struct Case {
        const char* color;
        const char* name;
        double distance;
    };
    const Case cases[] = {
        {"#E63946", "crimson", 0.04403},   {"#1A5C9E", "darkslateblue", 0.09122},
        {"#FF6346", "tomato", 0.00096},    {"#777777", "gray", 0.03061},
        {"#FFFFFF", "white", 0},           {"#010101", "black", 0.06720},
        {"#7F7F7F", "gray", 0.00338},      {"#F0F8FE", "aliceblue", 0.00136},
        {"#2A9D8F", "cadetblue", 0.05026}, {"#00FFFF", "aqua", 0},
    };
    for (const Case& c : cases) {
        const NearestCssName nearest = NearestCssColorName(Hex(c.color));
        EXPECT_EQ(nearest.name, c.name) << c.color;
        EXPECT_NEAR(nearest.distance, c.distance, 5e-5) << c.color;
        EXPECT_EQ(nearest.exact, c.distance == 0) << c.color;
    }
    EXPECT_EQ(CssNameText(Hex("#FF6347")), "tomato");
    EXPECT_EQ(CssNameText(Hex("#FF6346")), "\u2248 tomato");
}

}  // namespace
}  // namespace nl
