#include "model/CUnitsCol.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

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

TEST_F(CUnitsColTest, LoadsNineRowsInOrderWithLabelsAndFormatters) {
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
    };
    ASSERT_EQ(m_table.GetSize(), 9);
    for (int row = 0; row < 9; ++row) {
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

TEST_F(CUnitsColTest, UnusableRowsAndIndexesGiveNoText) {
    const COLORREF color = MakeRgb(12, 200, 99);
    EXPECT_THROW(m_table.FormatColor(color, 9), std::out_of_range);
    EXPECT_THROW(m_table.FormatColor(color, -1), std::out_of_range);
    EXPECT_THROW(CUnitsCol().GetAt(0), std::out_of_range);
    EXPECT_EQ(m_table.FormatColor(kNoColor, 0), "");

    struct Case {
        int id;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {9, "%d, %d, %d", ""},           // no formatter above 8
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
