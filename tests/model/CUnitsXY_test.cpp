#include "model/CUnitsXY.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace nl {
namespace {

constexpr DisplayMetrics k96Dpi{96, 96, 8, 16};

TEST(CUnitsXYTest, LoadsTheSixSharedUnits) {
    CUnitsXY units;
    ASSERT_TRUE(units.LoadUnits(k96Dpi, nullptr));
    const char* names[] = {"Pixel", "Pica", "Point", "Twip", "Centimeter", "Inch"};
    const char* abbreviations[] = {"px", "pc", "pt", "tw", "cm", "in"};
    ASSERT_EQ(units.GetSize(), 7);  // the six shared units, then the logical pixel
    for (int i = 0; i < 6; ++i) {
        const CUnitXY& unit = units.GetAt(i);
        EXPECT_EQ(unit.Id(), i);
        EXPECT_EQ(unit.Name(), names[i]);
        EXPECT_EQ(unit.Abbreviation(), abbreviations[i]);
        EXPECT_EQ(unit.NumberFormatText(), "%s");
        EXPECT_EQ(unit.RectWithSizeFormat(), "%s , %s - %s , %s (%s x %s)");
    }
    EXPECT_THROW(units.GetAt(7), std::out_of_range);
    EXPECT_THROW(units.GetAt(-1), std::out_of_range);
    EXPECT_THROW(CUnitsXY().GetAt(0), std::out_of_range);
}

TEST(CUnitsXYTest, ConvertsAndFormatsAt96Dpi) {
    CUnitsXY units;
    ASSERT_TRUE(units.LoadUnits(k96Dpi, nullptr));
    struct Case {
        int unit;
        int pixels;
        const char* text;
    };
    const Case cases[] = {
        {0, 96, "96"},    {1, 96, "6"},    {2, 96, "72"},    {3, 96, "1440"}, {4, 96, "2.54"},
        {5, 96, "1"},     {4, 10, "0.26"}, {2, 3, "2.25"},   {2, 2, "1.5"},   {0, -37, "-37"},
        {5, -48, "-0.5"}, {1, 1, "0.06"},  {4, 480, "12.7"},
    };
    for (const Case& c : cases) {
        const CUnitXY& unit = units.GetAt(c.unit);
        EXPECT_EQ(unit.FormatValue(unit.ToUnitX(c.pixels)), c.text)
            << c.pixels << " " << unit.Abbreviation();
    }
    const CUnitXY& inch = units.GetAt(CUnitXY::kInch);
    EXPECT_EQ(inch.FormatPoint(96, 48), "1 , 0.5");
    EXPECT_EQ(inch.FormatPoint(-96, -144), "-1 , -1.5");
    const CUnitXY& pixel = units.GetAt(CUnitXY::kPixel);
    EXPECT_EQ(pixel.FormatRectWithSize(10, 20, 110, 70), "10 , 20 - 110 , 70 (100 x 50)");
    EXPECT_EQ(pixel.FormatRect(10, 20, 110, 70), "10 , 20 - 110 , 70");
    EXPECT_EQ(pixel.FormatSize(100, 50), "100 x 50");
}

TEST(CUnitsXYTest, EachDirectionUsesItsOwnMetrics) {
    CUnitsXY units;
    ASSERT_TRUE(units.LoadUnits(DisplayMetrics{96, 72, 8, 16}, nullptr));
    const CUnitXY& inch = units.GetAt(CUnitXY::kInch);
    EXPECT_EQ(inch.FormatPoint(144, 144), "1.5 , 2");
    const CUnitXY& point = units.GetAt(CUnitXY::kPoint);
    EXPECT_DOUBLE_EQ(point.ToUnitX(96), 72.0);
    EXPECT_DOUBLE_EQ(point.ToUnitY(96), 96.0);

    // The dialog units are not in the shared table but convert with the dialog base units.
    DisplayMetrics metrics{96, 96, 0, 0};
    metrics.SetDialogBaseUnits(0x00100007);  // 7 across, 16 down
    CUnitXY dialog(CUnitXY::kDialog, "Dialog", "dlu", "%s");
    dialog.InitUnit(metrics, nullptr);
    EXPECT_DOUBLE_EQ(dialog.ToUnitX(14), 8.0);
    EXPECT_DOUBLE_EQ(dialog.ToUnitY(32), 16.0);
    metrics.SetDialogBaseUnits(0xFFFEFFF9);  // halves read as signed: -7 and -2
    EXPECT_EQ(metrics.dialogBaseX, -7);
    EXPECT_EQ(metrics.dialogBaseY, -2);
}

TEST(CUnitsXYTest, UnusableUnitsConvertToZero) {
    // Before InitUnit, for ids above 7 and with zero metrics the divisor is 0: the result is
    // 0 rather than a division by zero.
    CUnitXY unknown(9, "?", "?", "%s");
    EXPECT_EQ(unknown.ToUnitX(10), 0.0);
    unknown.InitUnit(k96Dpi, nullptr);
    EXPECT_EQ(unknown.ToUnitY(10), 0.0);
    CUnitXY inch(CUnitXY::kInch, "Inch", "in", "%s");
    inch.InitUnit(DisplayMetrics{0, 0, 0, 0}, nullptr);
    EXPECT_EQ(inch.FormatPoint(96, 96), "0 , 0");
}

TEST(CUnitsXYTest, FollowsTheCallersRegionalFormat) {
    NumberFormat regional;
    regional.grouping = DigitGrouping::FromString("3;0");
    CUnitsXY units;
    ASSERT_TRUE(units.LoadUnits(k96Dpi, &regional));
    const CUnitsXY copy = units;  // copies keep reading the caller's format
    EXPECT_EQ(copy.GetAt(CUnitXY::kTwip).FormatPoint(96, 9600), "1,440 , 144,000");
    regional.decimalSep = ",";
    regional.thousandSep = ".";
    EXPECT_EQ(copy.GetAt(CUnitXY::kCentimeter).FormatPoint(96, 10), "2,54 , 0,26");
    EXPECT_EQ(units.GetAt(CUnitXY::kTwip).FormatSize(1440, 0.5), "1.440 x 0,5");
}

}  // namespace
}  // namespace nl
