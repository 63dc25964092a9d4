#include "contrast/contrast_report.h"

#include <cmath>
#include <cstdio>

#include "base/StringTable.h"
#include "base/string_ids.h"
#include "model/contrast.h"

namespace nl {
namespace {

// The pair as the report shows it under each simulation: a severity of 1 for the
// dichromacies, which ignore it anyway.
constexpr double kFullSeverity = 1.0;

// The APCA levels, highest first, each with its row of the level texts.
constexpr int kApcaLevels[] = {90, 75, 60, 45, 30, 15};

}  // namespace

double ShownLc(double lc) {
    return std::round(lc * 100) / 100 + 0.0;
}

std::string RatioText(double ratio) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f:1", ShownRatio(ratio));
    return text;
}

std::string ApcaLevelText(int level) {
    std::size_t row = std::size(kApcaLevels);
    for (std::size_t i = 0; i < std::size(kApcaLevels); ++i)
        if (kApcaLevels[i] == level) row = i;
    return LoadStringRow(kIdsApcaLevelTexts, row);
}

std::string ContrastFiguresText(const ContrastReport& report) {
    std::string out = "Contrast ratio\t" + report.ratioText + "\n";
    for (const ContrastReport::Verdict& v : report.verdicts)
        out += v.name + (v.pass ? "\tpass\n" : "\tfail\n");
    char lc[32];
    std::snprintf(lc, sizeof lc, "%.2f", ShownLc(report.lc));
    out += std::string("APCA Lc\t") + lc + "\n";
    out += "APCA level\t" + std::to_string(report.level) + "\n";
    return out;
}

ContrastReport MakeContrastReport(COLORREF text, COLORREF background) {
    ContrastReport report;
    report.text = text & kRgbMask;
    report.background = background & kRgbMask;
    report.ratio = ContrastRatio(report.text, report.background);
    report.ratioText = RatioText(report.ratio);
    const WcagVerdicts v = JudgeRatio(report.ratio);
    const std::pair<double, bool> verdicts[] = {
        {kRatioAaNormal, v.aaNormal}, {kRatioAaLarge, v.aaLarge}, {kRatioAaaNormal, v.aaaNormal},
        {kRatioAaaLarge, v.aaaLarge}, {kRatioNonText, v.nonText},
    };
    for (std::size_t row = 0; row < std::size(verdicts); ++row)
        report.verdicts.push_back({LoadStringRow(kIdsContrastVerdictNames, row),
                                   verdicts[row].first, verdicts[row].second});

    report.lc = ApcaContrast(report.text, report.background);
    char lc[32];
    std::snprintf(lc, sizeof lc, "Lc %.2f", ShownLc(report.lc));
    report.lcText = lc;
    report.level = ApcaLevel(report.lc);
    report.levelText = ApcaLevelText(report.level);

    for (const ColorVision vision : kReportedVisions) {
        const CColorVisionFilter filter(vision, kFullSeverity);
        ContrastReport::Simulated simulated;
        simulated.vision = vision;
        simulated.name = LoadStringRow(kIdsColorVisionNames, static_cast<std::size_t>(vision));
        simulated.text = filter.Apply(report.text);
        simulated.background = filter.Apply(report.background);
        const double ratio = ContrastRatio(simulated.text, simulated.background);
        simulated.ratio = RatioText(ratio);
        simulated.aaNormal = JudgeRatio(ratio).aaNormal;
        report.simulations.push_back(simulated);
    }

    if (!v.aaaNormal) {
        const std::pair<const char*, double> levels[] = {{"AA", kRatioAaNormal},
                                                         {"AAA", kRatioAaaNormal}};
        for (const auto& [name, ratio] : levels) {
            if (ratio == kRatioAaNormal && v.aaNormal) continue;
            for (const bool movesText : {true, false}) {
                const auto color = movesText
                                       ? NearestPassingColor(report.text, report.background, ratio)
                                       : NearestPassingColor(report.background, report.text, ratio);
                report.suggestions.push_back({name, movesText, color});
            }
        }
    }
    return report;
}

}  // namespace nl
