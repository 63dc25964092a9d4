#include "document/CWndCapMeaData.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>

#include "base/CArchive.h"
#include "base/StringTable.h"
#include "base/text.h"
#include "model/CUnitXY.h"

namespace nl {
namespace {

// The constants the figures are computed with, as decimal values rather than full precision.
constexpr double kPi = 3.14159265358;
constexpr double kTwoPi = 6.28318530716;
constexpr double kDegreesPerHalfTurn = 180.0;

// The neutral text of a figure: "%f" in the C locale.
constexpr int kNeutralDecimals = 6;
// A locale number text of this many characters or more is not used.
constexpr std::size_t kMaxLocaleNumberChars = 64;

constexpr const char* kDegreeSign = "\xC2\xB0";  // U+00B0

// The number of reserved 32-bit words after the version, and of 8-byte values and strings
// after the points.
constexpr int kReservedWords = 3;
constexpr int kReservedU64s = 4;
constexpr int kReservedStrings = 4;

// Each vertex needs two 32-bit coordinates in the file.
constexpr std::size_t kPointBytes = 8;

std::string NeutralFixed(double value) {
    // Room for the largest double in fixed notation with sign, point and six decimals.
    std::array<char, 330> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, kNeutralDecimals);
    return std::string(buffer.data(), result.ptr);
}

// One point coordinate mirrored through the center: 2 x center - end, kept in the int range.
int Mirror(int center, int end) {
    return SaturateToInt(2 * std::int64_t{center} - end);
}

// The UTC parts of a time point down to the second.
CivilTime CivilOf(std::chrono::system_clock::time_point tp) {
    using namespace std::chrono;
    const auto secs = floor<seconds>(tp);
    const auto days = floor<std::chrono::days>(secs);
    const year_month_day ymd{days};
    const hh_mm_ss hms{secs - days};
    CivilTime civil;
    civil.year = static_cast<int>(ymd.year());
    civil.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    civil.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    civil.hour = static_cast<int>(hms.hours().count());
    civil.minute = static_cast<int>(hms.minutes().count());
    civil.second = static_cast<int>(hms.seconds().count());
    return civil;
}

// The clock's moment as an automation date, marked invalid unless it converts back to the
// same second.
COleDateTime StampNow(const IClock& clock) {
    const auto now = clock.UtcNow();
    COleDateTime when = COleDateTime::FromTimePoint(now);
    const CivilTime expected = CivilOf(now);
    CivilTime back;
    const bool same = when.ToCivil(back) && back.year == expected.year &&
                      back.month == expected.month && back.day == expected.day &&
                      back.hour == expected.hour && back.minute == expected.minute &&
                      back.second == expected.second;
    when.SetStatus(same ? COleDateTime::kValid : COleDateTime::kInvalid);
    return when;
}

// The figures of a two-point shape in the unit.
struct Span {
    double x1, y1, x2, y2, dx, dy;
};

Span SpanOf(const CUnitXY& unit, const Point& first, const Point& last) {
    Span s{};
    s.x1 = unit.PositionX(first.x);
    s.y1 = unit.PositionY(first.y);
    s.x2 = unit.PositionX(last.x);
    s.y2 = unit.PositionY(last.y);
    s.dx = s.x2 - s.x1;
    s.dy = s.y2 - s.y1;
    return s;
}

double LineLength(const Span& s) {
    return std::sqrt(s.dx * s.dx + s.dy * s.dy);
}
double RectanglePerimeter(const Span& s) {
    return 2.0 * (std::fabs(s.dx) + std::fabs(s.dy));
}
double EllipseCircumference(const Span& s) {
    const double a = s.dx / 2.0;
    const double b = s.dy / 2.0;
    return kTwoPi * std::sqrt((a * a + b * b) / 2.0);
}

// A path's vertices in the unit with their bounding box and open perimeter.
struct PathFigures {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    double perimeter = 0;
};

PathFigures PathOf(const CUnitXY& unit, const std::vector<Point>& points) {
    PathFigures f;
    // A path without vertices (only from a damaged file) has the empty box at the origin.
    if (points.empty()) return f;
    f.minX = f.minY = std::numeric_limits<double>::max();
    f.maxX = f.maxY = std::numeric_limits<double>::lowest();
    double prevX = 0;
    double prevY = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double x = unit.PositionX(points[i].x);
        const double y = unit.PositionY(points[i].y);
        f.minX = std::min(f.minX, x);
        f.minY = std::min(f.minY, y);
        f.maxX = std::max(f.maxX, x);
        f.maxY = std::max(f.maxY, y);
        if (i > 0) f.perimeter += std::sqrt((x - prevX) * (x - prevX) + (y - prevY) * (y - prevY));
        prevX = x;
        prevY = y;
    }
    return f;
}

// The unit converting on the monitor the shape lies on (the one it overlaps most). The
// points are client pixels of the gauge's overlay, which starts at the monitors' top-left.
CUnitXY OnShapeMonitor(const CUnitXY& unit, MeaShape shape, const Point& first, const Point& last,
                       const std::vector<Point>& points) {
    Rect box{first.x, first.y, last.x, last.y};
    if (shape == MeaShape::kPath && !points.empty()) {
        box = {points.front().x, points.front().y, points.front().x, points.front().y};
        for (const Point& p : points) {
            box.left = std::min(box.left, p.x);
            box.top = std::min(box.top, p.y);
            box.right = std::max(box.right, p.x);
            box.bottom = std::max(box.bottom, p.y);
        }
    }
    box = box.Normalized();
    // A line along one axis still overlaps the monitor it runs on.
    box.right = SaturateToInt(std::int64_t{box.right} + 1);
    box.bottom = SaturateToInt(std::int64_t{box.bottom} + 1);
    return unit.OnMonitorOf(box, unit.ScreenOrigin());
}

void AddRow(std::vector<std::string>& rows, std::uint32_t nameId, std::string value) {
    rows.push_back(LoadString(nameId));
    rows.push_back(std::move(value));
}

}  // namespace

std::string FormatLocaleNumber(const NumberFormat& regional, double value) {
    std::string neutral = NeutralFixed(value);
    if (!std::isfinite(value)) return neutral;
    std::string text = FormatNumberWith(regional, neutral, regional.numDigits);
    if (text.empty() || Utf8ToUtf16(text).size() >= kMaxLocaleNumberChars) return neutral;
    return text;
}

std::optional<CWndCapMeaData> CWndCapMeaData::FromParts(MeaShape shape, Point origin, Point first,
                                                        Point last, std::vector<Point> points,
                                                        const COleDateTime& when) {
    const bool isPath = shape == MeaShape::kPath;
    if (shape != MeaShape::kLine && shape != MeaShape::kRectangle && shape != MeaShape::kEllipse &&
        !isPath)
        return std::nullopt;
    if (isPath ? points.empty() || points.size() > kMaxPoints : !points.empty())
        return std::nullopt;
    CWndCapMeaData m;
    m.m_shape = shape;
    m.m_origin = origin;
    m.m_first = first;
    m.m_last = last;
    m.m_points = std::move(points);
    m.m_when = when;
    return m;
}

bool CWndCapMeaData::CompleteGesture(const MeaGesture& gesture, const IClock& clock) {
    const bool isPath = gesture.shape == MeaShape::kPath;
    if (gesture.shape != MeaShape::kLine && gesture.shape != MeaShape::kRectangle &&
        gesture.shape != MeaShape::kEllipse && !isPath) {
        return false;
    }
    const bool fromCenter = gesture.fromCenter == MeaFromCenter::kYes;

    // The extent in pixels, in 64 bits so that no coordinate pair can overflow.
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (isPath) {
        if (gesture.points.empty()) return false;
        const auto [minX, maxX] =
            std::minmax_element(gesture.points.begin(), gesture.points.end(),
                                [](const Point& a, const Point& b) { return a.x < b.x; });
        const auto [minY, maxY] =
            std::minmax_element(gesture.points.begin(), gesture.points.end(),
                                [](const Point& a, const Point& b) { return a.y < b.y; });
        width = std::int64_t{maxX->x} - minX->x;
        height = std::int64_t{maxY->y} - minY->y;
    } else {
        const std::int64_t startX =
            fromCenter ? 2 * std::int64_t{gesture.origin.x} - gesture.last.x : gesture.first.x;
        const std::int64_t startY =
            fromCenter ? 2 * std::int64_t{gesture.origin.y} - gesture.last.y : gesture.first.y;
        // Normalised and widened by the end pixel.
        width = std::abs(gesture.last.x - startX) + 1;
        height = std::abs(gesture.last.y - startY) + 1;
    }
    if (width <= 1 && height <= 1) return false;

    Point first = gesture.first;
    if (fromCenter &&
        (gesture.shape == MeaShape::kRectangle || gesture.shape == MeaShape::kEllipse)) {
        first = {Mirror(gesture.origin.x, gesture.last.x),
                 Mirror(gesture.origin.y, gesture.last.y)};
    }

    m_when = StampNow(clock);
    m_shape = gesture.shape;
    m_origin = gesture.origin;
    m_first = first;
    m_last = gesture.last;
    m_points = gesture.points;
    return true;
}

void CWndCapMeaData::Clear() {
    *this = CWndCapMeaData();
}

std::vector<std::string> CWndCapMeaData::BuildRows(const CUnitXY& anyMonitor,
                                                   const NumberFormat& regional) const {
    const CUnitXY unit = OnShapeMonitor(anyMonitor, m_shape, m_first, m_last, m_points);
    std::vector<std::string> rows;
    const auto number = [&regional](double value) { return FormatLocaleNumber(regional, value); };
    switch (m_shape) {
        case MeaShape::kLine: {
            const Span s = SpanOf(unit, m_first, m_last);
            const double slope = s.dy / s.dx;
            AddRow(rows, kIdsMeaLine, unit.FormatRect(s.x1, s.y1, s.x2, s.y2));
            AddRow(rows, kIdsMeaBoundingBoxSize, unit.FormatSize(s.dx, s.dy));
            AddRow(rows, kIdsMeaSlope,
                   std::isfinite(slope) ? number(slope) : LoadString(kIdsMeaInfinity));
            AddRow(rows, kIdsMeaAngle,
                   number(std::atan2(s.dy, s.dx) * kDegreesPerHalfTurn / kPi) + kDegreeSign);
            AddRow(rows, kIdsMeaLength, number(LineLength(s)));
            break;
        }
        case MeaShape::kRectangle: {
            const Span s = SpanOf(unit, m_first, m_last);
            AddRow(rows, kIdsMeaRectangle, unit.FormatRect(s.x1, s.y1, s.x2, s.y2));
            AddRow(rows, kIdsMeaSize, unit.FormatSize(s.dx, s.dy));
            AddRow(rows, kIdsMeaSurface, number(std::fabs(s.dx) * std::fabs(s.dy)));
            AddRow(rows, kIdsMeaPerimeter, number(RectanglePerimeter(s)));
            break;
        }
        case MeaShape::kEllipse: {
            const Span s = SpanOf(unit, m_first, m_last);
            const double a = s.dx / 2.0;
            const double b = s.dy / 2.0;
            AddRow(rows, kIdsMeaEllipseBox, unit.FormatRect(s.x1, s.y1, s.x2, s.y2));
            AddRow(rows, kIdsMeaDiameters, unit.FormatSize(s.dx, s.dy));
            AddRow(rows, kIdsMeaSurface, number(kPi * std::fabs(a) * std::fabs(b)));
            AddRow(rows, kIdsMeaCircumference, number(EllipseCircumference(s)));
            break;
        }
        case MeaShape::kPath: {
            const PathFigures f = PathOf(unit, m_points);
            AddRow(rows, kIdsMeaPathBox, unit.FormatRect(f.minX, f.minY, f.maxX, f.maxY));
            AddRow(rows, kIdsMeaBoundingBoxSize, unit.FormatSize(f.maxX - f.minX, f.maxY - f.minY));
            AddRow(rows, kIdsMeaPoints,
                   FormatNumberFixed(regional, static_cast<double>(m_points.size()), 0));
            if (m_points.size() > 1) {
                const Point& p0 = m_points.front();
                const Point& pn = m_points.back();
                AddRow(rows, kIdsMeaFirstLastPoints,
                       unit.FormatRect(unit.PositionX(p0.x), unit.PositionY(p0.y),
                                       unit.PositionX(pn.x), unit.PositionY(pn.y)));
            }
            AddRow(rows, kIdsMeaPerimeter, number(f.perimeter));
            break;
        }
        default:
            break;
    }
    return rows;
}

std::string CWndCapMeaData::PrimaryFigure(const CUnitXY& anyMonitor,
                                          const NumberFormat& regional) const {
    const CUnitXY unit = OnShapeMonitor(anyMonitor, m_shape, m_first, m_last, m_points);
    switch (m_shape) {
        case MeaShape::kLine:
            return FormatLocaleNumber(regional, LineLength(SpanOf(unit, m_first, m_last)));
        case MeaShape::kRectangle:
            return FormatLocaleNumber(regional, RectanglePerimeter(SpanOf(unit, m_first, m_last)));
        case MeaShape::kEllipse:
            return FormatLocaleNumber(regional,
                                      EllipseCircumference(SpanOf(unit, m_first, m_last)));
        case MeaShape::kPath:
            return FormatLocaleNumber(regional, PathOf(unit, m_points).perimeter);
        default:
            return {};
    }
}

std::string CWndCapMeaData::RowsAsText(const CUnitXY& unit, const NumberFormat& regional) const {
    const std::vector<std::string> rows = BuildRows(unit, regional);
    std::string text;
    for (std::size_t i = 0; i + 1 < rows.size(); i += 2) {
        text += rows[i];
        text += '\t';
        text += rows[i + 1];
        text += "\r\n";
    }
    return text;
}

void CWndCapMeaData::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteU32(kMagic);
        ar.WriteU32(kVersion);
        for (int i = 0; i < kReservedWords; ++i) ar.WriteU32(0);
        ar.WriteDate(m_when);
        ar.WriteI32(static_cast<std::int32_t>(m_shape));
        for (const Point* p : {&m_origin, &m_first, &m_last}) {
            ar.WriteI32(p->x);
            ar.WriteI32(p->y);
        }
        ar.Reserved(kReservedU64s, kReservedStrings);
        ar.WriteCount(m_points.size());
        for (const Point& p : m_points) {
            ar.WriteI32(p.x);
            ar.WriteI32(p.y);
        }
        return;
    }

    // Read into a copy so that a failure leaves this record untouched.
    CWndCapMeaData read;
    if (ar.ReadU32() != kMagic) ar.ThrowBadFormat();
    ar.Version(kVersion);
    for (int i = 0; i < kReservedWords; ++i) (void)ar.ReadU32();
    read.m_when = ar.ReadDate();
    read.m_shape = static_cast<MeaShape>(ar.ReadI32());
    for (Point* p : {&read.m_origin, &read.m_first, &read.m_last}) {
        p->x = ar.ReadI32();
        p->y = ar.ReadI32();
    }
    ar.Reserved(kReservedU64s, kReservedStrings);
    const auto count = static_cast<std::size_t>(ar.ReadCount(kPointBytes));
    read.m_points.resize(count);
    for (Point& p : read.m_points) {
        p.x = ar.ReadI32();
        p.y = ar.ReadI32();
    }
    *this = std::move(read);
}

}  // namespace nl
