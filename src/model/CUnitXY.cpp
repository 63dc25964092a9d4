#include "model/CUnitXY.h"

#include <utility>

#include "model/table_rows.h"

namespace nl {
namespace {

constexpr double kPicasPerInch = 6.0;
constexpr double kPointsPerInch = 72.0;
constexpr double kTwipsPerInch = 1440.0;
constexpr double kCentimetersPerInch = 2.54;
constexpr double kDialogUnitsPerBaseX = 4.0;
constexpr double kDialogUnitsPerBaseY = 8.0;

constexpr std::string_view kPointTemplate = "%s , %s";
constexpr std::string_view kSizeTemplate = "%s x %s";
constexpr std::string_view kRectWithSizeTemplate = "%s , %s - %s , %s (%s x %s)";
constexpr std::string_view kRectTemplate = "%s , %s - %s , %s";

// The template with the number format in every "%s" place.
std::string BuildFormat(std::string_view pattern, std::string_view numberFormat) {
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's') {
            out += numberFormat;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

double Convert(std::int32_t pixels, double factor, double divisor) {
    if (divisor == 0.0) return 0.0;
    return static_cast<double>(pixels) * factor / divisor;
}

}  // namespace

CUnitXY::CUnitXY(int id, std::string name, std::string abbreviation, std::string numberFormat)
    : m_id(id),
      m_name(std::move(name)),
      m_abbreviation(std::move(abbreviation)),
      m_numberFormat(std::move(numberFormat)) {}

void CUnitXY::InitUnit(const DisplayMetrics& metrics, const NumberFormat* regional) {
    m_regional = regional;
    const double dpiX = metrics.dpiX;
    const double dpiY = metrics.dpiY;
    const auto set = [this](double xFactor, double xDivisor, double yFactor, double yDivisor) {
        m_xFactor = xFactor;
        m_xDivisor = xDivisor;
        m_yFactor = yFactor;
        m_yDivisor = yDivisor;
    };
    switch (m_id) {
        case kPixel:
            set(1.0, 1.0, 1.0, 1.0);
            break;
        case kPica:
            set(kPicasPerInch, dpiX, kPicasPerInch, dpiY);
            break;
        case kPoint:
            set(kPointsPerInch, dpiX, kPointsPerInch, dpiY);
            break;
        case kTwip:
            set(kTwipsPerInch, dpiX, kTwipsPerInch, dpiY);
            break;
        case kCentimeter:
            set(kCentimetersPerInch, dpiX, kCentimetersPerInch, dpiY);
            break;
        case kInch:
            set(1.0, dpiX, 1.0, dpiY);
            break;
        case kDialogBase:
            set(1.0, metrics.dialogBaseX, 1.0, metrics.dialogBaseY);
            break;
        case kDialog:
            set(kDialogUnitsPerBaseX, metrics.dialogBaseX, kDialogUnitsPerBaseY,
                metrics.dialogBaseY);
            break;
        case kLogicalPixel:
            BindTo(m_monitors.empty() ? nullptr : &m_monitors.front(), {});
            break;
        default:
            set(0.0, 0.0, 0.0, 0.0);
            break;
    }
    m_pointFormat = BuildFormat(kPointTemplate, m_numberFormat);
    m_sizeFormat = BuildFormat(kSizeTemplate, m_numberFormat);
    m_rectWithSizeFormat = BuildFormat(kRectWithSizeTemplate, m_numberFormat);
    m_rectFormat = BuildFormat(kRectTemplate, m_numberFormat);
}

void CUnitXY::SetMonitors(std::vector<MonitorInfo> monitors) {
    m_monitors = std::move(monitors);
    if (m_id == kLogicalPixel) BindTo(m_monitors.empty() ? nullptr : &m_monitors.front(), {});
}

void CUnitXY::BindTo(const MonitorInfo* monitor, Point space) {
    if (m_id != kLogicalPixel) return;
    const double scale = monitor ? UsableScale(*monitor) : 1.0;
    m_xFactor = m_yFactor = 1.0;
    m_xDivisor = m_yDivisor = scale;
    m_originX = monitor ? static_cast<double>(monitor->monitor.left) - space.x : 0.0;
    m_originY = monitor ? static_cast<double>(monitor->monitor.top) - space.y : 0.0;
}

CUnitXY CUnitXY::OnMonitorAt(Point p) const {
    CUnitXY bound = *this;
    if (m_id == kLogicalPixel) {
        const auto at = MonitorAt(m_monitors, p);
        bound.BindTo(at ? &m_monitors[*at] : nullptr, {});
    }
    return bound;
}

CUnitXY CUnitXY::OnMonitorOf(const Rect& r, Point space) const {
    CUnitXY bound = *this;
    if (m_id == kLogicalPixel) {
        Rect device = r.Normalized();
        device.Offset(space.x, space.y);
        const auto at = NearestMonitor(m_monitors, device);
        bound.BindTo(at ? &m_monitors[*at] : nullptr, space);
    }
    return bound;
}

Point CUnitXY::ScreenOrigin() const {
    Rect all;
    for (const MonitorInfo& m : m_monitors) all = Union(all, m.monitor);
    return all.TopLeft();
}

const NumberFormat& CUnitXY::Regional() const {
    return m_regional != nullptr ? *m_regional : NumberFormat::Neutral();
}

double CUnitXY::ToUnitX(std::int32_t pixels) const {
    return Convert(pixels, m_xFactor, m_xDivisor);
}

double CUnitXY::ToUnitY(std::int32_t pixels) const {
    return Convert(pixels, m_yFactor, m_yDivisor);
}

double CUnitXY::PositionX(std::int32_t x) const {
    if (m_id != kLogicalPixel) return ToUnitX(x);
    return m_originX + (static_cast<double>(x) - m_originX) * m_xFactor / m_xDivisor;
}

double CUnitXY::PositionY(std::int32_t y) const {
    if (m_id != kLogicalPixel) return ToUnitY(y);
    return m_originY + (static_cast<double>(y) - m_originY) * m_yFactor / m_yDivisor;
}

std::string CUnitXY::FormatValue(double value) const {
    return FormatNumber(Regional(), value, kMaxDecimals);
}

std::string CUnitXY::FormatPoint(std::int32_t x, std::int32_t y) const {
    if (m_id == kLogicalPixel) {
        const LogicalPosition at = ToLogicalPosition(m_monitors, {x, y});
        return FillTextFormat(m_pointFormat, {FormatValue(at.x), FormatValue(at.y)});
    }
    return FormatOffset(x, y);
}

std::string CUnitXY::FormatOffset(std::int32_t dx, std::int32_t dy) const {
    return FillTextFormat(m_pointFormat, {FormatValue(ToUnitX(dx)), FormatValue(ToUnitY(dy))});
}

std::string CUnitXY::FormatRectWithSize(const Rect& device) const {
    const CUnitXY on = OnMonitorOf(device);
    return on.FormatRectWithSize(on.PositionX(device.left), on.PositionY(device.top),
                                 on.PositionX(device.right), on.PositionY(device.bottom));
}

std::string CUnitXY::FormatSize(double cx, double cy) const {
    return FillTextFormat(m_sizeFormat, {FormatValue(cx), FormatValue(cy)});
}

std::string CUnitXY::FormatRectWithSize(double left, double top, double right,
                                        double bottom) const {
    return FillTextFormat(
        m_rectWithSizeFormat,
        {FormatValue(left), FormatValue(top), FormatValue(right), FormatValue(bottom),
         FormatValue(right - left), FormatValue(bottom - top)});
}

std::string CUnitXY::FormatRect(double left, double top, double right, double bottom) const {
    return FillTextFormat(m_rectFormat, {FormatValue(left), FormatValue(top), FormatValue(right),
                                         FormatValue(bottom)});
}

}  // namespace nl
