#include "export/expand_tags.h"

#include <chrono>
#include <string>

#include "base/COleDateTime.h"
#include "base/StringTable.h"
#include "base/text.h"
#include "model/CUnitsCol.h"
#include "model/css_color.h"
#include "platform/ILocale.h"

namespace nl {
namespace {

// The numbered color tags: "<color" N "/>".
constexpr std::string_view kColorTagStart = "<color";
constexpr std::string_view kNameTagStart = "<name";
constexpr std::string_view kColorTagEnd = "/>";

// The current local time, or false when the context has no clock or locale or the moment
// lies outside the calendar's range.
bool LocalNow(const ExportContext& context, CivilTime& out) {
    if (context.clock == nullptr || context.locale == nullptr) return false;
    const auto utc = context.clock->UtcNow();
    const int offset = context.locale->UtcOffsetMinutes(COleDateTime::FromTimePoint(utc));
    return COleDateTime::FromTimePoint(utc + std::chrono::minutes(offset)).ToCivil(out);
}

bool Contains(std::string_view text, std::string_view tag) {
    return text.find(tag) != std::string_view::npos;
}

}  // namespace

void ReplaceAll(std::string& text, std::string_view tag, std::string_view value) {
    if (tag.empty()) return;
    for (std::size_t pos = text.find(tag); pos != std::string::npos;
         pos = text.find(tag, pos + value.size())) {
        text.replace(pos, tag.size(), value);
    }
}

std::string FileTitleOf(std::string_view title) {
    const std::size_t slash = title.find_last_of("\\/");
    std::string_view name = slash == std::string_view::npos ? title : title.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) name = name.substr(0, dot);
    return std::string(name);
}

std::string ExpandTags(std::string_view source, const ExportData& data,
                       const ExportContext& context) {
    std::string text(source);
    // The local time is read once, so that the date and time tags of one text agree.
    CivilTime local;
    bool haveLocal = false;
    bool triedLocal = false;
    const auto replaceTime = [&](std::string_view tag, auto format) {
        if (!Contains(text, tag)) return;
        if (!triedLocal) {
            haveLocal = LocalNow(context, local);
            triedLocal = true;
        }
        if (haveLocal) ReplaceAll(text, tag, (context.locale->*format)(local));
    };
    replaceTime(kTagTime, &ILocale::TimeText);
    replaceTime(kTagDate, &ILocale::ShortDate);
    replaceTime(kTagDateTime, &ILocale::LongDateTime);

    const auto replaceName = [&](std::string_view tag, auto read) {
        if (!Contains(text, tag) || context.systemInfo == nullptr) return;
        std::string name;
        if ((context.systemInfo->*read)(name)) ReplaceAll(text, tag, name);
    };
    replaceName(kTagUser, &ISystemInfo::UserName);
    replaceName(kTagComputer, &ISystemInfo::ComputerName);

    const std::string title =
        context.documentTitle.empty() ? LoadString(kIdsUntitled) : context.documentTitle;
    ReplaceAll(text, kTagFileName, title);
    if (Contains(text, kTagFileTitle)) ReplaceAll(text, kTagFileTitle, FileTitleOf(title));
    ReplaceAll(text, kTagRevision, std::to_string(data.revision));
    ReplaceAll(text, kTagColors, std::to_string(data.colors.size()));
    ReplaceAll(text, kTagAppName, LoadString(kIdsAppTitle));

    // The numbered tags of each color: its "#HTML" text, then its nearest CSS name.
    const auto replaceNumbered = [&](std::string_view start, auto value) {
        if (!Contains(text, start)) return;
        for (std::size_t n = 1; n <= data.colors.size(); ++n) {
            std::string tag(start);
            tag += std::to_string(n);
            tag += kColorTagEnd;
            if (Contains(text, tag)) ReplaceAll(text, tag, value(data.colors[n - 1].color));
        }
    };
    if (context.colorFormats != nullptr) {
        replaceNumbered(kColorTagStart, [&](COLORREF color) {
            return context.colorFormats->FormatColor(color, CUnitsCol::kHashHtmlRow);
        });
    }
    replaceNumbered(kNameTagStart, [](COLORREF color) { return CssNameText(color); });
    // File, user and computer names are bytes that need not be UTF-8.
    return ValidUtf8(text);
}

}  // namespace nl
