#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace nl {

// One value for FormatPrintf: an integer conversion takes an int, a floating one a double.
using PrintfArg = std::variant<int, double>;

// Formats `format` the way printf does, for a checked subset and independent of the C locale
// (the decimal point is always a period). Accepted conversions: "%%"; integers d i u o x X and
// floating f F e E g G, each with the flags - + space # 0, an optional width and an optional
// precision (digits only, no '*', no length modifiers). The format must have exactly one
// conversion per argument, each of the argument's kind; otherwise the result is nothing, so a
// damaged format string can never read a missing or mistyped argument.
std::optional<std::string> FormatPrintf(std::string_view format, std::span<const PrintfArg> args);

}  // namespace nl
