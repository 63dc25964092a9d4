#include "res/help_page.h"

#include <array>
#include <vector>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "base/escape.h"
#include "base/text.h"
#include "res/accelerators.h"

namespace nl {
namespace {

// The ruler's key list: a title, two column headers, then a command line and a key line for
// each key.
constexpr std::size_t kRulerKeysHeaderLines = 3;

// The tools and windows the page introduces, in the order of the Tools menu.
constexpr std::array kToolCommands = {cmd::kToolMagnifier, cmd::kToolScreenCopier,
                                      cmd::kToolGauge,     cmd::kToolColorPicker,
                                      cmd::kRuler,         cmd::kClipboardViewer};

// One table row per key: the key text and what its command does.
void AppendKeyTable(std::string& html, const std::string& heading, int tableId) {
    html += "<h2>" + EscapeMarkup(heading) + "</h2>\n<table>\n";
    for (const Accelerator& key : FindAccelerators(tableId)) {
        const PromptAndTip text = SplitPrompt(LoadString(static_cast<std::uint32_t>(key.command)));
        const std::string& what = text.prompt.empty() ? text.tip : text.prompt;
        html += "<tr><td><b>" + EscapeMarkup(AcceleratorText(key)) + "</b></td><td>" +
                EscapeMarkup(what) + "</td></tr>\n";
    }
    html += "</table>\n";
}

void AppendRulerKeys(std::string& html) {
    const std::vector<std::string> lines = SplitLines(LoadString(kIdsRulerKeys));
    if (lines.size() <= kRulerKeysHeaderLines) return;
    html += "<h2>" + EscapeMarkup(lines[0]) + "</h2>\n<table>\n";
    for (std::size_t i = kRulerKeysHeaderLines; i + 1 < lines.size(); i += 2) {
        html += "<tr><td><b>" + EscapeMarkup(lines[i + 1]) + "</b></td><td>" +
                EscapeMarkup(lines[i]) + "</td></tr>\n";
    }
    html += "</table>\n";
}

}  // namespace

std::string BuildHelpPage() {
    const std::string title = EscapeMarkup(FormatString(kIdsHelpTitle, {LoadString(kIdsAppTitle)}));
    std::string html = "<html><head><title>" + title + "</title></head><body>\n<h1>" + title +
                       "</h1>\n<h2>" + EscapeMarkup(LoadString(kIdsHelpTools)) + "</h2>\n<table>\n";
    for (const int command : kToolCommands) {
        const PromptAndTip text = SplitPrompt(LoadString(static_cast<std::uint32_t>(command)));
        html += "<tr><td><b>" + EscapeMarkup(text.tip) + "</b></td><td>" +
                EscapeMarkup(text.prompt) + "</td></tr>\n";
    }
    html += "</table>\n";
    AppendKeyTable(html, LoadString(kIdsHelpMainKeys), res::kAcceleratorsMain);
    AppendRulerKeys(html);
    html += "</body></html>\n";
    return html;
}

}  // namespace nl
