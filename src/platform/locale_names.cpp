#include "platform/locale_names.h"

#include <array>
#include <cstdlib>

namespace nl {

std::optional<std::string> ProcessEnvironment(std::string_view name) {
    const char* value = std::getenv(std::string(name).c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

std::string NumericLocaleName(const EnvironmentLookup& environment) {
    // LC_ALL overrides every category; LANG is the fallback for all of them.
    constexpr std::array<std::string_view, 3> kVariables{"LC_ALL", "LC_NUMERIC", "LANG"};
    for (const std::string_view variable : kVariables)
        if (const auto value = environment(variable); value && !value->empty()) return *value;
    return "C";
}

bool IsNeutralLocale(std::string_view name) {
    // The language part ends at the codeset ('.') or the modifier ('@').
    const std::string_view language = name.substr(0, name.find_first_of(".@"));
    return language == "C" || language == "POSIX";
}

}  // namespace nl
