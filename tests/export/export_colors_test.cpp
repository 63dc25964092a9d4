#include "export/export_colors.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/CSystemError.h"
#include "base/escape.h"
#include "base/text.h"
#include "document/CColorPicker.h"
#include "document/document_test_support.h"
#include "export/CExportTextCSV.h"
#include "export/CExportTextHtmlLIST.h"
#include "export/CExportTextHtmlREPORT.h"
#include "export/CExportTextXml.h"
#include "export/CNotSupportedException.h"
#include "export/CPreviewFile.h"
#include "export/expand_tags.h"
#include "model/CUnitsCol.h"
#include "model/CUnitsXY.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeLocale.h"
#include "platform/fake/FakeShell.h"
#include "platform/local/LocalFileSystem.h"
#include "support/run_command.h"

namespace nl {
namespace {

namespace fs = std::filesystem;

// Tuesday, 5 March 2024, 14:07:09 UTC.
using FixedClock = testing_support::TestClock;

constexpr int kRgb255Row = 8;  // "RGB 0-255"

// The head of both HTML forms, written out line by line; `margin` is the tile spacing.
std::string HtmlHead(const std::string& title, const std::string& header, const char* margin) {
    std::string head =
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
        "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n"
        "<head>\r\n"
        "<title>" +
        title +
        "</title>"
        "<meta name=\"description\" content=\"NerimLens - Color Palette\" />"
        "<meta http-equiv=\"Content-Type\" content=\"text/html;charset=utf-8\" />"
        "<meta name=\"author\" content=\"NerimLens - https://nerimlens.example/\" />\r\n"
        "<style type=\"text/css\"><!--\r\n"
        ".nlz { font-family: Tahoma,Arial,Helvetica; }\r\n"
        ".nlzelem {display:inline-block;width:6em;height:4em;text-align:center;;margin-right:" +
        margin + "px;margin-bottom:" + margin +
        "px;}\r\n"
        ".nlztile {display:inline-block;width:100%;height:100%;}\r\n"
        ".nlzindex {display:inline-block;margin-top:2.8em;background-color:white;opacity:.5;}\r\n"
        ".nlz table {text-align:left;white-space:nowrap;width:100%;}\r\n"
        ".nlz td, .nlz th {padding-right:2em;}\r\n"
        ".nlztdtile {width:100%;}\r\n"
        "--></style>\r\n"
        "</head>\r\n"
        "<body>\r\n"
        "<div class=\"nlz\">\r\n";
    if (!header.empty()) head += "<h5>" + header + "</h5><hr />\r\n";
    return head + "<h1>" + title + "</h1>\r\n";
}

std::string HtmlTail(const std::string& footer) {
    std::string tail;
    if (!footer.empty()) tail += "<hr /><h5>" + footer + "</h5>\r\n";
    return tail + "</div>\r\n</body>\r\n</html>\r\n";
}

// The UTF-8 text of UTF-16LE bytes after a byte-order mark; empty when the mark is missing.
std::string DecodeFile(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE || bytes.size() % 2 != 0)
        return {};
    std::u16string units;
    for (std::size_t i = 2; i < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
    return Utf16ToUtf8(units);
}

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_formats.LoadColorFormats());
        ASSERT_TRUE(m_units.LoadUnits(DisplayMetrics{}, nullptr));
        m_locale.utcOffsetMinutes = 60;
        m_context.colorFormats = &m_formats;
        m_context.colorFormat = kRgb255Row;
        m_context.unit = &m_units.GetAt(0);
        m_context.documentTitle = "palette.nlz";
        m_context.clock = &m_clock;
        m_context.locale = &m_locale;
        m_context.systemInfo = &m_system;
        m_two.colors = {{MakeRgb(255, 0, 0), {10, 20}}, {MakeRgb(12, 200, 99), {-5, 300}}};
        m_two.texts = {"Palette <colors/>", "<appname/>: <datetime/>",
                       "<computer/>: <user/>: <filename/>: rev. <revision/>"};
        m_two.revision = 7;
        m_none = m_two;
        m_none.colors.clear();
    }

    std::string Export(const ExportData& data, ExportForm form,
                       ExportDestination destination = ExportDestination::kClipboard) {
        return ExportColorsToText(data, m_context, form, destination);
    }

    CUnitsCol m_formats;
    CUnitsXY m_units;
    FixedClock m_clock;
    FakeLocale m_locale;
    FakeSystemInfo m_system;
    ExportContext m_context;
    ExportData m_two;
    ExportData m_none;
};

TEST_F(ExportTest, DelimitedTextForTwoColorsAndNone) {
    struct Case {
        ExportForm form;
        const char* two;
        const char* none;
    };
    const Case cases[] = {
        {ExportForm::kTabText,
         "#\tColor\tLocation\r\n1\t255, 0, 0\t10 , 20\r\n2\t12, 200, 99\t-5 , 300\r\n",
         "#\tColor\tLocation\r\n"},
        {ExportForm::kCsvComma,
         "#,Color,Location\r\n1,\"255, 0, 0\",\"10 , 20\"\r\n2,\"12, 200, 99\",\"-5 , 300\"\r\n",
         "#,Color,Location\r\n"},
        {ExportForm::kCsvSemicolon,
         "#;Color;Location\r\n1;255, 0, 0;10 , 20\r\n2;12, 200, 99;-5 , 300\r\n",
         "#;Color;Location\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.form));
        EXPECT_EQ(Export(m_two, c.form), c.two);
        EXPECT_EQ(Export(m_none, c.form), c.none);
    }
}

TEST_F(ExportTest, CsvEscaping) {
    struct Case {
        const char* text;
        const char* separator;
        const char* expected;
    };
    const Case cases[] = {
        {"plain", ",", "plain"},
        {"", ",", ""},
        {"a,b", ",", "\"a,b\""},
        {"a;b", ",", "a;b"},
        {"a;b", ";", "\"a;b\""},
        {"say \"hi\"", ";", "\"say \"\"hi\"\"\""},
        {"\"", "\t", "\"\"\"\""},
        {"tab\there", "\t", "\"tab\there\""},
        // A line break would end the record outside quotation marks.
        {"line\r\nbreak", ",", "\"line\r\nbreak\""},
        {"cr\ronly", ";", "\"cr\ronly\""},
        {"bad \xFF byte", ",", "bad \xEF\xBF\xBD byte"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(EscapeCsv(c.text, c.separator), c.expected);
    }
    // The color cells follow the current format: with "RGB 0-1" the semicolon form quotes
    // nothing and the comma form quotes the color and the location.
    m_context.colorFormat = 7;
    EXPECT_EQ(Export(m_two, ExportForm::kCsvComma),
              "#,Color,Location\r\n1,\"1.00, 0.00, 0.00\",\"10 , 20\"\r\n"
              "2,\"0.05, 0.78, 0.39\",\"-5 , 300\"\r\n");
}

TEST_F(ExportTest, HtmlListForTwoColorsAndNone) {
    const std::string header = "NerimLens: Tuesday, March 5, 2024 3:07:09 PM";
    const std::string footer = "STUDIO: designer: palette.nlz: rev. 7";
    EXPECT_EQ(
        Export(m_two, ExportForm::kHtml),
        HtmlHead("Palette 2", header, "0") +
            "<div class=\"nlzelem\"><div class=\"nlztile\" "
            "style=\"background-color:#FF0000;\"><div class=\"nlzindex\">1</div></div></div>"
            "<div class=\"nlzelem\"><div class=\"nlztile\" "
            "style=\"background-color:#0CC863;\"><div class=\"nlzindex\">2</div></div></div>" +
            HtmlTail(footer));
    EXPECT_EQ(Export(m_none, ExportForm::kHtml),
              HtmlHead("Palette 0", header, "0") + HtmlTail(footer));
}

TEST_F(ExportTest, HtmlReportForTwoColorsAndNone) {
    m_context.details = true;
    m_context.gridlines = true;
    m_context.colorFormat = 6;  // "#html": the cells follow it, the swatches stay "#HTML"
    const std::string header = "NerimLens: Tuesday, March 5, 2024 3:07:09 PM";
    const std::string footer = "STUDIO: designer: palette.nlz: rev. 7";
    const std::string tableHead =
        "<table style=\"border-collapse:separate;\"><thead><tr><th>#</th><th>Color</th>"
        "<th>Location</th><th></th></tr></thead><tbody>";
    EXPECT_EQ(Export(m_two, ExportForm::kHtml),
              HtmlHead("Palette 2", header, "1") + tableHead +
                  "<tr><td>1</td><td>#ff0000</td><td>10 , 20</td><td class=\"nlztdtile\" "
                  "style=\"background-color:#FF0000;\"></td></tr>"
                  "<tr><td>2</td><td>#0cc863</td><td>-5 , 300</td><td class=\"nlztdtile\" "
                  "style=\"background-color:#0CC863;\"></td></tr>"
                  "</tbody></table>\r\n" +
                  HtmlTail(footer));
    EXPECT_EQ(Export(m_none, ExportForm::kHtml), HtmlHead("Palette 0", header, "1") + tableHead +
                                                     "</tbody></table>\r\n" + HtmlTail(footer));

    // Without grid lines the cells collapse; empty header and footer leave out their lines.
    m_context.gridlines = false;
    m_none.texts = {"T", "", ""};
    EXPECT_EQ(Export(m_none, ExportForm::kHtml),
              HtmlHead("T", "", "0") +
                  "<table style=\"border-collapse:collapse;\"><thead><tr><th>#</th><th>Color</th>"
                  "<th>Location</th><th></th></tr></thead><tbody></tbody></table>\r\n" +
                  HtmlTail(""));
}

TEST_F(ExportTest, XmlForTwoColorsAndNone) {
    const std::string twoBody =
        "<table><header><row0><colNum>#</colNum><colCol>Color</colCol><colLoc>Location</colLoc>"
        "</row0></header><body>"
        "<row1><colNum>1</colNum><colCol>255, 0, 0</colCol><colLoc>10 , 20</colLoc></row1>"
        "<row2><colNum>2</colNum><colCol>12, 200, 99</colCol><colLoc>-5 , 300</colLoc></row2>"
        "</body></table></nerimlens>";
    EXPECT_EQ(Export(m_two, ExportForm::kXml),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<nerimlens version=\"1.0\">\r\n"
              "<title>Palette 2</title>" +
                  twoBody);
    EXPECT_EQ(Export(m_two, ExportForm::kXml, ExportDestination::kFile),
              "<?xml version=\"1.0\" encoding=\"UTF-16\" ?>\r\n<nerimlens version=\"1.0\">\r\n"
              "<title>Palette 2</title>" +
                  twoBody);
    EXPECT_EQ(Export(m_none, ExportForm::kXml),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<nerimlens version=\"1.0\">\r\n"
              "<title>Palette 0</title><table><header><row0><colNum>#</colNum><colCol>Color"
              "</colCol><colLoc>Location</colLoc></row0></header><body></body></table>"
              "</nerimlens>");
}

TEST_F(ExportTest, NewParagraphPerForm) {
    const CExportTextCSV csv(m_two, m_context, CExportTextCSV::kComma);
    const CExportTextHtmlLIST list(m_two, m_context);
    const CExportTextHtmlREPORT report(m_two, m_context);
    const CExportTextXml xml(m_two, m_context, ExportDestination::kFile);
    const std::pair<const CExportText*, const char*> cases[] = {{&csv, "\r\n"},
                                                                {&list, "<p>&nbsp;</p>\r\n"},
                                                                {&report, "<p>&nbsp;</p>\r\n"},
                                                                {&xml, "\r\n"}};
    for (const auto& [exporter, expected] : cases) {
        std::string out = "x";
        const_cast<CExportText*>(exporter)->NewParagraph(out);
        EXPECT_EQ(out, std::string("x") + expected);
    }
}

TEST_F(ExportTest, TagsAreReplacedInOrderWithoutRescanning) {
    m_system.userName = "<computer/>!";  // later tags are still looked for in the result
    m_system.computerName = "<user/>?";  // earlier ones are not
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"<color1/> <color2/> <color3/>", "#FF0000 #0CC863 <color3/>"},
        {"<name1/> <name2/> <name3/>", "red \xE2\x89\x88 limegreen <name3/>"},
        {"<color2/> is <name2/><name0/>", "#0CC863 is \xE2\x89\x88 limegreen<name0/>"},
        {"<colors/><colors/> colors, rev <revision/>", "22 colors, rev 7"},
        {"<time/>|<date/>|<datetime/>", "3:07:09 PM|3/5/2024|Tuesday, March 5, 2024 3:07:09 PM"},
        {"<user/>", "<user/>?!"},
        {"<computer/>", "<user/>?"},
        {"<filename/> / <filetitle/> / <appname/>", "palette.nlz / palette / NerimLens"},
        {"<color0/><color01/><Color1/>", "<color0/><color01/><Color1/>"},
        {"no tags", "no tags"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ExpandTags(c.text, m_two, m_context), c.expected);
    }
}

TEST_F(ExportTest, UnreadableNamesKeepTheirTags) {
    m_system.userName.reset();
    m_system.computerName.reset();
    EXPECT_EQ(ExpandTags("<computer/>: <user/>: <colors/>", m_two, m_context),
              "<computer/>: <user/>: 2");
    m_context.systemInfo = nullptr;
    EXPECT_EQ(ExpandTags("<user/>", m_two, m_context), "<user/>");
    // A document never saved is "Untitled".
    m_context.documentTitle.clear();
    EXPECT_EQ(ExpandTags("<filename/>|<filetitle/>", m_two, m_context), "Untitled|Untitled");
}

TEST(FileTitle, ReducesToTheNameWithoutExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"Untitled", "Untitled"},
        {"palette.nlz", "palette"},
        {"C:\\work\\palette.v2.nlz", "palette.v2"},
        {"/home/me/colors.nlz", "colors"},
        {"dir.d/noext", "noext"},
        {"", ""},
    };
    for (const auto& [title, expected] : cases) EXPECT_EQ(FileTitleOf(title), expected) << title;
}

TEST_F(ExportTest, MarkupTextsAreEscapedAfterTagSubstitution) {
    m_two.texts = {"R&D <draft>", "\"<user/>\"", "<computer/>"};
    m_system.userName = "<b>me</b>";
    m_system.computerName = "A&B";
    const std::string html = Export(m_two, ExportForm::kHtml);
    EXPECT_NE(html.find("<title>R&amp;D &lt;draft&gt;</title>"), std::string::npos);
    EXPECT_NE(html.find("<h1>R&amp;D &lt;draft&gt;</h1>"), std::string::npos);
    EXPECT_NE(html.find("<h5>&quot;&lt;b&gt;me&lt;/b&gt;&quot;</h5>"), std::string::npos);
    EXPECT_NE(html.find("<hr /><h5>A&amp;B</h5>"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    const std::string xml = Export(m_two, ExportForm::kXml);
    EXPECT_NE(xml.find("<title>R&amp;D &lt;draft&gt;</title>"), std::string::npos);
    // The delimited forms carry no export texts at all.
    EXPECT_EQ(Export(m_two, ExportForm::kCsvComma).find("R&D"), std::string::npos);
}

// Runs xmllint on `path`; returns its exit status and output.
int XmlLint(const fs::path& path, std::string& output) {
    return test::RunCommand("xmllint --noout '" + path.string() + "' 2>&1", output);
}

class ExportFileTest : public ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        std::string pattern = (fs::temp_directory_path() / "nlexport-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    fs::path m_dir;
};

TEST_F(ExportFileTest, XmlAndXhtmlFilesParseWithARealXmlParser) {
    m_two.texts = {"R&D <draft>", "<user/> & co", "\"quoted\" <filename/>"};
    m_system.userName = "</h5><script>";
    m_context.documentTitle = "a<b>&c.nlz";
    LocalFileSystem files;
    for (const bool details : {false, true}) {
        m_context.details = details;
        for (const char* name : {"colors.xml", "colors.htm"}) {
            const fs::path path = m_dir / name;
            ExportToFile(files, path.string(), m_two, m_context);
            std::string output;
            EXPECT_EQ(XmlLint(path, output), 0) << name << ": " << output;
        }
    }
    // The clipboard's XML text, declared as UTF-8, parses as UTF-8 bytes.
    const fs::path clip = m_dir / "clip.xml";
    std::ofstream(clip, std::ios::binary) << Export(m_two, ExportForm::kXml);
    std::string output;
    EXPECT_EQ(XmlLint(clip, output), 0) << output;
}

TEST_F(ExportTest, FilesAreChosenByTheLastThreeCharactersIgnoringCase) {
    struct Case {
        const char* path;
        std::optional<ExportForm> form;
    };
    const Case cases[] = {
        {"/c.txt", ExportForm::kTabText},
        {"/c.csv", ExportForm::kCsvSemicolon},
        {"/c.HTM", ExportForm::kHtml},
        {"/c.Xml", ExportForm::kXml},
        {"txt", ExportForm::kTabText},
        {"/c.html", std::nullopt},
        {"/c.json", std::nullopt},
        {"/c", std::nullopt},
        {"", std::nullopt},
        {"/c.nlz", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FileFormFromPath(c.path), c.form);
    }
}

TEST_F(ExportTest, ExportToFileWritesUtf16WithAByteOrderMark) {
    FakeFileSystem files;
    ExportToFile(files, "/colors.CSV", m_two, m_context);
    const auto* bytes = files.Contents("/colors.CSV");
    ASSERT_NE(bytes, nullptr);
    ASSERT_GE(bytes->size(), 4u);
    EXPECT_EQ((*bytes)[0], 0xFF);
    EXPECT_EQ((*bytes)[1], 0xFE);
    EXPECT_EQ((*bytes)[2], '#');
    EXPECT_EQ((*bytes)[3], 0);
    EXPECT_EQ(DecodeFile(*bytes), Export(m_two, ExportForm::kCsvSemicolon));

    ExportToFile(files, "/colors.xml", m_two, m_context);
    EXPECT_EQ(DecodeFile(*files.Contents("/colors.xml")),
              Export(m_two, ExportForm::kXml, ExportDestination::kFile));

    EXPECT_EQ(EncodeExportFile("A\xE2\x82\xAC\xF0\x9F\x98\x80"),
              (std::vector<std::uint8_t>{0xFF, 0xFE, 'A', 0, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE}));
    EXPECT_EQ(EncodeExportFile(""), (std::vector<std::uint8_t>{0xFF, 0xFE}));
}

TEST_F(ExportTest, RefusedNamesAndFailedWritesLeaveTheFileAsItWas) {
    FakeFileSystem files;
    const std::vector<std::uint8_t> old = {'o', 'l', 'd'};
    files.AddFile("/colors.html", old);
    try {
        ExportToFile(files, "/colors.html", m_two, m_context);
        ADD_FAILURE() << "no error";
    } catch (const CNotSupportedException& e) {
        EXPECT_EQ(e.Message(), "Attempted an unsupported operation.");
    }
    EXPECT_EQ(*files.Contents("/colors.html"), old);
    EXPECT_EQ(files.WriteCount(), 0);

    files.AddFile("/colors.txt", old);
    files.Fail(FakeFileSystem::Op::kWrite, "/colors.txt", kErrorAccessDenied);
    try {
        ExportToFile(files, "/colors.txt", m_two, m_context);
        ADD_FAILURE() << "no error";
    } catch (const CSystemError& e) {
        EXPECT_EQ(e.Code(), kErrorAccessDenied);
        EXPECT_EQ(e.Data(), "/colors.txt");
    }
    EXPECT_EQ(*files.Contents("/colors.txt"), old);
}

TEST_F(ExportTest, ClipboardFormFollowsTheExportOptionWord) {
    struct Case {
        std::int32_t option;
        bool details;
        const char* firstLine;
    };
    const Case cases[] = {
        {0, false, "#\tColor\tLocation"},
        {1, false, "#,Color,Location"},
        {2, false, "#;Color;Location"},
        {3, false, "<!DOCTYPE"},
        {4, false, "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>"},
        {5, false, "#\tColor\tLocation"},
        {-1, false, "#\tColor\tLocation"},
    };
    FakeClipboard clipboard;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        ASSERT_EQ(CopyColorsToClipboard(clipboard, c.option, m_two, m_context), 0u);
        ASSERT_TRUE(clipboard.Text().has_value());
        EXPECT_TRUE(clipboard.Text()->starts_with(c.firstLine)) << *clipboard.Text();
    }
    // HTML is the list or, in details mode, the report.
    EXPECT_NE(
        dynamic_cast<CExportTextHtmlLIST*>(CreateClipboardExporter(3, m_two, m_context).get()),
        nullptr);
    m_context.details = true;
    EXPECT_NE(
        dynamic_cast<CExportTextHtmlREPORT*>(CreateClipboardExporter(3, m_two, m_context).get()),
        nullptr);

    clipboard.FailWith(kErrorClipboardNotOpen);
    const auto before = clipboard.Text();
    EXPECT_EQ(CopyColorsToClipboard(clipboard, 1, m_none, m_context), kErrorClipboardNotOpen);
    EXPECT_EQ(clipboard.Text(), before);
}

TEST_F(ExportTest, ExportsTheColorListOfTheDocument) {
    CColorPicker picker(m_clock);
    picker.Sample().SetColor(MakeRgb(255, 0, 0));
    picker.Sample().SetPosition({10, 20});
    ASSERT_TRUE(picker.InsertColor(0, picker.Sample()));
    picker.Sample().SetColor(MakeRgb(12, 200, 99));
    picker.Sample().SetPosition({-5, 300});
    ASSERT_TRUE(picker.InsertColor(1, picker.Sample()));

    const ExportData data = ExportDataFrom(picker);
    ASSERT_EQ(data.colors.size(), 2u);
    EXPECT_EQ(data.colors[1].color, MakeRgb(12, 200, 99));
    EXPECT_EQ(data.colors[1].position, (Point{-5, 300}));
    EXPECT_EQ(data.revision, picker.Revision());
    // The default title names the file and counts the colors.
    EXPECT_EQ(ExportColorsToText(picker, m_context, ExportForm::kXml),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<nerimlens version=\"1.0\">\r\n"
              "<title>palette (2)</title><table><header><row0><colNum>#</colNum><colCol>Color"
              "</colCol><colLoc>Location</colLoc></row0></header><body>"
              "<row1><colNum>1</colNum><colCol>255, 0, 0</colCol><colLoc>10 , 20</colLoc></row1>"
              "<row2><colNum>2</colNum><colCol>12, 200, 99</colCol><colLoc>-5 , 300</colLoc>"
              "</row2></body></table></nerimlens>");
}

TEST_F(ExportFileTest, PreviewFileIsMadeOnceKeptAndDeletedAtTheEnd) {
    LocalFileSystem files;
    FakeShell shell;
    std::string path;
    {
        CPreviewFile preview(m_dir.string());
        EXPECT_FALSE(preview.HasPath());
        path = PreviewColors(files, shell, preview, m_two, m_context);
        const fs::path p(path);
        EXPECT_EQ(p.parent_path(), m_dir);
        EXPECT_TRUE(p.filename().string().starts_with("nlz"));
        EXPECT_EQ(p.extension(), ".htm");
        EXPECT_TRUE(fs::exists(p));
        std::vector<std::uint8_t> bytes;
        ASSERT_EQ(files.ReadFile(path, bytes), 0u);
        EXPECT_EQ(DecodeFile(bytes), Export(m_two, ExportForm::kHtml));

        // A later preview overwrites the same file; nothing else is left in the folder.
        EXPECT_EQ(PreviewColors(files, shell, preview, m_none, m_context), path);
        EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);

        preview.Delete();
        EXPECT_FALSE(fs::exists(p));
        EXPECT_EQ(preview.Path(files), path);
        EXPECT_EQ(PreviewColors(files, shell, preview, m_none, m_context), path);
        const FakeShell::Call open{FakeShell::Kind::kOpenFile, path, {}};
        EXPECT_EQ(shell.Log(), (std::vector<FakeShell::Call>{open, open, open}));

        // A failed open is reported with its code; the file is still written.
        shell.Fail(FakeShell::Kind::kOpenFile, kErrorFileNotFound);
        preview.Delete();
        try {
            PreviewColors(files, shell, preview, m_two, m_context);
            ADD_FAILURE() << "no error";
        } catch (const CSystemError& e) {
            EXPECT_EQ(e.Code(), kErrorFileNotFound);
        }
        EXPECT_TRUE(fs::exists(p));
    }
    EXPECT_FALSE(fs::exists(path));

    CPreviewFile missing((m_dir / "no such folder").string());
    EXPECT_THROW(missing.Path(files), CSystemError);
}

}  // namespace
}  // namespace nl
