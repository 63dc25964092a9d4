// Runs the built nerimlens-cli and checks its output, error line and exit code.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_runner.h"

namespace nl {
namespace {

using test::RunCli;
using test::RunResult;

TEST(CliTest, ColorInEveryForm) {
    const RunResult r = RunCli({"color", "12,200,99"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "CMYK\t94, 0, 51, 22\n"
              "HSL\t99, 213, 100\n"
              "HSV\t148, 94, 78\n"
              "HTML\t0CC863\n"
              "#HTML\t#0CC863\n"
              "html\t0cc863\n"
              "#html\t#0cc863\n"
              "RGB 0-1\t0.05, 0.78, 0.39\n"
              "RGB 0-255\t12, 200, 99\n"
              "rgb()\trgb(12 200 99)\n"
              "rgb(,)\trgb(12, 200, 99)\n"
              "hsl()\thsl(148 89% 42%)\n"
              "hwb()\thwb(148 5% 22%)\n"
              "lab()\tlab(71.04% -59.82 37.98)\n"
              "lch()\tlch(71.04% 70.86 147.6)\n"
              "oklab()\toklab(72.94% -0.170 0.094)\n"
              "oklch()\toklch(72.94% 0.194 151.0)\n"
              "0xRRGGBB\t0x0CC863\n");
}

TEST(CliTest, ContrastGivesTheVerdictsAndPassingColors) {
    // #777 on white reads 4.48 and fails AA for body text; the verdict ends with 0 anyway.
    RunResult r = RunCli({"contrast", "#777", "white"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "Contrast ratio\t4.48:1\n"
              "AA normal text\tfail\n"
              "AA large text\tpass\n"
              "AAA normal text\tfail\n"
              "AAA large text\tfail\n"
              "Non-text\tpass\n"
              "APCA Lc\t71.11\n"
              "APCA level\t60\n");
    // Light text on black: a negative Lc; every verdict passes, so the colors stay.
    r = RunCli({"contrast", "255,255,255", "000000", "--json", "--suggest"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\n"
              "  \"text\": \"#FFFFFF\",\n"
              "  \"background\": \"#000000\",\n"
              "  \"ratio\": 21.0,\n"
              "  \"aaNormal\": true,\n"
              "  \"aaLarge\": true,\n"
              "  \"aaaNormal\": true,\n"
              "  \"aaaLarge\": true,\n"
              "  \"nonText\": true,\n"
              "  \"apcaLc\": -107.88,\n"
              "  \"apcaLevel\": 90,\n"
              "  \"suggestions\": {\n"
              "    \"AA\": {\n"
              "      \"text\": \"#FFFFFF\",\n"
              "      \"background\": \"#000000\"\n"
              "    },\n"
              "    \"AAA\": {\n"
              "      \"text\": \"#FFFFFF\",\n"
              "      \"background\": \"#000000\"\n"
              "    }\n"
              "  }\n"
              "}\n");
    // A grey that misses AA moves to the first grey that passes.
    r = RunCli({"contrast", "#777777", "#FFFFFF", "--suggest"});
    EXPECT_NE(r.out.find("AA text\t#767676\n"), std::string::npos) << r.out;
}

TEST(CliTest, LengthInEveryUnit) {
    const RunResult r = RunCli({"length", "96", "--locale", "C"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "px\t96\npc\t6\npt\t72\ntw\t1440\ncm\t2.54\nin\t1\nlpx\t96\n");
}

TEST(CliTest, SingleValues) {
    struct Case {
        std::vector<std::string> args;
        const char* out;
    };
    const Case cases[] = {
        {{"color", "#0cc863", "--format", "RGB 0-255"}, "12, 200, 99\n"},
        {{"color", "0CC863", "--format", "4"}, "#0CC863\n"},
        {{"color", "hsl:99,213,100", "--format", "RGB 0-255"}, "12, 201, 102\n"},
        {{"color", "12,200,99", "--format", "html"}, "0cc863\n"},
        {{"color", "rgb(230,57,70)", "--format", "#HTML"}, "#E63946\n"},
        {{"color", "oklch(62.8% 0.2577 29.23)", "--format", "#HTML"}, "#FF0000\n"},
        {{"color", "RebeccaPurple", "--format", "RGB 0-255"}, "102, 51, 153\n"},
        {{"color", "12,200,99", "--format", "HTML"}, "0CC863\n"},
        {{"color", "12,200,99", "--format", "rgb 0-1"}, "0.05, 0.78, 0.39\n"},
        {{"color", "#FF0000", "--format", "OKLCH"}, "oklch(62.80% 0.258 29.2)\n"},
        {{"color", "oklch(62.8% 0.258 29.23)", "--format", "rgb(,)"}, "rgb(255, 0, 0)\n"},
        {{"color", "#1a5c9e", "--format", "16"}, "oklch(47.01% 0.125 252.4)\n"},
        {{"length", "10", "--unit", "cm"}, "0.26\n"},
        {{"length", "-48", "--unit", "5"}, "-0.5\n"},
        {{"length", "96", "--dpi", "96,72", "--unit", "in", "--axis", "y"}, "1.33\n"},
        {{"length", "96", "--dpi", "96,72", "--unit", "in"}, "1\n"},
        {{"length", "9600", "--unit", "TW"}, "144000\n"},
        {{"length", "96", "--unit", "lpx", "--scale", "1.5"}, "64\n"},
        {{"length", "-3", "--unit", "6", "--scale", "2", "--axis", "y"}, "-1.5\n"},
        {{"length", "96", "--unit", "px", "--scale", "2"}, "96\n"},
    };
    for (const Case& c : cases) {
        const RunResult r = RunCli(c.args);
        SCOPED_TRACE(*(c.args.begin() + 1));
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
}

TEST(CliTest, BadInputExitsWithOneErrorLine) {
    struct Case {
        std::vector<std::string> args;
        const char* named;  // the bad value, quoted in the message
    };
    const Case cases[] = {
        {{"color", "12,300,4"}, "\"12,300,4\""},
        {{"contrast", "#777", "#GGG"}, "\"#GGG\""},
        {{"color", "transparent"}, "transparent has no color to use"},
        {{"contrast", "#777"}, "BACKGROUND"},
        {{"color", "#12345"}, "\"#12345\""},
        {{"color", "12,200"}, "\"12,200\""},
        {{"color", "hsl:0,0,241"}, "\"hsl:0,0,241\""},
        {{"color", "12,200,99", "--format", "Html"}, "\"Html\""},  // HTML or html?
        {{"color", "12,200,99", "--format", "18"}, "\"18\""},
        {{"length", "abc"}, "\"abc\""},
        {{"length", "1.5"}, "\"1.5\""},
        {{"length", "96", "--dpi", "-96"}, "\"-96\""},
        {{"length", "96", "--dpi", "96,0"}, "\"96,0\""},
        {{"length", "96", "--unit", "mm"}, "\"mm\""},
        {{"length", "96", "--axis", "z"}, "\"z\""},
        {{"length", "96", "--scale", "0"}, "\"0\""},
        {{"length", "96", "--scale", "2x"}, "\"2x\""},
        {{"length", "96", "--locale", "xx_NOWHERE"}, "\"xx_NOWHERE\""},
        {{"length", "96", "--bogus"}, "--bogus"},
        {{"color"}, "COLOR"},
        {{}, "subcommand"},
        {{"colour", "1,2,3"}, "unknown command 'colour'"},
        {{"settings", "bogus"}, "unknown command 'bogus'"},
        {{"doc", "nope", "x.nlz"}, "unknown command 'nope'"},
        {{"settings", "defaults", "h.dat", "--hot-key", "5=0x2007B"}, "5=0x2007B"},
        {{"settings", "defaults", "h.dat", "--hot-key", "0=0x70"}, "0=0x70"},
        {{"doc", "export", "none.nlz", "-", "--clipboard-form", "5"}, "\"5\""},
        {{"doc", "export", "none.nlz", "out.pdf"}, ".txt"},
    };
    for (const Case& c : cases) {
        const RunResult r = RunCli(c.args);
        SCOPED_TRACE(c.named);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.out, "");
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
    }
}

TEST(CliTest, HelpNamesEveryAcceptedForm) {
    struct Case {
        std::vector<std::string> args;
        std::vector<const char*> forms;
    };
    const Case cases[] = {
        {{"doc", "add", "--help"}, {"#RRGGBB", "RRGGBB", "R,G,B", "hsl:H,S,L"}},
        {{"doc", "export", "--help"}, {".txt", ".csv", ".htm", ".xml", "0 text", "4 XML"}},
    };
    for (const Case& c : cases) {
        const RunResult r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, 0);
        for (const char* form : c.forms) EXPECT_NE(r.out.find(form), std::string::npos) << form;
    }
}

TEST(CliTest, HelpGoesToStdout) {
    for (const char* command : {"color", "length"}) {
        const RunResult r = RunCli({command, "--help"});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_NE(r.out.find("--"), std::string::npos) << r.out;
        EXPECT_EQ(r.err, "");
    }
}

}  // namespace
}  // namespace nl
