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
        {"a.gpl.bak", std::nullopt},
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

TEST_F(PaletteText_, GimpPaletteListsRgbAndTheColorText) {
    EXPECT_EQ(Text(PaletteForm::kGimp, "My\ncolors"),
              "GIMP Palette\n"
              "Name: My colors\n"
              "Columns: 0\n"
              "#\n"
              "255   0   0\tFF0000\n"
              " 18  52  86\t123456\n"
              "  0   0   0\t000000\n");
}

TEST_F(PaletteText_, CssHasOneCustomPropertyPerColor) {
    EXPECT_EQ(Text(PaletteForm::kCss, "a */ b"),
              "/* a * / b */\n"
              ":root {\n"
              "  --color-1: #FF0000; /* FF0000 */\n"
              "  --color-2: #123456; /* 123456 */\n"
              "  --color-3: #000000; /* 000000 */\n"
              "}\n");
}

TEST_F(PaletteText_, JsonEscapesTheTitle) {
    EXPECT_EQ(Text(PaletteForm::kJson, "say \"hi\"\\\t"),
              "{\n"
              "  \"name\": \"say \\\"hi\\\"\\\\\\u0009\",\n"
              "  \"colors\": [\n"
              "    {\"hex\": \"#FF0000\", \"rgb\": [255, 0, 0], \"text\": \"FF0000\"},\n"
              "    {\"hex\": \"#123456\", \"rgb\": [18, 52, 86], \"text\": \"123456\"},\n"
              "    {\"hex\": \"#000000\", \"rgb\": [0, 0, 0], \"text\": \"000000\"}\n"
              "  ]\n"
              "}\n");
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
