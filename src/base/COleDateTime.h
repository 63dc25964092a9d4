#pragma once
#include <chrono>
#include <cstdint>

namespace nl {

// A broken-down civil date and time (proleptic Gregorian calendar).
struct CivilTime {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int dayOfWeek = 0;  // 0 Sunday .. 6 Saturday, filled by conversions from a date
    int dayOfYear = 0;  // 1..366, filled by conversions from a date
};

// An OLE automation date: days since 30 December 1899 as a double, with a status.
// Before the epoch the integer part counts days back while the fraction still counts
// forward into the day (-1.25 is 29 December 1899, 06:00).
class COleDateTime {
public:
    enum Status : std::int32_t { kValid = 0, kInvalid = 1 };

    // The representable range: 1 January 100 to 31 December 9999, 23:59:59.
    static constexpr double kMinDate = -657434.0;
    static constexpr double kMaxDate = 2958465.99999999;

    COleDateTime() = default;
    COleDateTime(double date, Status status = kValid) : m_dt(date), m_status(status) {}

    // Builds a date from its parts; parts out of range give an invalid date.
    static COleDateTime FromCivil(const CivilTime& civil);
    static COleDateTime FromTimePoint(std::chrono::system_clock::time_point tp);

    double Date() const { return m_dt; }
    Status GetStatus() const { return m_status; }
    bool IsValid() const { return m_status == kValid; }
    void SetStatus(Status s) { m_status = s; }

    // The parts of a valid date in range (rounded to the millisecond); false otherwise.
    bool ToCivil(CivilTime& out) const;
    // The moment as a time point; false when the date is invalid or out of range.
    bool ToTimePoint(std::chrono::system_clock::time_point& out) const;

    friend bool operator==(const COleDateTime&, const COleDateTime&) = default;

private:
    double m_dt = 0.0;
    Status m_status = kValid;
};

// The time source of the program; tests give a fixed or advancing clock.
class IClock {
public:
    virtual ~IClock() = default;
    virtual std::chrono::system_clock::time_point UtcNow() const = 0;
    // Milliseconds from an arbitrary start, for intervals and timers.
    virtual std::int64_t TickCountMs() const = 0;
};

class SystemClock final : public IClock {
public:
    std::chrono::system_clock::time_point UtcNow() const override;
    std::int64_t TickCountMs() const override;
};

// The current UTC moment as an OLE date, read from `clock`.
COleDateTime UtcNowAsOleDate(const IClock& clock);

}  // namespace nl
