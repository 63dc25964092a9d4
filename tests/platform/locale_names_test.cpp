#include "platform/locale_names.h"

#include <gtest/gtest.h>

#include <map>

namespace nl {
namespace {

TEST(LocaleNamesTest, TheNumericLocaleComesFromTheFirstSetVariable) {
    struct Case {
        std::map<std::string, std::string> environment;
        std::string expected;
    };
    const Case cases[] = {
        {{}, "C"},
        {{{"LANG", "de_DE.UTF-8"}}, "de_DE.UTF-8"},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_NUMERIC", "fr_FR.UTF-8"}}, "fr_FR.UTF-8"},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_NUMERIC", "fr_FR"}, {"LC_ALL", "C.UTF-8"}}, "C.UTF-8"},
        // An empty variable counts as unset.
        {{{"LANG", "en_GB.UTF-8"}, {"LC_ALL", ""}}, "en_GB.UTF-8"},
    };
    for (const auto& c : cases) {
        const auto lookup = [&](std::string_view name) -> std::optional<std::string> {
            const auto it = c.environment.find(std::string(name));
            if (it == c.environment.end()) return std::nullopt;
            return it->second;
        };
        EXPECT_EQ(NumericLocaleName(lookup), c.expected);
    }
}

TEST(LocaleNamesTest, TheCLocaleIsNeutralInEveryCodeset) {
    const std::pair<const char*, bool> cases[] = {
        {"C", true},      {"C.UTF-8", true}, {"C.utf8", true},
        {"POSIX", true},  {"C@euro", true},  {"en_US.UTF-8", false},
        {"de_DE", false}, {"", false},       {"Ca_ES", false},
    };
    for (const auto& [name, neutral] : cases) EXPECT_EQ(IsNeutralLocale(name), neutral) << name;
}

}  // namespace
}  // namespace nl
