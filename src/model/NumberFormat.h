#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace nl {

// How the digits left of the decimal symbol are grouped, as a list of group sizes starting
// at the decimal symbol; after the list, the last size either repeats or grouping stops.
struct DigitGrouping {
    std::vector<int> sizes;   // each 1..9; empty means no grouping
    bool repeatLast = false;  // the last size repeats for all further digits

    // The regional-settings string form: "3;0" groups by threes throughout (1,234,567),
    // "3;2;0" groups 3 then 2s (12,34,567), "3" groups the first three digits only
    // (1234,567), "0" or "" does not group. A malformed string means no grouping.
    static DigitGrouping FromString(std::string_view text);
    // The number-formatter's integer form: one decimal digit per group, the last digit 0
    // meaning "stop" and any other last digit repeating: 3 is "3;0", 32 is "3;2;0",
    // 30 is "3", 0 is no grouping.
    static DigitGrouping FromNumber(unsigned value);
    // The C library's form (lconv::grouping): one byte per group; the end of the text (or a
    // zero byte) repeats the last size, CHAR_MAX (or any other byte outside 1..9) stops.
    static DigitGrouping FromPosix(std::string_view bytes);

    friend bool operator==(const DigitGrouping&, const DigitGrouping&) = default;
};

// How a locale writes numbers, as the system's regional settings describe it.
struct NumberFormat {
    // The order in which a negative number shows its sign.
    enum NegativeOrder : int {
        kNegParentheses = 0,     // (1.1)
        kNegLeadingMinus = 1,    // -1.1
        kNegLeadingSpaced = 2,   // - 1.1
        kNegTrailingMinus = 3,   // 1.1-
        kNegTrailingSpaced = 4,  // 1.1 -
    };

    int numDigits = 2;        // the locale's own number of decimals
    bool leadingZero = true;  // "0.5" rather than ".5"
    DigitGrouping grouping;   // no grouping by default
    std::string decimalSep = ".";
    std::string thousandSep = ",";
    int negativeOrder = kNegLeadingMinus;  // out-of-range values act as kNegLeadingMinus

    // Period decimal symbol, no grouping, leading zero, minus in front, two decimals.
    static const NumberFormat& Neutral();
};

// The most decimals the formatters produce; larger requests are reduced to it.
inline constexpr int kMaxNumberDecimals = 30;

// Formats a plain number text ("-1234.500000": optional minus, digits, optional period and
// digits) in `format` with exactly `decimals` decimals, as the system's number formatter
// does: rounds half away from zero on the decimal digits, groups the integer part, uses the
// locale's symbols, leading-zero rule and negative order. A value that rounds to zero shows
// no sign. Returns an empty text when `numberText` is not such a number.
std::string FormatNumberWith(const NumberFormat& format, std::string_view numberText, int decimals);

// A value with the fewest decimals, up to `maxDecimals`, that show it: none when it is whole,
// one when ten times it is whole, otherwise `maxDecimals`. The value is first written with
// six decimals (more when `maxDecimals` asks for more) and that text decides and is rounded.
// Infinite and not-a-number values give an empty text.
std::string FormatNumber(const NumberFormat& format, double value, int maxDecimals);

// A value with exactly `decimals` decimals (pass format.numDigits for the locale's own).
std::string FormatNumberFixed(const NumberFormat& format, double value, int decimals);

}  // namespace nl
