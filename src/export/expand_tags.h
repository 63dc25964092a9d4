#pragma once
#include <string>
#include <string_view>

#include "export/ExportContext.h"

namespace nl {

// The tags offered for export titles, headers and footers, and the numbered color tag.
inline constexpr std::string_view kTagTime = "<time/>";
inline constexpr std::string_view kTagDate = "<date/>";
inline constexpr std::string_view kTagDateTime = "<datetime/>";
inline constexpr std::string_view kTagUser = "<user/>";
inline constexpr std::string_view kTagComputer = "<computer/>";
inline constexpr std::string_view kTagFileName = "<filename/>";
inline constexpr std::string_view kTagFileTitle = "<filetitle/>";
inline constexpr std::string_view kTagRevision = "<revision/>";
inline constexpr std::string_view kTagColors = "<colors/>";
inline constexpr std::string_view kTagAppName = "<appname/>";

// `text` with its tags replaced, in the order of the constants above, then the color tags
// "<color1/>", "<color2/>", ... up to the number of colors (in the "#HTML" format), then the
// name tags "<name1/>", ... (the nearest CSS color name, "\u2248 tomato" when not exact). Each tag
// is replaced wherever it occurs; inserted values are not searched for the same tag again,
// only for the tags after it. A user or computer name that cannot be read, or a date the
// clock cannot give, leaves its tag in place. The result is UTF-8: bytes that are not (a file
// name need not be) become U+FFFD.
std::string ExpandTags(std::string_view text, const ExportData& data, const ExportContext& context);

// A document title taken as a path and reduced to its file name without the extension:
// "C:\\work\\palette.nlz" gives "palette", "Untitled" stays "Untitled".
std::string FileTitleOf(std::string_view title);

// Every occurrence of `tag` in `text` replaced by `value`, scanning on after each value.
void ReplaceAll(std::string& text, std::string_view tag, std::string_view value);

}  // namespace nl
