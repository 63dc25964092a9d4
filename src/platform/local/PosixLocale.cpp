#include "platform/local/PosixLocale.h"

#include <array>
#include <chrono>
#include <clocale>
#include <ctime>

#include "platform/locale_names.h"

namespace nl {

namespace {

// Room for any date or time text the C library writes.
constexpr std::size_t kTimeTextSize = 256;
constexpr int kSecondsPerMinute = 60;

std::string TimeWithPattern(const char* pattern, const CivilTime& c) {
    std::tm tm{};
    tm.tm_year = c.year - 1900;
    tm.tm_mon = c.month - 1;
    tm.tm_mday = c.day;
    tm.tm_hour = c.hour;
    tm.tm_min = c.minute;
    tm.tm_sec = c.second;
    tm.tm_wday = c.dayOfWeek;
    tm.tm_yday = c.dayOfYear - 1;
    tm.tm_isdst = -1;
    std::array<char, kTimeTextSize> buffer{};
    const std::size_t n = std::strftime(buffer.data(), buffer.size(), pattern, &tm);
    return std::string(buffer.data(), n);
}

}  // namespace

std::string PosixLocale::LongDateTime(const CivilTime& local) const {
    return TimeWithPattern("%c", local);
}

std::string PosixLocale::ShortDate(const CivilTime& local) const {
    return TimeWithPattern("%x", local);
}

std::string PosixLocale::TimeText(const CivilTime& local) const {
    return TimeWithPattern("%X", local);
}

int PosixLocale::UtcOffsetMinutes(const COleDateTime& utc) const {
    std::chrono::system_clock::time_point moment;
    if (!utc.ToTimePoint(moment)) return 0;
    const std::time_t t = std::chrono::system_clock::to_time_t(moment);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) return 0;
    return static_cast<int>(local.tm_gmtoff / kSecondsPerMinute);
}

std::optional<NumberFormat> PosixLocale::NumberFormatOf(const char* name) {
    const char* chosen = std::setlocale(LC_NUMERIC, name);
    if (chosen == nullptr) return std::nullopt;
    NumberFormat format = NumberFormat::Neutral();
    if (IsNeutralLocale(chosen)) return format;
    const std::lconv* conventions = std::localeconv();
    if (conventions == nullptr) return format;
    if (conventions->decimal_point != nullptr && *conventions->decimal_point != '\0') {
        format.decimalSep = conventions->decimal_point;
    }
    const char* thousands = conventions->thousands_sep;
    if (thousands != nullptr && *thousands != '\0' && conventions->grouping != nullptr) {
        format.thousandSep = thousands;
        format.grouping = DigitGrouping::FromPosix(conventions->grouping);
    }
    return format;
}

}  // namespace nl
