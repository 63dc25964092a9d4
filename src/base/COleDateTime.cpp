#include "base/COleDateTime.h"

#include <cmath>

namespace nl {
namespace {

constexpr double kMsPerDay = 86400000.0;
// Days from 1970-01-01 to the OLE epoch 1899-12-30.
constexpr std::int64_t kEpochOffsetDays = 25569;

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t yy = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// The OLE form of a linear day count: before the epoch the integer part is taken toward
// zero and the time of day is kept as a positive fraction.
double LinearDaysToOle(double linearDays) {
    if (linearDays >= 0) return linearDays;
    const double whole = std::floor(linearDays);
    const double frac = linearDays - whole;  // time of day, forward
    if (frac == 0.0) return whole;
    return whole - frac;  // the day before the epoch, minus the time of day
}

}  // namespace

COleDateTime COleDateTime::FromCivil(const CivilTime& c) {
    if (c.year < 100 || c.year > 9999 || c.month < 1 || c.month > 12 || c.day < 1 ||
        c.day > DaysInMonth(c.year, c.month) || c.hour < 0 || c.hour > 23 || c.minute < 0 ||
        c.minute > 59 || c.second < 0 || c.second > 59 || c.millisecond < 0 || c.millisecond > 999)
        return COleDateTime(0.0, kInvalid);
    const std::int64_t days = DaysFromCivil(c.year, c.month, c.day) + kEpochOffsetDays;
    const double ms = ((c.hour * 60.0 + c.minute) * 60.0 + c.second) * 1000.0 + c.millisecond;
    const double linear = static_cast<double>(days) + ms / kMsPerDay;
    return COleDateTime(LinearDaysToOle(linear), kValid);
}

COleDateTime COleDateTime::FromTimePoint(std::chrono::system_clock::time_point tp) {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(tp.time_since_epoch()).count();
    const double linear =
        static_cast<double>(kEpochOffsetDays) + static_cast<double>(ms) / kMsPerDay;
    if (linear < kMinDate || linear > kMaxDate) return COleDateTime(0.0, kInvalid);
    return COleDateTime(LinearDaysToOle(linear), kValid);
}

bool COleDateTime::ToCivil(CivilTime& out) const {
    if (m_status != kValid || !std::isfinite(m_dt) || m_dt < kMinDate || m_dt > kMaxDate)
        return false;
    // Back to a linear day count: before the epoch the fraction runs forward from the day's start.
    const double whole = std::trunc(m_dt);
    const double frac = std::fabs(m_dt - whole);
    const double startOfDay = (m_dt < 0 && frac != 0.0) ? whole : std::floor(m_dt);
    const double timeOfDay = (m_dt < 0) ? frac : m_dt - startOfDay;
    auto dayNumber = static_cast<std::int64_t>(startOfDay);
    auto msOfDay = static_cast<std::int64_t>(std::llround(timeOfDay * kMsPerDay));
    if (msOfDay >= static_cast<std::int64_t>(kMsPerDay)) {
        msOfDay -= static_cast<std::int64_t>(kMsPerDay);
        ++dayNumber;
    }
    const std::int64_t unixDays = dayNumber - kEpochOffsetDays;
    CivilFromDays(unixDays, out.year, out.month, out.day);
    if (out.year > 9999) return false;
    out.hour = static_cast<int>(msOfDay / 3600000);
    out.minute = static_cast<int>(msOfDay / 60000 % 60);
    out.second = static_cast<int>(msOfDay / 1000 % 60);
    out.millisecond = static_cast<int>(msOfDay % 1000);
    out.dayOfWeek = static_cast<int>(((unixDays % 7) + 7 + 4) % 7);  // 1970-01-01 was a Thursday
    out.dayOfYear = static_cast<int>(unixDays - DaysFromCivil(out.year, 1, 1) + 1);
    return true;
}

bool COleDateTime::ToTimePoint(std::chrono::system_clock::time_point& out) const {
    CivilTime c;
    if (!ToCivil(c)) return false;
    const std::int64_t days = DaysFromCivil(c.year, c.month, c.day);
    const std::int64_t ms =
        days * 86400000LL + ((c.hour * 60LL + c.minute) * 60LL + c.second) * 1000LL + c.millisecond;
    out = std::chrono::system_clock::time_point(std::chrono::milliseconds(ms));
    return true;
}

std::chrono::system_clock::time_point SystemClock::UtcNow() const {
    return std::chrono::system_clock::now();
}

std::int64_t SystemClock::TickCountMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

COleDateTime UtcNowAsOleDate(const IClock& clock) {
    return COleDateTime::FromTimePoint(clock.UtcNow());
}

}  // namespace nl
