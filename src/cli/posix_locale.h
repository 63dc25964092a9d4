#pragma once
#include <optional>

#include "model/NumberFormat.h"

namespace nl::cli {

// The number format of the C library's numeric locale `name` ("" for the user's locale from
// the environment), from its decimal point, thousands separator and grouping. Nothing when
// the system has no such locale. Sets the process's LC_NUMERIC to that locale.
std::optional<NumberFormat> NumberFormatOfLocale(const char* name);

}  // namespace nl::cli
