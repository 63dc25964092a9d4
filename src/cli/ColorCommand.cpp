#include "cli/ColorCommand.h"

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "cli/CompletionCommand.h"
#include "cli/command_support.h"
#include "model/CUnitsCol.h"

namespace nl::cli {
namespace {

struct ColorArgs {
    std::string color;
    std::string format;
};

std::string RunColor(const ColorArgs& args, bool formatGiven) {
    const COLORREF color = ParseColorArgument(args.color);
    CUnitsCol table;
    if (!table.LoadColorFormats()) throw std::runtime_error("the color formats are missing");
    if (formatGiven) {
        std::vector<std::string> names;
        for (const CUnitCol& row : table) names.push_back(row.Name());
        return table.FormatColor(color, ChooseRow(names, args.format, "color format")) + "\n";
    }
    std::string out;
    for (const CUnitCol& row : table) out += row.Name() + "\t" + row.FormatColor(color) + "\n";
    return out;
}

}  // namespace

void RegisterColorCommand(CLI::App& app, std::string& output) {
    auto args = std::make_shared<ColorArgs>();
    CLI::App* command = app.add_subcommand("color", "Show a color in the color text forms");
    command->add_option("COLOR", args->color, std::string(kColorArgumentForms))->required();
    CLI::Option* format =
        command->add_option("-f,--format", args->format,
                            "Only this form: its name (" + JoinNames(ColorFormatNames()) +
                                "; oklch for oklch()) or its index");
    CompleteValues(format, ColorFormatNames());
    command->callback([args, format, &output] { output = RunColor(*args, format->count() > 0); });
}

}  // namespace nl::cli
