#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace nl {

// Reads one environment variable; nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view)>;

// The process environment.
std::optional<std::string> ProcessEnvironment(std::string_view name);

// The name of the locale that writes numbers, as the environment chooses it: the first
// non-empty of LC_ALL, LC_NUMERIC and LANG, "C" when none is set.
std::string NumericLocaleName(const EnvironmentLookup& environment = ProcessEnvironment);

// Whether `name` is the C (POSIX) locale, with or without a codeset or modifier ("C",
// "C.UTF-8", "POSIX", "C@euro"). That locale writes numbers in the neutral form: period
// decimal symbol and no digit grouping, whatever a toolkit's own C locale would use.
bool IsNeutralLocale(std::string_view name);

}  // namespace nl
