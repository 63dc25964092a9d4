#pragma once
#include <QLocale>
#include <string_view>

#include "platform/ILocale.h"

namespace nl {

// The user's regional settings as Qt reads them from the system (LANG, LC_NUMERIC,
// LC_TIME); each call reads them afresh, so a changed locale shows at the next call.
class CQtLocale final : public ILocale {
public:
    NumberFormat UserNumberFormat() const override;
    std::string LongDateTime(const CivilTime& local) const override;
    std::string ShortDate(const CivilTime& local) const override;
    std::string TimeText(const CivilTime& local) const override;
    int UtcOffsetMinutes(const COleDateTime& utc) const override;

    // The number format of `locale` (separators, grouping, leading zero, negative order),
    // found by reading how it writes sample numbers.
    static NumberFormat NumberFormatOf(const QLocale& locale);
    // The user's number format when the environment names `localeName` for numbers and Qt
    // reads it as `system`: the neutral form for the C locale, else `system`'s.
    static NumberFormat UserNumberFormatFor(const QLocale& system, std::string_view localeName);
    // The long time format of `locale` without its time-zone part.
    static QString TimeFormatOf(const QLocale& locale);
};

}  // namespace nl
