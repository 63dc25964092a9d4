#pragma once
#include <cstdint>
#include <string>

#include "model/DisplayMetrics.h"
#include "model/NumberFormat.h"

namespace nl {

// One length unit: converts pixel counts to its measure, with separate factors across and
// down, and writes points, sizes and rectangles as text in the regional number format.
class CUnitXY {
public:
    // Kinds of unit; the shared table holds kPixel..kInch, the ruler uses all eight.
    enum Id : int {
        kPixel = 0,
        kPica = 1,
        kPoint = 2,
        kTwip = 3,
        kCentimeter = 4,
        kInch = 5,
        kDialogBase = 6,
        kDialog = 7,
    };
    // Lengths and positions show at most this many decimals.
    static constexpr int kMaxDecimals = 2;

    CUnitXY() = default;
    CUnitXY(int id, std::string name, std::string abbreviation, std::string numberFormat);

    // Sets the factors and divisors for the unit's id from `metrics` (ids outside 0..7 keep
    // zeros) and builds the point, size and rectangle formats from the number format.
    // `regional` is the caller's current number format, read at each formatting so that a
    // change of the regional settings shows at once; it must outlive the unit (and its
    // copies). Null means NumberFormat::Neutral().
    void InitUnit(const DisplayMetrics& metrics, const NumberFormat* regional);
    void SetRegionalFormat(const NumberFormat* regional) { m_regional = regional; }

    // pixels x factor / divisor of that direction (multiplied first, divided second);
    // 0 when the unit has no divisor (not initialised, unknown id, zero metrics).
    double ToUnitX(std::int32_t pixels) const;
    double ToUnitY(std::int32_t pixels) const;

    // A value already in the unit as number text (fewest decimals, up to two).
    std::string FormatValue(double value) const;
    // Converts the pixel point and writes it with the point format ("x , y").
    std::string FormatPoint(std::int32_t x, std::int32_t y) const;
    // Width and height already in the unit ("cx x cy").
    std::string FormatSize(double cx, double cy) const;
    // Edges already in the unit, with the size ("l , t - r , b (w x h)").
    std::string FormatRectWithSize(double left, double top, double right, double bottom) const;
    // Edges already in the unit ("l , t - r , b").
    std::string FormatRect(double left, double top, double right, double bottom) const;

    int Id() const { return m_id; }
    const std::string& Name() const { return m_name; }
    const std::string& Abbreviation() const { return m_abbreviation; }
    const std::string& NumberFormatText() const { return m_numberFormat; }
    void SetNumberFormatText(std::string numberFormat) { m_numberFormat = std::move(numberFormat); }
    double XFactor() const { return m_xFactor; }
    double XDivisor() const { return m_xDivisor; }
    double YFactor() const { return m_yFactor; }
    double YDivisor() const { return m_yDivisor; }
    const std::string& PointFormat() const { return m_pointFormat; }
    const std::string& SizeFormat() const { return m_sizeFormat; }
    const std::string& RectWithSizeFormat() const { return m_rectWithSizeFormat; }
    const std::string& RectFormat() const { return m_rectFormat; }

private:
    const NumberFormat& Regional() const;

    int m_id = -1;
    std::string m_name;
    std::string m_abbreviation;
    std::string m_numberFormat;  // "%s" once loaded: the place of one number text
    double m_xFactor = 0.0;
    double m_xDivisor = 0.0;
    double m_yFactor = 0.0;
    double m_yDivisor = 0.0;
    std::string m_pointFormat;
    std::string m_sizeFormat;
    std::string m_rectWithSizeFormat;
    std::string m_rectFormat;
    const NumberFormat* m_regional = nullptr;
};

}  // namespace nl
