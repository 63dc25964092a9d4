#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Rules of the Options pages that need no window.
namespace nl {

// The longest export template (title, header, footer) the Color Export page accepts.
inline constexpr int kMaxExportTextLength = 64;
// The command of the first entry of a pop-up menu of choices (the tag menu); entry i is
// this plus i.
inline constexpr int kMenuChoiceFirst = 10000;

// The tags the Color Export page offers for insertion, in menu order.
std::vector<std::string> ExportTags();

// An integer typed into a numeric field: optional blanks around an optional sign and
// digits. Nothing when the text is no integer or lies outside min..max.
std::optional<int> ParseIntInRange(std::string_view text, int min, int max);
// "Enter an integer between min and max.", the message for such a field.
std::string IntRangeMessage(int min, int max);

}  // namespace nl
