#include "export/palette_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/CArchiveException.h"
#include "model/CUnitsCol.h"

namespace nl {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

ImportedColors Read(ImportForm form, std::string_view text, const CUnitCol* format = nullptr) {
    return ReadPalette(form, Bytes(text), "pal", format);
}

TEST(PaletteImport, FormsByExtension) {
    EXPECT_EQ(ImportFormFromPath("/a/b.GPL"), ImportForm::kGimp);
    EXPECT_EQ(ImportFormFromPath("b.css"), ImportForm::kCss);
    EXPECT_EQ(ImportFormFromPath("b.json"), ImportForm::kJson);
    EXPECT_EQ(ImportFormFromPath("b.ase"), ImportForm::kAse);
    EXPECT_EQ(ImportFormFromPath("b.txt"), ImportForm::kText);
    EXPECT_EQ(ImportFormFromPath("b.Csv"), ImportForm::kText);
    EXPECT_EQ(ImportFormFromPath("b.htm"), std::nullopt);
    EXPECT_EQ(ImportFormFromPath("gpl"), std::nullopt);
}

// Files as other programs write them: each gives its colors in order, and entries that hold
// no color the program reads are counted, not guessed.
TEST(PaletteImport, OtherProgramsFiles) {
    struct Case {
        ImportForm form;
        std::string text;
        std::vector<COLORREF> colors;
        std::size_t skipped;
    };
    const Case cases[] = {
        {ImportForm::kGimp,
         "GIMP Palette\r\nName: Web\r\nColumns: 16\r\n# a comment\r\n255\t0 0\tRed\r\n"
         "  0 128   0 Green\r\n\r\n300 0 0 too bright\r\nnot a color\r\n",
         {MakeRgb(255, 0, 0), MakeRgb(0, 128, 0)},
         2},
        // Selectors and comments are not colors; values give hex, functions and names.
        {ImportForm::kCss,
         "/* #FFFFFF in a comment */\n#add, a:hover { color: #123; border: 1px solid red; }\n"
         ":root{--brand:rgb(230 57 70);--x:hsl(120deg 100% 25%);--t:transparent;--n:12px}\n",
         {MakeRgb(0x11, 0x22, 0x33), MakeRgb(255, 0, 0), MakeRgb(230, 57, 70), MakeRgb(0, 128, 0)},
         0},
        {ImportForm::kJson,
         R"json(["#ff0000", "navy", "nothing", {"rgb": [1, 2, 3]}, {"color": "oklch(0 0 0)"},
            {"rgb": [1, 2, 300]}, 7])json",
         {MakeRgb(255, 0, 0), MakeRgb(0, 0, 128), MakeRgb(1, 2, 3), MakeRgb(0, 0, 0)},
         3},
        {ImportForm::kJson,
         R"({"name": "x", "colors": [{"hex": "#0CC863", "text": "whatever"}]})",
         {MakeRgb(12, 200, 99)},
         0},
        // A text export in CMYK (the default form) and a CSV export in RGB 0-255.
        {ImportForm::kText,
         "\xEF\xBB\xBF#\tColor\tLocation\r\n1\t0, 91, 73, 14\t1 , 1\r\n2\tnone\t3 , 4\r\n",
         {MakeRgb(219, 20, 59)},
         1},
        {ImportForm::kText,
         "#;Color;Location\r\n1;220, 20, 60;1 , 1\r\n2;#1A5C9E;5 , 5\r\n",
         {MakeRgb(220, 20, 60), MakeRgb(0x1A, 0x5C, 0x9E)},
         0},
        {ImportForm::kText,
         "#,Color,Location\r\n1,\"0, 0, 0, 100\",\"1 , 1\"\r\n",
         {MakeRgb(0, 0, 0)},
         0},
    };
    CUnitsCol formats;
    ASSERT_TRUE(formats.LoadColorFormats());
    ASSERT_EQ(formats.GetAt(0).Name(), "CMYK");
    for (const Case& c : cases) {
        const ImportedColors got = Read(c.form, c.text, &formats.GetAt(0));
        EXPECT_EQ(got.colors, c.colors) << c.text;
        EXPECT_EQ(got.skipped, c.skipped) << c.text;
    }
}

std::string SwatchBlock(std::string_view model, std::initializer_list<std::uint32_t> floats) {
    std::string block{0, 2, 0, 'a', 0, 0};  // the name "a"
    block += model;
    for (const std::uint32_t f : floats)
        for (const int shift : {24, 16, 8, 0}) block += static_cast<char>((f >> shift) & 0xFF);
    block += std::string{0, 2};
    return std::string{0, 1, 0, 0, 0, static_cast<char>(block.size())} + block;
}

TEST(PaletteImport, SwatchExchangeModelsAndGroups) {
    constexpr std::uint32_t kOne = 0x3F800000;
    constexpr std::uint32_t kHalf = 0x3F000000;
    constexpr std::uint32_t kNaN = 0x7FC00000;
    const std::string groupStart{'\xC0', 1, 0, 0, 0, 4, 0, 1, 0, 0};
    const std::string groupEnd{'\xC0', 2, 0, 0, 0, 0};
    const std::string file = std::string{'A', 'S', 'E', 'F', 0, 1, 0, 0, 0, 0, 0, 7} + groupStart +
                             SwatchBlock("RGB ", {kOne, 0, kHalf}) + SwatchBlock("Gray", {kHalf}) +
                             SwatchBlock("CMYK", {0, kOne, kOne, 0}) +
                             SwatchBlock("LAB ", {kOne, 0, 0}) + SwatchBlock("RGB ", {kNaN, 0, 0}) +
                             groupEnd;
    const ImportedColors got = Read(ImportForm::kAse, file);
    EXPECT_EQ(got.colors, (std::vector<COLORREF>{MakeRgb(255, 0, 128), MakeRgb(128, 128, 128),
                                                 MakeRgb(255, 0, 0), MakeRgb(255, 255, 255)}));
    EXPECT_EQ(got.skipped, 1u);
}

// Files that are not of their form are refused as a bad format naming the file, also where
// a count or a length promises more than the file holds.
TEST(PaletteImport, HostileFilesAreRefused) {
    const std::pair<ImportForm, std::string> cases[] = {
        {ImportForm::kGimp, "255 0 0 red\n"},
        {ImportForm::kGimp, ""},
        {ImportForm::kJson, "{\"colors\": [\"#fff\""},
        {ImportForm::kJson, "{\"name\": \"no colors\"}"},
        {ImportForm::kJson, "\"#fff\""},
        {ImportForm::kJson, std::string(100000, '[')},
        {ImportForm::kAse, "ASEX\0\1\0\0\0\0\0\0"},
        {ImportForm::kAse, "ASE"},
        {ImportForm::kAse, std::string{'A', 'S', 'E', 'F', 0, 1, 0, 0, 0x7F, 0, 0, 0}},
        {ImportForm::kAse,
         std::string{'A', 'S', 'E', 'F', 0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0x7F, 0, 0, 0}},
        {ImportForm::kAse,
         std::string{'A', 'S', 'E', 'F', 0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 4, 0x7F, 0, 0, 0}},
    };
    for (const auto& [form, text] : cases) {
        try {
            Read(form, text);
            ADD_FAILURE() << "read: " << text.substr(0, 40);
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.Message(), "pal has a bad format.");
        }
    }
    // A file of its form without colors reads as empty.
    EXPECT_TRUE(Read(ImportForm::kCss, "body { margin: 0 }").colors.empty());
    EXPECT_TRUE(Read(ImportForm::kText, "").colors.empty());
}

}  // namespace
}  // namespace nl
