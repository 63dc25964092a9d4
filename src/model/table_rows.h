#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

namespace nl {

// Reads the id item of a string-table row the way the C library's atoi does: optional
// leading blanks and sign, then decimal digits up to the first other character. Text that
// does not start with a number reads as 0; values beyond the int range are clamped.
int ParseRowId(std::string_view item);

// Puts the texts into the "%s" places of `format` in order; "%%" is a percent sign. Other
// '%' sequences and "%s" places without a text stay as they are.
std::string FillTextFormat(std::string_view format, std::initializer_list<std::string_view> texts);

}  // namespace nl
