#include "export/palette_files.h"

#include <gtest/gtest.h>

#include <string>

#include "base/COleDateTime.h"
#include "document/CColorPicker.h"
#include "model/CUnitsCol.h"

namespace nl {
namespace {

constexpr int kHtmlRow = 3;  // "HTML": RRGGBB

TEST(PaletteFiles, FormFromExtensionIgnoresCase) {
    struct Case {
        const char* path;
        std::optional<PaletteForm> form;
    };
    const Case cases[] = {
        {"/p/colors.gpl", PaletteForm::kGimp}, {"a.GPL", PaletteForm::kGimp},
        {"site.css", PaletteForm::kCss},       {"x.Json", PaletteForm::kJson},
        {"colors.txt", std::nullopt},          {"json", std::nullopt},
        {"a.gpl.bak", std::nullopt},           {"s.ASE", PaletteForm::kAse},
    };
    for (const Case& c : cases) EXPECT_EQ(PaletteFormFromPath(c.path), c.form) << c.path;
}

class PaletteText_ : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_formats.LoadColorFormats());
        ASSERT_EQ(m_formats.GetAt(kHtmlRow).Name(), "HTML");
        for (const COLORREF color : {MakeRgb(255, 0, 0), MakeRgb(18, 52, 86), MakeRgb(0, 0, 0)}) {
            CColPick pick;
            pick.SetColor(color);
            m_colors.InsertColor(m_colors.GetCount(), pick);
        }
    }
    std::string Text(PaletteForm form, std::string_view title) const {
        return PaletteText(form, m_colors, m_formats, kHtmlRow, title);
    }

    SystemClock m_clock;
    CColorPicker m_colors{m_clock};
    CUnitsCol m_formats;
};

TEST_F(PaletteText_, GimpPaletteListsRgbAndTheColorName) {
    EXPECT_EQ(Text(PaletteForm::kGimp, "My\ncolors"),
              "GIMP Palette\n"
              "Name: My colors\n"
              "Columns: 0\n"
              "#\n"
              "255   0   0\tred\n"
              " 18  52  86\t\u2248 midnightblue\n"
              "  0   0   0\tblack\n");
}

TEST_F(PaletteText_, CssHasOneCustomPropertyPerColorNamedAfterIt) {
    CColPick pick;
    pick.SetColor(MakeRgb(254, 1, 1));
    m_colors.InsertColor(m_colors.GetCount(), pick);
    EXPECT_EQ(Text(PaletteForm::kCss, "a */ b"),
              "/* a * / b */\n"
              ":root {\n"
              "  --red: #FF0000; /* FF0000 */\n"
              "  --midnightblue: #123456; /* 123456, near midnightblue */\n"
              "  --black: #000000; /* 000000 */\n"
              "  --red-2: #FE0101; /* FE0101, near red */\n"
              "}\n");
}

TEST_F(PaletteText_, JsonEscapesTheTitle) {
    EXPECT_EQ(Text(PaletteForm::kJson, "say \"hi\"\\\t"),
              "{\n"
              "  \"name\": \"say \\\"hi\\\"\\\\\\u0009\",\n"
              "  \"colors\": [\n"
              "    {\"hex\": \"#FF0000\", \"rgb\": [255, 0, 0], \"text\": \"FF0000\", \"name\": "
              "\"red\", \"name_exact\": true},\n"
              "    {\"hex\": \"#123456\", \"rgb\": [18, 52, 86], \"text\": \"123456\", \"name\": "
              "\"midnightblue\", \"name_exact\": false},\n"
              "    {\"hex\": \"#000000\", \"rgb\": [0, 0, 0], \"text\": \"000000\", \"name\": "
              "\"black\", \"name_exact\": true}\n"
              "  ]\n"
              "}\n");
}

// Swatch Exchange, written out by hand: the header, then per color a block of type 1 whose
// length counts the name (UTF-16BE with its terminating zero), the model, three floats and the
// color type 2.
TEST(PaletteFiles, SwatchExchangeBytes) {
    SystemClock clock;
    CColorPicker colors(clock);
    CUnitsCol formats;
    ASSERT_TRUE(formats.LoadColorFormats());
    CColPick pick;
    pick.SetColor(MakeRgb(255, 0, 0));
    colors.InsertColor(0, pick);
    const std::string expected{'A',  'S',    'E', 'F', 0, 1,   0, 0,  // version 1.0
                               0,    0,      0,   1,                  // one block
                               0,    1,      0,   0,   0, 28,         // color entry, 28 bytes
                               0,    4,      0,   'r', 0, 'e', 0, 'd', 0, 0,  // "red" and its zero
                               'R',  'G',    'B', ' ',                        // the model
                               0x3F, '\x80', 0,   0,   0, 0,   0, 0,          // 1.0, 0.0
                               0,    0,      0,   0,   0, 2};                 // 0.0, normal color
    EXPECT_EQ(PaletteText(PaletteForm::kAse, colors, formats, 0, "t"), expected);
}

TEST(PaletteFiles, EmptyListGivesEmptyPalettes) {
    SystemClock clock;
    CColorPicker colors(clock);
    CUnitsCol formats;
    ASSERT_TRUE(formats.LoadColorFormats());
    EXPECT_EQ(PaletteText(PaletteForm::kJson, colors, formats, 0, "t"),
              "{\n  \"name\": \"t\",\n  \"colors\": []\n}\n");
    EXPECT_EQ(PaletteText(PaletteForm::kCss, colors, formats, 0, "t"), "/* t */\n:root {\n}\n");
}

}  // namespace
}  // namespace nl
