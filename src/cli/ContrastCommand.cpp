#include "cli/ContrastCommand.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "cli/command_support.h"
#include "cli/doc_info.h"
#include "contrast/contrast_report.h"
#include "model/contrast.h"

namespace nl::cli {
namespace {

struct ContrastArgs {
    std::string text;
    std::string background;
    bool json = false;
    bool suggest = false;
};

// The levels suggestions are made for, with the ratio each needs of body text.
struct Level {
    const char* name;
    double ratio;
};
constexpr Level kLevels[] = {{"AA", kRatioAaNormal}, {"AAA", kRatioAaaNormal}};

std::string RunContrast(const ContrastArgs& args) {
    const COLORREF text = ParseColorArgument(args.text);
    const COLORREF background = ParseColorArgument(args.background);
    const double ratio = ContrastRatio(text, background);
    const WcagVerdicts v = JudgeRatio(ratio);
    const double lc = ApcaContrast(text, background);
    const double shownLc = ShownLc(lc);
    const auto suggestion = [&](bool moveText, double needed) {
        return moveText ? NearestPassingColor(text, background, needed)
                        : NearestPassingColor(background, text, needed);
    };

    if (args.json) {
        nlohmann::ordered_json out = {
            {"text", HashColor(text)},    {"background", HashColor(background)},
            {"ratio", ShownRatio(ratio)}, {"aaNormal", v.aaNormal},
            {"aaLarge", v.aaLarge},       {"aaaNormal", v.aaaNormal},
            {"aaaLarge", v.aaaLarge},     {"nonText", v.nonText},
            {"apcaLc", shownLc},          {"apcaLevel", ApcaLevel(lc)},
        };
        if (args.suggest) {
            nlohmann::ordered_json suggestions = nlohmann::ordered_json::object();
            for (const Level& level : kLevels) {
                nlohmann::ordered_json entry = nlohmann::ordered_json::object();
                for (const bool moveText : {true, false}) {
                    const auto color = suggestion(moveText, level.ratio);
                    entry[moveText ? "text" : "background"] =
                        color ? nlohmann::ordered_json(HashColor(*color)) : nullptr;
                }
                suggestions[level.name] = entry;
            }
            out["suggestions"] = suggestions;
        }
        return out.dump(2) + "\n";
    }

    std::string out = ContrastFiguresText(MakeContrastReport(text, background));
    if (args.suggest) {
        for (const Level& level : kLevels) {
            for (const bool moveText : {true, false}) {
                const auto color = suggestion(moveText, level.ratio);
                out += std::string(level.name) + (moveText ? " text\t" : " background\t") +
                       (color ? HashColor(*color) : std::string("none")) + "\n";
            }
        }
    }
    return out;
}

}  // namespace

void RegisterContrastCommand(CLI::App& app, std::string& output) {
    auto args = std::make_shared<ContrastArgs>();
    CLI::App* command =
        app.add_subcommand("contrast", "Show the contrast of a text color on a background color");
    command->add_option("TEXT", args->text, "the text color: " + std::string(kColorArgumentForms))
        ->required();
    command->add_option("BACKGROUND", args->background, "the background color")->required();
    command->add_flag("--json", args->json, "Print one JSON object");
    command->add_flag("--suggest", args->suggest,
                      "Also the nearest text and background colors that pass AA and AAA");
    command->callback([args, &output] { output = RunContrast(*args); });
}

}  // namespace nl::cli
