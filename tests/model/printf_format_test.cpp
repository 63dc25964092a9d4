#include "model/printf_format.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace nl {
namespace {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
// The C library's own result, as the reference (the tests run in the "C" locale).
std::string Reference(const char* format, int value) {
    std::array<char, 256> buffer{};
    std::snprintf(buffer.data(), buffer.size(), format, value);
    return buffer.data();
}
std::string Reference(const char* format, double value) {
    std::array<char, 512> buffer{};
    std::snprintf(buffer.data(), buffer.size(), format, value);
    return buffer.data();
}
#pragma GCC diagnostic pop

TEST(FormatPrintfTest, MatchesTheCLibraryForAcceptedConversions) {
    const char* intFormats[] = {"%d",    "%i",   "%5d",    "%-5d|", "%05d",   "%+d", "% d", "%.3d",
                                "%8.3d", "%.0d", "%x",     "%X",    "%02X",   "%#x", "%#X", "%#o",
                                "%o",    "%u",   "%-#8x|", "%+05d", "%0-4d|", "%99d"};
    for (const char* format : intFormats) {
        for (const int value : {0, 7, 12, 200, 255, -42}) {
            const std::array<PrintfArg, 1> args{value};
            EXPECT_EQ(FormatPrintf(format, args), Reference(format, value))
                << format << " with " << value;
        }
    }
    const char* floatFormats[] = {"%f",    "%0.2f", "%.0f",   "%#.0f", "%8.3f", "%-8.2f|",
                                  "%+.1f", "% f",   "%08.2f", "%e",    "%.2E",  "%g",
                                  "%.3g",  "%G",    "%F",     "%.99f"};
    for (const char* format : floatFormats) {
        for (const double value : {0.0, 12.0 / 255.0, 1.0, 0.5, -2.675, 123456789.0, 1e-7}) {
            const std::array<PrintfArg, 1> args{value};
            EXPECT_EQ(FormatPrintf(format, args), Reference(format, value))
                << format << " with " << value;
        }
    }
}

TEST(FormatPrintfTest, RefusesFormatsThatDoNotFitTheArguments) {
    const std::vector<PrintfArg> three{1, 2, 3};
    const char* refused[] = {
        "%d %d",      "%d %d %d %d", "%s %d %d",  "%n %d %d",   "%*d %d %d",
        "%.*d %d %d", "%ld %d %d",   "%hd %d %d", "%d %d %",    "%d %d %f",
        "%d %d %p",   "%100d %d %d", "%#g %d %d", "%d %d %1$d",
    };
    for (const char* format : refused)
        EXPECT_EQ(FormatPrintf(format, three), std::nullopt) << format;
    EXPECT_EQ(FormatPrintf("%d%%%d%% %d", three), "1%2% 3");
    EXPECT_EQ(FormatPrintf("plain", {}), "plain");
}

}  // namespace
}  // namespace nl
