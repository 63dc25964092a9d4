#pragma once
#include <string>

#include "base/COleDateTime.h"
#include "model/NumberFormat.h"

namespace nl {

// The user's regional settings.
class ILocale {
public:
    virtual ~ILocale() = default;
    // The user's number format (decimal and thousands symbols, grouping, decimals, ...).
    virtual NumberFormat UserNumberFormat() const = 0;
    // Local date and time texts of a local civil time: the long date and time ("%#c"),
    // the short date and the time.
    virtual std::string LongDateTime(const CivilTime& local) const = 0;
    virtual std::string ShortDate(const CivilTime& local) const = 0;
    virtual std::string TimeText(const CivilTime& local) const = 0;
    // Minutes to add to UTC to get local time at the UTC moment `utc`.
    virtual int UtcOffsetMinutes(const COleDateTime& utc) const = 0;
};

// The names of the user and the computer; either may be unavailable.
class ISystemInfo {
public:
    virtual ~ISystemInfo() = default;
    virtual bool UserName(std::string& out) const = 0;
    virtual bool ComputerName(std::string& out) const = 0;
};

}  // namespace nl
