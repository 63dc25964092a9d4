// Every export form stays well-formed whatever the texts hold: each one is read back by a real
// parser (xmllint for XML and XHTML, Python's csv and json modules for the others).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "document/CColorPicker.h"
#include "document/document_test_support.h"
#include "export/export_colors.h"
#include "export/palette_files.h"
#include "model/CUnitsCol.h"
#include "model/CUnitsXY.h"
#include "platform/fake/FakeLocale.h"
#include "platform/local/LocalFileSystem.h"
#include "support/run_command.h"

namespace nl {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// Texts that a document, a file name, a user name or a color format may bring.
const std::string kHostileTexts[] = {
    "nul\0byte"s,
    "\x01\x02\x08\x0B\x0C\x0E\x1F\x7F",
    "nonchars \xEF\xBF\xBE \xEF\xBF\xBF",
    "not UTF-8 \xFF\xFE \xC3( \xE2\x82 \x80",
    "surrogate \xED\xA0\x80, overlong \xC0\xAF, past U+10FFFF \xF4\x90\x80\x80",
    "tab\tline feed\ncarriage return\r\nend",
    "]]> <![CDATA[ &#1; &amp; <b>\"quoted\"</b> 'single'",
    "a,b;c\td\"e\"\"",
    "\r\n\r\n",
};

// Reads `file` with a checker: "xml", "csv <separator> <records>", "json <colors>", "gpl <colors>"
// or "css <colors>"; returns the exit status and what the checker printed.
int Check(const fs::path& script, const fs::path& file, const std::string& how,
          std::string& output) {
    const std::string command =
        how.starts_with("xml")
            ? "xmllint --noout '" + file.string() + "' 2>&1"
            : "python3 '" + script.string() + "' '" + file.string() + "' " + how + " 2>&1";
    return test::RunCommand(command, output);
}

// The checkers for the forms xmllint does not read. Every file must be strict UTF-8.
constexpr const char* kChecker = R"(import csv, io, json, sys
path, form = sys.argv[1], sys.argv[2]
text = open(path, encoding="utf-8", newline="").read()
if form == "csv":
    sep = {"tab": "\t", "comma": ",", "semicolon": ";"}[sys.argv[3]]
    rows = list(csv.reader(io.StringIO(text, newline=""), delimiter=sep, strict=True))
    want = int(sys.argv[4])
    numbers = [r[0] for r in rows[1:]]
    if len(rows) != want or any(len(r) != 3 for r in rows) or numbers != [str(i) for i in range(1, want)]:
        sys.exit("records: %r" % rows)
elif form == "json":
    doc = json.loads(text)
    if not isinstance(doc["name"], str) or len(doc["colors"]) != int(sys.argv[3]):
        sys.exit("document: %r" % doc)
elif form == "gpl":
    lines = text.split("\n")
    if lines[0] != "GIMP Palette" or not lines[1].startswith("Name: ") or len(lines) != 5 + int(sys.argv[3]):
        sys.exit("lines: %r" % lines)
elif form == "css":
    if text.count("/*") != 1 + int(sys.argv[3]) or text.count("*/") != text.count("/*"):
        sys.exit("comments: %r" % text)
)";

class HostileTextExport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_formats.LoadColorFormats());
        ASSERT_TRUE(m_units.LoadUnits(DisplayMetrics{}, nullptr));
        m_context.colorFormats = &m_formats;
        m_context.unit = &m_units.GetAt(0);
        m_context.clock = &m_clock;
        m_context.locale = &m_locale;
        m_context.systemInfo = &m_system;
        m_data.colors = {{MakeRgb(255, 0, 0), {10, 20}}, {MakeRgb(12, 200, 99), {-5, 300}}};
        std::string pattern = (fs::temp_directory_path() / "nlhostile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        m_script = m_dir / "check.py";
        std::ofstream(m_script) << kChecker;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    // Puts `hostile` into every text an export writes: the document's name, its three export
    // texts, the user name and, through a color format of its own, every color cell.
    void UseText(const std::string& hostile) {
        m_context.documentTitle = "/home/me/" + hostile + ".nlz";
        m_data.texts = {"T " + hostile + " <filename/>", hostile + " <user/>", hostile};
        m_system.userName = hostile;
        std::string literal = hostile;
        std::erase(literal, '%');
        m_formats.Add(CUnitCol(3, "Hostile", "%d" + literal + "%d" + literal + "%d"));
        m_context.colorFormat = m_formats.GetSize() - 1;
    }

    void ExpectParses(const fs::path& file, const std::string& how) {
        std::string output;
        EXPECT_EQ(Check(m_script, file, how, output), 0) << file.filename() << ": " << output;
    }

    CUnitsCol m_formats;
    CUnitsXY m_units;
    testing_support::TestClock m_clock;
    FakeLocale m_locale;
    FakeSystemInfo m_system;
    ExportContext m_context;
    ExportData m_data;
    fs::path m_dir;
    fs::path m_script;
};

TEST_F(HostileTextExport, EveryFormStaysWellFormed) {
    struct Form {
        ExportForm form;
        bool details;
        const char* fileName;  // nullptr: no file of this form
        std::string how;
    };
    const std::string records = std::to_string(1 + m_data.colors.size());
    const Form forms[] = {
        {ExportForm::kXml, false, "colors.xml", "xml"},
        {ExportForm::kHtml, false, "list.htm", "xml"},
        {ExportForm::kHtml, true, "report.htm", "xml"},
        {ExportForm::kTabText, false, "colors.txt", "csv tab " + records},
        {ExportForm::kCsvComma, false, nullptr, "csv comma " + records},
        {ExportForm::kCsvSemicolon, false, "colors.csv", "csv semicolon " + records},
    };
    LocalFileSystem files;
    int n = 0;
    for (const std::string& hostile : kHostileTexts) {
        SCOPED_TRACE(testing::PrintToString(hostile));
        UseText(hostile);
        for (const Form& f : forms) {
            SCOPED_TRACE(f.how + (f.details ? " details" : ""));
            m_context.details = f.details;
            // The clipboard's text is UTF-8.
            const fs::path clip = m_dir / ("clip" + std::to_string(++n));
            std::ofstream(clip, std::ios::binary) << ExportColorsToText(m_data, m_context, f.form);
            ExpectParses(clip, f.how);
            if (f.fileName == nullptr) continue;
            // Files are UTF-16 with a byte-order mark, which xmllint reads but Python's
            // checkers do not; the delimited files carry the same text as the clipboard.
            const fs::path file = m_dir / f.fileName;
            ExportToFile(files, file.string(), m_data, m_context);
            if (f.how == "xml") ExpectParses(file, f.how);
        }
    }
}

TEST_F(HostileTextExport, PalettesStayWellFormed) {
    CColorPicker colors(m_clock);
    for (const ExportColor& c : m_data.colors) {
        CColPick pick;
        pick.SetColor(c.color);
        ASSERT_TRUE(colors.InsertColor(colors.GetCount(), pick));
    }
    const std::string count = std::to_string(colors.GetCount());
    const std::pair<PaletteForm, std::string> forms[] = {{PaletteForm::kGimp, "gpl " + count},
                                                         {PaletteForm::kCss, "css " + count},
                                                         {PaletteForm::kJson, "json " + count}};
    int n = 0;
    for (const std::string& hostile : kHostileTexts) {
        SCOPED_TRACE(testing::PrintToString(hostile));
        UseText(hostile);
        for (const auto& [form, how] : forms) {
            const fs::path file = m_dir / ("palette" + std::to_string(++n));
            std::ofstream(file, std::ios::binary)
                << PaletteText(form, colors, m_formats, m_context.colorFormat, hostile);
            ExpectParses(file, how);
        }
    }
}

}  // namespace
}  // namespace nl
