#pragma once
#include <optional>

#include "platform/ILocale.h"

namespace nl {

// Regional settings from the C library: a number format given at construction, dates and
// times in the C library's time locale, local time from the system's time zone.
class PosixLocale final : public ILocale {
public:
    explicit PosixLocale(NumberFormat format) : m_format(std::move(format)) {}

    NumberFormat UserNumberFormat() const override { return m_format; }
    std::string LongDateTime(const CivilTime& local) const override;
    std::string ShortDate(const CivilTime& local) const override;
    std::string TimeText(const CivilTime& local) const override;
    int UtcOffsetMinutes(const COleDateTime& utc) const override;

    // The number format of the C library's numeric locale `name` ("" for the user's locale
    // from the environment), from its decimal point, thousands separator and grouping; the
    // neutral form for the C locale in any codeset.
    // Nothing when the system has no such locale. Sets the process's LC_NUMERIC to that locale.
    static std::optional<NumberFormat> NumberFormatOf(const char* name);

private:
    NumberFormat m_format;
};

}  // namespace nl
