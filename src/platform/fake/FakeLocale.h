#pragma once
#include <optional>
#include <string>

#include "platform/ILocale.h"

namespace nl {

// Regional settings chosen by the test. Date and time texts follow the United States
// English forms ("Tuesday, March 5, 2024 2:07:09 PM", "3/5/2024", "2:07:09 PM"); local
// time is UTC shifted by a fixed offset.
class FakeLocale final : public ILocale {
public:
    NumberFormat UserNumberFormat() const override { return numberFormat; }
    std::string LongDateTime(const CivilTime& local) const override;
    std::string ShortDate(const CivilTime& local) const override;
    std::string TimeText(const CivilTime& local) const override;
    int UtcOffsetMinutes(const COleDateTime&) const override { return utcOffsetMinutes; }

    NumberFormat numberFormat = NumberFormat::Neutral();
    int utcOffsetMinutes = 0;
};

// User and computer names chosen by the test; an unset name cannot be read.
class FakeSystemInfo final : public ISystemInfo {
public:
    bool UserName(std::string& out) const override { return Read(userName, out); }
    bool ComputerName(std::string& out) const override { return Read(computerName, out); }

    std::optional<std::string> userName = "designer";
    std::optional<std::string> computerName = "STUDIO";

private:
    static bool Read(const std::optional<std::string>& name, std::string& out) {
        if (!name) return false;
        out = *name;
        return true;
    }
};

}  // namespace nl
