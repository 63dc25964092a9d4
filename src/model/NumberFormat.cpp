#include "model/NumberFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace nl {
namespace {

constexpr int kMaxGroupSize = 9;
// The neutral "C" text of a value has this many decimals before the locale formatter rounds.
constexpr int kNeutralDecimals = 6;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Inserts the thousands symbol into the integer digits `digits` as `grouping` says.
std::string GroupDigits(std::string_view digits, const DigitGrouping& grouping,
                        std::string_view separator) {
    if (grouping.sizes.empty() || separator.empty()) return std::string(digits);
    std::vector<std::string_view> groups;  // from the decimal symbol leftwards
    size_t end = digits.size();
    size_t index = 0;
    while (end > 0) {
        size_t size = end;  // the rest, once the sizes run out without repeating
        if (index < grouping.sizes.size()) {
            size = static_cast<size_t>(grouping.sizes[index]);
        } else if (grouping.repeatLast) {
            size = static_cast<size_t>(grouping.sizes.back());
        }
        size = std::min(size, end);
        groups.push_back(digits.substr(end - size, size));
        end -= size;
        ++index;
    }
    std::string out;
    for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
        if (!out.empty()) out += separator;
        out += *it;
    }
    return out;
}

std::string ApplyNegativeOrder(const NumberFormat& format, std::string magnitude) {
    switch (format.negativeOrder) {
        case NumberFormat::kNegParentheses:
            return "(" + magnitude + ")";
        case NumberFormat::kNegLeadingSpaced:
            return "- " + magnitude;
        case NumberFormat::kNegTrailingMinus:
            return magnitude + "-";
        case NumberFormat::kNegTrailingSpaced:
            return magnitude + " -";
        default:
            return "-" + magnitude;
    }
}

// The "C" text of `value` with `decimals` decimals, independent of the C library's locale.
std::string NeutralText(double value, int decimals) {
    // Room for the largest double in fixed notation plus sign, point and decimals.
    std::array<char, 320 + kMaxNumberDecimals> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace

DigitGrouping DigitGrouping::FromString(std::string_view text) {
    DigitGrouping grouping;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(';', start), text.size());
        const std::string_view item = text.substr(start, end - start);
        if (item.size() != 1 || !IsDigit(item[0])) return {};
        const int size = item[0] - '0';
        if (size == 0) {
            // A zero after the sizes repeats the last one.
            grouping.repeatLast = !grouping.sizes.empty();
            return grouping;
        }
        grouping.sizes.push_back(size);
        start = end + 1;
    }
    return grouping;
}

DigitGrouping DigitGrouping::FromNumber(unsigned value) {
    if (value == 0) return {};
    std::vector<int> digits;  // least significant first
    for (; value != 0; value /= 10) digits.push_back(static_cast<int>(value % 10));
    std::reverse(digits.begin(), digits.end());
    DigitGrouping grouping;
    grouping.repeatLast = digits.back() != 0;
    for (const int digit : digits) {
        if (digit == 0) break;
        grouping.sizes.push_back(digit);
    }
    if (grouping.sizes.empty()) grouping.repeatLast = false;
    return grouping;
}

DigitGrouping DigitGrouping::FromPosix(std::string_view bytes) {
    DigitGrouping grouping;
    for (const char byte : bytes) {
        const int size = static_cast<signed char>(byte);
        if (size == 0) break;
        if (size < 1 || size > kMaxGroupSize) return grouping;  // CHAR_MAX: no more groups
        grouping.sizes.push_back(size);
    }
    grouping.repeatLast = !grouping.sizes.empty();
    return grouping;
}

const NumberFormat& NumberFormat::Neutral() {
    static const NumberFormat neutral;
    return neutral;
}

std::string FormatNumberWith(const NumberFormat& format, std::string_view numberText,
                             int decimals) {
    decimals = std::clamp(decimals, 0, kMaxNumberDecimals);
    size_t i = 0;
    bool negative = false;
    if (i < numberText.size() && numberText[i] == '-') {
        negative = true;
        ++i;
    }
    const size_t intStart = i;
    while (i < numberText.size() && IsDigit(numberText[i])) ++i;
    const std::string_view intDigits = numberText.substr(intStart, i - intStart);
    std::string_view fracDigits;
    if (i < numberText.size() && numberText[i] == '.') {
        const size_t fracStart = ++i;
        while (i < numberText.size() && IsDigit(numberText[i])) ++i;
        fracDigits = numberText.substr(fracStart, i - fracStart);
    }
    if (i != numberText.size() || (intDigits.empty() && fracDigits.empty())) return {};

    // All kept digits in one string, so that rounding can carry into the integer part.
    std::string digits(intDigits);
    std::string kept(fracDigits.substr(0, std::min(fracDigits.size(), size_t(decimals))));
    kept.append(static_cast<size_t>(decimals) - kept.size(), '0');
    digits += kept;
    if (fracDigits.size() > static_cast<size_t>(decimals) && fracDigits[decimals] >= '5') {
        size_t pos = digits.size();
        while (pos > 0 && digits[pos - 1] == '9') digits[--pos] = '0';
        if (pos == 0) {
            digits.insert(0, "1");
        } else {
            ++digits[pos - 1];
        }
    }
    const size_t intLength = digits.size() - static_cast<size_t>(decimals);
    std::string integer = digits.substr(0, intLength);
    const std::string fraction = digits.substr(intLength);
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));

    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    if (zero) negative = false;
    if (integer.empty() && (format.leadingZero || decimals == 0)) integer = "0";

    std::string out = GroupDigits(integer, format.grouping, format.thousandSep);
    if (decimals > 0) {
        out += format.decimalSep;
        out += fraction;
    }
    return negative ? ApplyNegativeOrder(format, std::move(out)) : out;
}

std::string FormatNumber(const NumberFormat& format, double value, int maxDecimals) {
    if (!std::isfinite(value)) return {};
    maxDecimals = std::clamp(maxDecimals, 0, kMaxNumberDecimals);
    const std::string text = NeutralText(value, std::max(kNeutralDecimals, maxDecimals));
    const std::string_view fraction = std::string_view(text).substr(text.find('.') + 1);
    int decimals = 0;
    while (decimals < maxDecimals &&
           fraction.find_first_not_of('0', static_cast<size_t>(decimals)) != std::string::npos) {
        ++decimals;
    }
    // Between none and the maximum only one decimal is tried; otherwise the maximum is used.
    if (decimals > 1) decimals = maxDecimals;
    return FormatNumberWith(format, text, decimals);
}

std::string FormatNumberFixed(const NumberFormat& format, double value, int decimals) {
    if (!std::isfinite(value)) return {};
    decimals = std::clamp(decimals, 0, kMaxNumberDecimals);
    return FormatNumberWith(format, NeutralText(value, std::max(kNeutralDecimals, decimals)),
                            decimals);
}

}  // namespace nl
