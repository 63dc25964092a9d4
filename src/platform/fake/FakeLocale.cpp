#include "platform/fake/FakeLocale.h"

#include <array>
#include <string_view>

namespace nl {
namespace {

constexpr std::array<std::string_view, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr int kHoursPerHalfDay = 12;

std::string TwoDigits(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

}  // namespace

std::string FakeLocale::TimeText(const CivilTime& local) const {
    const int hour12 =
        local.hour % kHoursPerHalfDay == 0 ? kHoursPerHalfDay : local.hour % kHoursPerHalfDay;
    return std::to_string(hour12) + ":" + TwoDigits(local.minute) + ":" + TwoDigits(local.second) +
           (local.hour < kHoursPerHalfDay ? " AM" : " PM");
}

std::string FakeLocale::ShortDate(const CivilTime& local) const {
    return std::to_string(local.month) + "/" + std::to_string(local.day) + "/" +
           std::to_string(local.year);
}

std::string FakeLocale::LongDateTime(const CivilTime& local) const {
    const auto day = static_cast<std::size_t>(local.dayOfWeek) % kDayNames.size();
    const auto month = static_cast<std::size_t>(local.month - 1) % kMonthNames.size();
    return std::string(kDayNames[day]) + ", " + std::string(kMonthNames[month]) + " " +
           std::to_string(local.day) + ", " + std::to_string(local.year) + " " + TimeText(local);
}

}  // namespace nl
