#include "model/CUnitsCol.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <stdexcept>
#include <string>

#include "model/css_color.h"

namespace nl {
namespace {

class CUnitsColTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_table.LoadColorFormats()); }

    // The text of `color` in the row named `name`.
    std::string Text(COLORREF color, const std::string& name) const {
        for (int row = 0; row < m_table.GetSize(); ++row) {
            if (m_table.GetAt(row).Name() == name) return m_table.FormatColor(color, row);
        }
        ADD_FAILURE() << "no row " << name;
        return {};
    }

    CUnitsCol m_table;
};

TEST_F(CUnitsColTest, LoadsTheDesktopRowsThenTheCssRowsWithLabelsAndFormatters) {
    struct Row {
        int id;
        const char* name;
        const char* format;
        ColorFormatter formatter;
    };
    const Row expected[] = {
        {0, "CMYK", "%d, %d, %d, %d", &CUnitCol::FormatCmyk},
        {1, "HSL", "%d, %d, %d", &CUnitCol::FormatHsl},
        {2, "HSV", "%d, %d, %d", &CUnitCol::FormatHsv},
        {3, "HTML", "%02X%02X%02X", &CUnitCol::FormatBytes},
        {4, "#HTML", "#%02X%02X%02X", &CUnitCol::FormatBytes},
        {5, "html", "%02x%02x%02x", &CUnitCol::FormatBytes},
        {6, "#html", "#%02x%02x%02x", &CUnitCol::FormatBytes},
        {7, "RGB 0-1", "%0.2f, %0.2f, %0.2f", &CUnitCol::FormatFractions},
        {8, "RGB 0-255", "%d, %d, %d", &CUnitCol::FormatBytes},
        {9, "rgb()", "rgb(%d %d %d)", &CUnitCol::FormatBytes},
        {10, "rgb(,)", "rgb(%d, %d, %d)", &CUnitCol::FormatBytes},
        {11, "hsl()", "hsl(%.0f %.0f%% %.0f%%)", &CUnitCol::FormatCssHsl},
        {12, "hwb()", "hwb(%.0f %.0f%% %.0f%%)", &CUnitCol::FormatCssHwb},
        {13, "lab()", "lab(%.2f%% %.2f %.2f)", &CUnitCol::FormatCssLab},
        {14, "lch()", "lch(%.2f%% %.2f %.1f)", &CUnitCol::FormatCssLch},
        {15, "oklab()", "oklab(%.2f%% %.3f %.3f)", &CUnitCol::FormatCssOklab},
        {16, "oklch()", "oklch(%.2f%% %.3f %.1f)", &CUnitCol::FormatCssOklch},
        {17, "0xRRGGBB", "0x%02X%02X%02X", &CUnitCol::FormatBytes},
    };
    constexpr int kRows = static_cast<int>(std::size(expected));
    ASSERT_EQ(m_table.GetSize(), kRows);
    for (int row = 0; row < kRows; ++row) {
        const CUnitCol& unit = m_table.GetAt(row);
        SCOPED_TRACE(row);
        EXPECT_EQ(unit.Id(), expected[row].id);
        EXPECT_EQ(unit.Name(), expected[row].name);
        EXPECT_EQ(unit.Label(), expected[row].name);
        EXPECT_EQ(unit.Format(), expected[row].format);
        EXPECT_EQ(unit.Formatter(), expected[row].formatter);
    }
    EXPECT_EQ(m_table.GetAt(CUnitsCol::kHashHtmlRow).Name(), "#HTML");
}

TEST_F(CUnitsColTest, KnownColorsInEveryForm) {
    struct Case {
        int r, g, b;
        const char* cmyk;
        const char* hsl;
        const char* hsv;
        const char* hashHtml;
        const char* fractions;
    };
    const Case cases[] = {
        {255, 0, 0, "0, 100, 100, 0", "0, 240, 120", "0, 100, 100", "#FF0000", "1.00, 0.00, 0.00"},
        {0, 255, 0, "100, 0, 100, 0", "80, 240, 120", "120, 100, 100", "#00FF00",
         "0.00, 1.00, 0.00"},
        {0, 0, 255, "100, 100, 0, 0", "160, 240, 120", "240, 100, 100", "#0000FF",
         "0.00, 0.00, 1.00"},
        {0, 0, 0, "0, 0, 0, 100", "160, 0, 0", "240, 0, 0", "#000000", "0.00, 0.00, 0.00"},
        {255, 255, 255, "0, 0, 0, 0", "160, 0, 240", "240, 0, 100", "#FFFFFF", "1.00, 1.00, 1.00"},
        {128, 128, 128, "0, 0, 0, 50", "160, 0, 120", "240, 0, 50", "#808080", "0.50, 0.50, 0.50"},
        {12, 200, 99, "94, 0, 51, 22", "99, 213, 100", "148, 94, 78", "#0CC863",
         "0.05, 0.78, 0.39"},
    };
    for (const Case& c : cases) {
        const COLORREF color = MakeRgb(c.r, c.g, c.b);
        SCOPED_TRACE(testing::Message() << c.r << "," << c.g << "," << c.b);
        EXPECT_EQ(Text(color, "CMYK"), c.cmyk);
        EXPECT_EQ(Text(color, "HSL"), c.hsl);
        EXPECT_EQ(Text(color, "HSV"), c.hsv);
        EXPECT_EQ(Text(color, "#HTML"), c.hashHtml);
        EXPECT_EQ(Text(color, "RGB 0-1"), c.fractions);
    }
    const COLORREF color = MakeRgb(12, 200, 99);
    EXPECT_EQ(Text(color, "HTML"), "0CC863");
    EXPECT_EQ(Text(color, "html"), "0cc863");
    EXPECT_EQ(Text(color, "#html"), "#0cc863");
    EXPECT_EQ(Text(color, "RGB 0-255"), "12, 200, 99");
}

// Reference texts from a CSS Color 4 implementation (colorjs.io), printed at the rows'
// precision; a hue is 0 where the chroma prints as zero.
TEST_F(CUnitsColTest, CssFormsMatchTheReferenceAndReadBack) {
    struct Case {
        const char* hex;
        const char* hsl;
        const char* hwb;
        const char* lab;
        const char* lch;
        const char* oklab;
        const char* oklch;
    };
    const Case cases[] = {
        {"#FF0000", "hsl(0 100% 50%)", "hwb(0 0% 0%)", "lab(54.29% 80.80 69.89)",
         "lch(54.29% 106.84 40.9)", "oklab(62.80% 0.225 0.126)", "oklch(62.80% 0.258 29.2)"},
        {"#00FF00", "hsl(120 100% 50%)", "hwb(120 0% 0%)", "lab(87.82% -79.27 80.99)",
         "lch(87.82% 113.33 134.4)", "oklab(86.64% -0.234 0.179)", "oklch(86.64% 0.295 142.5)"},
        {"#0000FF", "hsl(240 100% 50%)", "hwb(240 0% 0%)", "lab(29.57% 68.29 -112.03)",
         "lch(29.57% 131.20 301.4)", "oklab(45.20% -0.032 -0.312)", "oklch(45.20% 0.313 264.1)"},
        {"#000000", "hsl(0 0% 0%)", "hwb(0 0% 100%)", "lab(0.00% 0.00 0.00)", "lch(0.00% 0.00 0.0)",
         "oklab(0.00% 0.000 0.000)", "oklch(0.00% 0.000 0.0)"},
        {"#FFFFFF", "hsl(0 0% 100%)", "hwb(0 100% 0%)", "lab(100.00% 0.00 0.00)",
         "lch(100.00% 0.00 0.0)", "oklab(100.00% 0.000 0.000)", "oklch(100.00% 0.000 0.0)"},
        {"#808080", "hsl(0 0% 50%)", "hwb(0 50% 50%)", "lab(53.59% 0.00 0.00)",
         "lch(53.59% 0.00 0.0)", "oklab(59.99% 0.000 0.000)", "oklch(59.99% 0.000 0.0)"},
        {"#0CC863", "hsl(148 89% 42%)", "hwb(148 5% 22%)", "lab(71.04% -59.82 37.98)",
         "lch(71.04% 70.86 147.6)", "oklab(72.94% -0.170 0.094)", "oklch(72.94% 0.194 151.0)"},
        {"#C83264", "hsl(340 60% 49%)", "hwb(340 20% 22%)", "lab(46.86% 61.10 8.70)",
         "lch(46.86% 61.72 8.1)", "oklab(56.14% 0.187 0.019)", "oklch(56.14% 0.188 5.9)"},
        {"#1A5C9E", "hsl(210 72% 36%)", "hwb(210 10% 38%)", "lab(37.80% -1.25 -42.41)",
         "lch(37.80% 42.43 268.3)", "oklab(47.01% -0.038 -0.119)", "oklch(47.01% 0.125 252.4)"},
        {"#663399", "hsl(270 50% 40%)", "hwb(270 20% 40%)", "lab(32.39% 38.42 -47.69)",
         "lch(32.39% 61.24 308.9)", "oklab(44.03% 0.088 -0.134)", "oklch(44.03% 0.160 303.4)"},
        {"#FFA500", "hsl(39 100% 50%)", "hwb(39 0% 0%)", "lab(75.59% 27.52 79.12)",
         "lch(75.59% 83.77 70.8)", "oklab(79.27% 0.057 0.161)", "oklch(79.27% 0.171 70.7)"},
    };
    const auto row = [this](const std::string& name) -> const CUnitCol& {
        for (const CUnitCol& unit : m_table)
            if (unit.Name() == name) return unit;
        throw std::out_of_range(name);
    };
    const auto near = [](COLORREF a, COLORREF b, int slack) {
        return std::abs(RgbRed(a) - RgbRed(b)) <= slack &&
               std::abs(RgbGreen(a) - RgbGreen(b)) <= slack &&
               std::abs(RgbBlue(a) - RgbBlue(b)) <= slack;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hex);
        const COLORREF color = ParseCssColor(c.hex)->color;
        const std::pair<const char*, const char*> forms[] = {
            {"hsl()", c.hsl}, {"hwb()", c.hwb},     {"lab()", c.lab},
            {"lch()", c.lch}, {"oklab()", c.oklab}, {"oklch()", c.oklch},
        };
        for (const auto& [name, text] : forms) {
            EXPECT_EQ(row(name).FormatColor(color), text) << name;
            // Whole percents and degrees, and OKLab's thousandths, can land a few steps away.
            const int slack = std::string_view(name) == "lab()" ? 1 : 4;
            const auto back = row(name).ReadColor(text);
            ASSERT_TRUE(back.has_value()) << text;
            EXPECT_TRUE(near(*back, color, slack)) << text << " read as " << HashColor(*back);
        }
        for (const char* name : {"rgb()", "rgb(,)", "0xRRGGBB"})
            EXPECT_EQ(row(name).ReadColor(row(name).FormatColor(color)), color) << name;
    }
    const COLORREF color = MakeRgb(230, 57, 70);
    EXPECT_EQ(row("rgb()").FormatColor(color), "rgb(230 57 70)");
    EXPECT_EQ(row("rgb(,)").FormatColor(color), "rgb(230, 57, 70)");
    EXPECT_EQ(row("0xRRGGBB").FormatColor(color), "0xE63946");
}

TEST_F(CUnitsColTest, UnusableRowsAndIndexesGiveNoText) {
    const COLORREF color = MakeRgb(12, 200, 99);
    EXPECT_THROW(m_table.FormatColor(color, m_table.GetSize()), std::out_of_range);
    EXPECT_THROW(m_table.FormatColor(color, -1), std::out_of_range);
    EXPECT_THROW(CUnitsCol().GetAt(0), std::out_of_range);
    EXPECT_EQ(m_table.FormatColor(kNoColor, 0), "");

    struct Case {
        int id;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {18, "%d, %d, %d", ""},          // no formatter above 17
        {-1, "%d, %d, %d", ""},          // nor below 0
        {8, "%d, %d", ""},               // too few conversions
        {8, "%d, %d, %d, %d", ""},       // too many: would read a missing argument
        {8, "%s, %d, %d", ""},           // a string conversion would read an int as a pointer
        {7, "%d, %d, %d", ""},           // integers for the doubles of the fractions
        {1, "%0.2f, %0.2f, %0.2f", ""},  // doubles for the integers of HSL
        {0, "%d-%d-%d", ""},             // CMYK prints four values
        {8, "%*d, %d, %d", ""},          // a '*' width would read an extra argument
        {8, "%ld, %d, %d", ""},          // length modifiers are not accepted
        {8, "%d%%, %d, %d", "12%, 200, 99"},
        {3, "%x-%o-%5d", "c-310-   99"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(CUnitCol(c.id, "x", c.format).FormatColor(color), c.expected);
    }
}

}  // namespace
}  // namespace nl
