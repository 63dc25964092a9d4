#include "cli/posix_locale.h"

#include <clocale>
#include <string>

namespace nl::cli {

std::optional<NumberFormat> NumberFormatOfLocale(const char* name) {
    if (std::setlocale(LC_NUMERIC, name) == nullptr) return std::nullopt;
    const std::lconv* conventions = std::localeconv();
    NumberFormat format = NumberFormat::Neutral();
    if (conventions == nullptr) return format;
    if (conventions->decimal_point != nullptr && *conventions->decimal_point != '\0') {
        format.decimalSep = conventions->decimal_point;
    }
    const char* thousands = conventions->thousands_sep;
    if (thousands != nullptr && *thousands != '\0' && conventions->grouping != nullptr) {
        format.thousandSep = thousands;
        format.grouping = DigitGrouping::FromPosix(conventions->grouping);
    }
    return format;
}

}  // namespace nl::cli
