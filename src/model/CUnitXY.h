#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/monitor_layout.h"
#include "model/DisplayMetrics.h"
#include "model/NumberFormat.h"

namespace nl {

// One length unit: converts pixel counts to its measure, with separate factors across and
// down, and writes points, sizes and rectangles as text in the regional number format.
//
// The logical pixel depends on the monitor: it converts with the scale of one monitor at a
// time. A unit converts on the primary monitor until it is bound to another with
// OnMonitorAt or OnMonitorOf; FormatPoint and the rectangle formatters that take device
// pixels bind by themselves. Every other unit converts alike on every monitor.
class CUnitXY {
public:
    // Kinds of unit; the shared table holds kPixel..kInch and kLogicalPixel, the ruler uses
    // the first eight.
    enum Id : int {
        kPixel = 0,
        kPica = 1,
        kPoint = 2,
        kTwip = 3,
        kCentimeter = 4,
        kInch = 5,
        kDialogBase = 6,
        kDialog = 7,
        kLogicalPixel = 8,  // Qt's device-independent pixel (CSS px) on a scaled monitor
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
    // The desktop's monitors with their scales, the primary first (for the logical pixel).
    // Without monitors the logical pixel is the device pixel.
    void SetMonitors(std::vector<MonitorInfo> monitors);
    const std::vector<MonitorInfo>& Monitors() const { return m_monitors; }

    // A copy that converts on the monitor holding `p` (else the nearest one), or on the
    // monitor nearest to `r` (the one it overlaps most). `space` is the device position of
    // the (0, 0) of the coordinates the copy is then given (an overlay's client area);
    // the virtual screen's own coordinates by default.
    CUnitXY OnMonitorAt(Point p) const;
    CUnitXY OnMonitorOf(const Rect& r, Point space = {}) const;
    // The top-left corner of the monitors' union: where an overlay over all of them starts.
    Point ScreenOrigin() const;

    // A length: pixels x factor / divisor of that direction (multiplied first, divided
    // second); 0 when the unit has no divisor (not initialised, unknown id, zero metrics).
    double ToUnitX(std::int32_t pixels) const;
    double ToUnitY(std::int32_t pixels) const;
    // A position on the unit's monitor. The same as ToUnitX/Y except for the logical pixel,
    // which keeps the monitor's top-left corner and divides the offsets from it.
    double PositionX(std::int32_t x) const;
    double PositionY(std::int32_t y) const;

    // A value already in the unit as number text (fewest decimals, up to two).
    std::string FormatValue(double value) const;
    // Converts the device position on the monitor holding it and writes it with the point
    // format ("x , y").
    std::string FormatPoint(std::int32_t x, std::int32_t y) const;
    // Two lengths (an offset from a window's corner) in the point format.
    std::string FormatOffset(std::int32_t dx, std::int32_t dy) const;
    // A device rectangle converted on its monitor, with the size.
    std::string FormatRectWithSize(const Rect& device) const;
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
    // The line that defines the unit ("1 px = 1 device dot"); empty until set.
    const std::string& HelpLine() const { return m_helpLine; }
    void SetHelpLine(std::string line) { m_helpLine = std::move(line); }

private:
    const NumberFormat& Regional() const;
    // Converts on `monitor` (the device pixel where there is none); the origin is given in
    // the coordinates of `space`. Changes only the logical pixel.
    void BindTo(const MonitorInfo* monitor, Point space);

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
    std::string m_helpLine;
    const NumberFormat* m_regional = nullptr;
    std::vector<MonitorInfo> m_monitors;
    // Where positions scale about: the bound monitor's top-left corner (logical pixel only).
    double m_originX = 0.0;
    double m_originY = 0.0;
};

}  // namespace nl
