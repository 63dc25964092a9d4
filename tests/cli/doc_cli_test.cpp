// Runs "nerimlens-cli doc ..." on document files in a scratch folder and checks what it prints,
// its exit code and the files it leaves.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "base/COleDateTime.h"
#include "cli/cli_runner.h"
#include "document/CDocApp.h"
#include "platform/local/LocalFileSystem.h"

namespace nl {
namespace {

using test::RunCli;
using test::RunResult;

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class DocCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "nl_doc_cli_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    // Runs the program in the scratch folder with the C locale and UTC.
    RunResult Run(const std::vector<std::string>& args) const {
        return RunCli(args, "LC_ALL=C TZ=UTC", m_dir.string());
    }

    // Runs a command that must succeed.
    std::string Ok(const std::vector<std::string>& args) const {
        const RunResult r = Run(args);
        EXPECT_EQ(r.exitCode, 0) << args[1] << ": " << r.err;
        EXPECT_EQ(r.err, "") << args[1];
        return r.out;
    }

    fs::path m_dir;
};

TEST_F(DocCliTest, AddCreatesTheDocumentAndInfoReportsEveryField) {
    Ok({"doc", "add", "p.nlz", "#FF8000", "--at", "-5,10"});
    Ok({"doc", "add", "p.nlz", "0,0,0", "--title", "R&D \xE2\x80\x94 notes", "--class", "Edit"});
    const auto info = nlohmann::json::parse(Ok({"doc", "info", "p.nlz"}));

    EXPECT_EQ(info["revision"], 2);
    EXPECT_EQ(info["export_texts"],
              nlohmann::json({"<filetitle/> (<colors/>)", "<appname/>: <datetime/>",
                              "<computer/>: <user/>: <filename/>: rev. <revision/>"}));
    ASSERT_EQ(info["colors"].size(), 2u);
    const auto& first = info["colors"][0];
    EXPECT_EQ(first["index"], 1);
    EXPECT_EQ(first["color"], "#FF8000");
    EXPECT_EQ(first["first_color"], "#FF8000");
    // The fields a script reads whatever the format: hex, channels and the nearest name.
    EXPECT_EQ(first["hex"], "#FF8000");
    EXPECT_EQ(first["rgb"], nlohmann::json({255, 128, 0}));
    EXPECT_EQ(first["name"], "darkorange");
    EXPECT_EQ(first["name_exact"], false);
    EXPECT_EQ(first["version"], 1);
    EXPECT_EQ(first["created"], first["modified"]);
    EXPECT_EQ(first["created_status"], "valid");
    EXPECT_EQ(first["position"], nlohmann::json({{"x", -5}, {"y", 10}}));
    EXPECT_EQ(first["relative_position"], first["position"]);
    EXPECT_EQ(first["source_title"], "Desktop");
    const std::string created = first["created"];
    EXPECT_EQ(created.size() >= 20 && created[10] == 'T' && created.back() == 'Z', true) << created;
    const auto& second = info["colors"][1];
    EXPECT_EQ(second["index"], 2);
    EXPECT_EQ(second["color"], "#000000");  // black is a color
    EXPECT_EQ(second["source_title"], "R&D \xE2\x80\x94 notes");
    EXPECT_EQ(second["window_class"], "Edit");
    EXPECT_EQ(info["measurement"]["shape"], "none");
    EXPECT_EQ(info["measurement"]["points"], nlohmann::json::array());
}

// The report is written piece by piece; it must read as the library's own indented form of
// the same JSON, empty lists and nested points included.
TEST_F(DocCliTest, InfoIsTheIndentedFormOfItsJson) {
    Ok({"doc", "add", "empty.nlz", "#010203"});
    Ok({"doc", "add", "p.nlz", "#FF8000", "--title", "tab\there \"quoted\""});
    Ok({"doc", "add", "p.nlz", "1,2,3"});
    Ok({"doc", "measure", "p.nlz", "--path", "1,2", "-5,7", "9,9"});
    for (const char* file : {"empty.nlz", "p.nlz"}) {
        const std::string text = Ok({"doc", "info", file});
        EXPECT_EQ(text, nlohmann::ordered_json::parse(text).dump(2) + "\n") << file;
    }
}

TEST_F(DocCliTest, MeasureThenRowsInTheNeutralFormat) {
    Ok({"doc", "add", "p.nlz", "1,2,3"});
    struct Case {
        std::vector<std::string> gesture;
        const char* rows;
    };
    const Case cases[] = {
        {{"--rect", "100,100,130,120", "--center"},
         "Rectangle\t70 , 80 - 130 , 120\nSize\t60 x 40\nSurface\t2400.00\nPerimeter\t200.00\n"
         "primary\t200.00\n"},
        {{"--line", "10,10,10,40"},
         "Line\t10 , 10 - 10 , 40\nBounding box size\t0 x 30\nSlope\tinfinity\n"
         "Angle\t90.00\xC2\xB0\nLength\t30.00\nprimary\t30.00\n"},
        {{"--path", "0,0", "-30,-40", "-30,0"},
         "Bounding box\t-30 , -40 - 0 , 0\nBounding box size\t30 x 40\nPoints\t3\n"
         "First & last points\t0 , 0 - -30 , 0\nPerimeter\t90.00\nprimary\t90.00\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"doc", "measure", "p.nlz"};
        args.insert(args.end(), c.gesture.begin(), c.gesture.end());
        Ok(args);
        EXPECT_EQ(Ok({"doc", "rows", "p.nlz", "--locale", "C"}), c.rows) << c.gesture[0];
    }
    const auto info = nlohmann::json::parse(Ok({"doc", "info", "p.nlz"}));
    EXPECT_EQ(info["measurement"]["shape"], "path");
    EXPECT_EQ(info["measurement"]["points"].size(), 3u);
    EXPECT_EQ(info["colors"].size(), 1u);  // the colors stay
    // Inches at 96 dots per inch: 60 x 40 pixels are 0.63 x 0.42 in.
    Ok({"doc", "measure", "p.nlz", "--rect", "0,0,60,40"});
    const std::string inches = Ok({"doc", "rows", "p.nlz", "--locale", "C", "--unit", "in"});
    EXPECT_EQ(inches.rfind("Rectangle\t0 , 0 - 0.63 , 0.42\nSize\t0.63 x 0.42\n", 0), 0u) << inches;
}

// Kept measurements live beside the document and travel as the JSON the Gauge's annotated
// image writes: a hand-written file is taken whole, written back with figures, and refused
// whole when any part of it is wrong.
TEST_F(DocCliTest, KeptMeasurementsTravelAsJsonBesideTheDocument) {
    Ok({"doc", "add", "p.nlz", "1,2,3"});
    Ok({"doc", "measure", "p.nlz", "--rect", "10,10,110,60"});
    EXPECT_FALSE(fs::exists(PathOf("p.nlz.measurements.json")));
    Ok({"doc", "measure", "p.nlz", "--keep", "--line", "0,0,30,40"});
    const std::string document = ReadAll(PathOf("p.nlz"));
    const auto kept = nlohmann::json::parse(ReadAll(PathOf("p.nlz.measurements.json")));
    ASSERT_EQ(kept["measurements"].size(), 1u);
    EXPECT_EQ(kept["measurements"][0]["shape"], "rectangle");

    const auto shown = nlohmann::json::parse(Ok({"doc", "measure", "p.nlz", "--json"}));
    EXPECT_EQ(shown["unit"], "px");
    ASSERT_EQ(shown["measurements"].size(), 2u);
    EXPECT_EQ(shown["measurements"][0]["figures"]["Size"], "100 x 50");
    EXPECT_EQ(shown["measurements"][0]["primary"], "300.00");
    EXPECT_EQ(shown["measurements"][1]["figures"]["Length"], "50.00");
    EXPECT_EQ(ReadAll(PathOf("p.nlz")), document);  // --json alone reads

    WriteAll(PathOf("in.json"), R"({"measurements": [
        {"shape": "ellipse", "when": "2026-12-10T09:30:00.250Z", "origin": {"x": 5, "y": 6},
         "first": {"x": 5, "y": 6}, "last": {"x": 45, "y": 26}, "points": []},
        {"shape": "path", "when": null, "origin": {"x": 0, "y": 0}, "first": {"x": 0, "y": 0},
         "last": {"x": 3, "y": 4}, "points": [{"x": 0, "y": 0}, {"x": 3, "y": 4}]}]})");
    Ok({"doc", "measure", "p.nlz", "--from", "in.json"});
    const auto info = nlohmann::json::parse(Ok({"doc", "info", "p.nlz"}));
    EXPECT_EQ(info["measurement"]["shape"], "path");
    EXPECT_EQ(info["colors"].size(), 1u);
    const auto back = nlohmann::json::parse(Ok({"doc", "measure", "p.nlz", "--json"}));
    ASSERT_EQ(back["measurements"].size(), 2u);
    EXPECT_EQ(back["measurements"][0]["when"], "2026-12-10T09:30:00.250Z");
    EXPECT_EQ(back["measurements"][0]["figures"]["Diameters"], "40 x 20");
    EXPECT_EQ(back["measurements"][1]["primary"], "5.00");

    const std::string before = ReadAll(PathOf("p.nlz"));
    const std::string keptBefore = ReadAll(PathOf("p.nlz.measurements.json"));
    const char* const bad[] = {
        "not json",
        R"({"colors": []})",
        R"({"measurements": [{"shape": "blob", "origin": {"x": 0, "y": 0}}]})",
        R"({"measurements": [{"shape": "path", "origin": {"x": 0, "y": 0}, "first": {"x": 0,
            "y": 0}, "last": {"x": 1, "y": 1}, "points": []}]})",
        R"({"measurements": [{"shape": "line", "origin": {"x": 0, "y": 0}, "first": {"x": 0,
            "y": 0}, "last": {"x": 1, "y": 1}, "points": [{"x": 0, "y": 0}]}]})",
        R"({"measurements": [{"shape": "line", "origin": {"x": 0, "y": 0}, "first": {"x": 0,
            "y": 0}, "last": {"x": 4294967296, "y": 1}}]})",
        R"({"measurements": [{"shape": "line", "when": "2026-02-30T00:00:00Z", "origin": {"x": 0,
            "y": 0}, "first": {"x": 0, "y": 0}, "last": {"x": 1, "y": 1}}]})",
        R"({"measurements": [{"shape": "line", "origin": {"x": 0.5, "y": 0}, "first": {"x": 0,
            "y": 0}, "last": {"x": 1, "y": 1}}]})",
    };
    for (const char* text : bad) {
        WriteAll(PathOf("bad.json"), text);
        const RunResult r = Run({"doc", "measure", "p.nlz", "--from", "bad.json"});
        EXPECT_EQ(r.exitCode, 1) << text;
        EXPECT_NE(r.err.find("bad.json has a bad format."), std::string::npos) << r.err;
        EXPECT_EQ(ReadAll(PathOf("p.nlz")), before) << text;
        EXPECT_EQ(ReadAll(PathOf("p.nlz.measurements.json")), keptBefore) << text;
    }

    // One measurement left: no file beside the document any more.
    WriteAll(PathOf("one.json"), R"({"measurements": [{"shape": "line", "origin": {"x": 0,
        "y": 0}, "first": {"x": 0, "y": 0}, "last": {"x": 9, "y": 0}}]})");
    Ok({"doc", "measure", "p.nlz", "--from", "one.json"});
    EXPECT_FALSE(fs::exists(PathOf("p.nlz.measurements.json")));
}

TEST_F(DocCliTest, ExportWritesTheProgramsTexts) {
    Ok({"doc", "add", "p.nlz", "#0CC863", "--at", "10,20"});
    Ok({"doc", "add", "p.nlz", "#000000", "--at", "1,2"});
    EXPECT_EQ(Ok({"doc", "export", "p.nlz", "--clipboard-form", "1", "-", "--color-format", "8"}),
              "#,Color,Location\r\n1,\"12, 200, 99\",\"10 , 20\"\r\n2,\"0, 0, 0\",\"1 , 2\"\r\n");
    EXPECT_EQ(
        Ok({"doc", "export", "p.nlz", "--clipboard-form", "0", "-", "--color-format", "#HTML"}),
        "#\tColor\tLocation\r\n1\t#0CC863\t10 , 20\r\n2\t#000000\t1 , 2\r\n");

    // A file: UTF-16LE with a byte-order mark, the form chosen by the extension.
    Ok({"doc", "export", "p.nlz", "out.CSV", "--color-format", "8"});
    const std::string bytes = ReadAll(PathOf("out.CSV"));
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE#\0", 4));
    std::string ascii;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) ascii += bytes[i];
    EXPECT_EQ(ascii, "#;Color;Location\r\n1;12, 200, 99;10 , 20\r\n2;0, 0, 0;1 , 2\r\n");

    Ok({"doc", "export", "p.nlz", "out.xml"});
    EXPECT_EQ(std::system(
                  ("xmllint --noout --encode UTF-8 " + PathOf("out.xml") + " 2>/dev/null").c_str()),
              0);
}

TEST_F(DocCliTest, ExportWritesPalettesOtherProgramsRead) {
    Ok({"doc", "add", "p.nlz", "#0CC863"});
    Ok({"doc", "add", "p.nlz", "#000000"});
    Ok({"doc", "export", "p.nlz", "pal.gpl", "--color-format", "8"});
    EXPECT_EQ(ReadAll(PathOf("pal.gpl")),
              "GIMP Palette\nName: p.nlz\nColumns: 0\n#\n 12 200  99\t\u2248 limegreen\n"
              "  0   0   0\tblack\n");
    Ok({"doc", "export", "p.nlz", "pal.CSS", "--color-format", "#HTML"});
    EXPECT_EQ(ReadAll(PathOf("pal.CSS")),
              "/* p.nlz */\n:root {\n  --limegreen: #0CC863; /* #0CC863, near limegreen */\n"
              "  --black: #000000; /* #000000 */\n}\n");
    Ok({"doc", "export", "p.nlz", "pal.json", "--color-format", "#HTML"});
    EXPECT_EQ(ReadAll(PathOf("pal.json")),
              "{\n  \"name\": \"p.nlz\",\n  \"colors\": [\n"
              "    {\"hex\": \"#0CC863\", \"rgb\": [12, 200, 99], \"text\": \"#0CC863\", "
              "\"name\": \"limegreen\", \"name_exact\": false},\n"
              "    {\"hex\": \"#000000\", \"rgb\": [0, 0, 0], \"text\": \"#000000\", "
              "\"name\": \"black\", \"name_exact\": true}\n"
              "  ]\n}\n");
    EXPECT_EQ(std::system(("python3 -m json.tool " + PathOf("pal.json") + " >/dev/null").c_str()),
              0);
}

TEST_F(DocCliTest, BadInputExitsOneAndLeavesEveryFileAsItWas) {
    Ok({"doc", "add", "good.nlz", "1,2,3"});
    const std::string good = ReadAll(PathOf("good.nlz"));
    std::string newer = good;
    newer[18] = 0x01;  // the document's format version becomes 0x00010001
    WriteAll(PathOf("newer.nlz"), newer);
    WriteAll(PathOf("short.nlz"), good.substr(0, good.size() - 5));
    WriteAll(PathOf("text.nlz"), "NerimLens\n");

    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"doc", "info", "missing.nlz"}, "Error #2: The system cannot find the file specified."},
        {{"doc", "rows", "missing.nlz"}, "Error #2:"},
        {{"doc", "measure", "missing.nlz", "--rect", "0,0,9,9"}, "Error #2:"},
        {{"doc", "info", "newer.nlz"}, "newer.nlz has a bad format."},
        {{"doc", "add", "newer.nlz", "1,1,1"}, "newer.nlz has a bad format."},
        {{"doc", "info", "short.nlz"}, "Attempted to access short.nlz past its end."},
        {{"doc", "measure", "short.nlz", "--line", "0,0,5,5"}, "past its end."},
        {{"doc", "add", "text.nlz", "1,1,1"}, "text.nlz has a bad format."},
        {{"doc", "export", "newer.nlz", "out.txt"}, "has a bad format."},
        {{"doc", "measure", "good.nlz", "--rect", "4,4,4,4"}, "no measurement"},  // a click
        {{"doc", "add", "nofolder/new.nlz", "1,1,1"}, "Error #"},
    };
    for (const auto& c : cases) {
        const RunResult r = Run(c.args);
        SCOPED_TRACE(c.args[1] + " " + c.args[2]);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_EQ(ReadAll(PathOf("good.nlz")), good);
        EXPECT_EQ(ReadAll(PathOf("newer.nlz")), newer);
        EXPECT_EQ(ReadAll(PathOf("text.nlz")), "NerimLens\n");
        EXPECT_FALSE(fs::exists(PathOf("missing.nlz")));
        EXPECT_FALSE(fs::exists(PathOf("out.html")));
        EXPECT_FALSE(fs::exists(PathOf("out.txt")));
    }
    // Nothing but the files the test made: no temporary file was left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(m_dir)) ++files;
    EXPECT_EQ(files, 4);
}

TEST_F(DocCliTest, ConcurrentAddsKeepEveryColor) {
    constexpr int kAddsPerWriter = 60;
    const std::string add = "for i in $(seq " + std::to_string(kAddsPerWriter) + "); do " +
                            test::ShellQuote(NL_CLI_PATH) + " doc add " +
                            test::ShellQuote(PathOf("p.nlz")) + " ";
    const std::string failed =
        " || echo failed >>" + test::ShellQuote(PathOf("failures")) + "; done";
    const std::string both =
        "(" + add + "1,1,1" + failed + ") & (" + add + "2,2,2" + failed + ") & wait";
    ASSERT_EQ(std::system(both.c_str()), 0);
    EXPECT_FALSE(fs::exists(PathOf("failures"))) << ReadAll(PathOf("failures"));
    const auto info = nlohmann::json::parse(Ok({"doc", "info", "p.nlz"}));
    EXPECT_EQ(info["colors"].size(), 2u * kAddsPerWriter);
    EXPECT_EQ(info["revision"], 2 * kAddsPerWriter);
}

TEST_F(DocCliTest, AddToAFullDocumentSaysWhichColorWasDropped) {
    {
        // One color short of full; color i has red i % 256, green i / 256 and blue 7.
        SystemClock clock;
        LocalFileSystem files;
        CDocApp doc(clock, files);
        for (int i = 0; i + 1 < CColorPicker::kMaxColors; ++i) {
            doc.Colors().Sample().SetColor(MakeRgb(i % 256, i / 256, 7));
            ASSERT_TRUE(doc.Colors().InsertColor(i, doc.Colors().Sample()));
        }
        doc.OnSaveDocument(PathOf("full.nlz"));
    }
    Ok({"doc", "add", "full.nlz", "#0A0B0C"});  // fills it: no notice
    const std::string notice =
        "nerimlens-cli: full.nlz held 999 colors, the most a document keeps: the oldest, ";
    for (const char* oldest : {"#000007", "#010007"}) {
        const RunResult r = Run({"doc", "add", "full.nlz", "#FFFFFF"});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, notice + oldest + ", was dropped\n");
    }
    const auto info = nlohmann::json::parse(Ok({"doc", "info", "full.nlz"}));
    ASSERT_EQ(info["colors"].size(), 999u);
    EXPECT_EQ(info["colors"][0]["color"], "#020007");
    EXPECT_EQ(info["colors"][996]["color"], "#0A0B0C");
    EXPECT_EQ(info["colors"][998]["color"], "#FFFFFF");
}

TEST_F(DocCliTest, PathsThatAreNoDocumentFileAreNamedAndNeverWaitedOn) {
    ASSERT_EQ(::mkfifo(PathOf("pipe.nlz").c_str(), 0666), 0);
    fs::create_directory(PathOf("folder.nlz"));
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"doc", "info", ""}, "Error #2: The system cannot find the file specified.  Data: \"\""},
        {{"doc", "add", "", "1,1,1"}, "Data: \"\""},
        {{"doc", "info", "pipe.nlz"}, "Error #222: This is not a regular file"},
        {{"doc", "add", "pipe.nlz", "1,1,1"}, "Data: pipe.nlz"},
        {{"doc", "rows", "folder.nlz"}, "Error #222"},
        {{"doc", "add", "folder.nlz", "1,1,1"}, "Data: folder.nlz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1] + " " + c.args[2]);
        // A wait on the pipe would end with the time limit's exit code.
        std::string command = "cd " + test::ShellQuote(m_dir.string()) + " && timeout 10 " +
                              test::ShellQuote(NL_CLI_PATH);
        for (const std::string& arg : c.args) command += " " + test::ShellQuote(arg);
        command += " 2>&1";
        FILE* pipe = ::popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::array<char, 512> line{};
        const std::string err = std::fgets(line.data(), line.size(), pipe) ? line.data() : "";
        const int status = ::pclose(pipe);
        EXPECT_EQ(WEXITSTATUS(status), 1) << err;
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
    }
    EXPECT_EQ(fs::status(PathOf("pipe.nlz")).type(), fs::file_type::fifo);
    EXPECT_TRUE(fs::is_directory(PathOf("folder.nlz")));
}

TEST_F(DocCliTest, ArgumentMistakesAreUsageErrors) {
    Ok({"doc", "add", "p.nlz", "1,2,3"});
    const std::vector<std::vector<std::string>> cases = {
        {"doc", "add", "p.nlz", "1,2,300"},
        {"doc", "add", "p.nlz", "1,2,3", "--at", "5"},
        {"doc", "measure", "p.nlz"},
        {"doc", "measure", "p.nlz", "--line", "0,0,5,5", "--rect", "0,0,5,5"},
        {"doc", "measure", "p.nlz", "--line", "0,0,5,5", "--center"},
        {"doc", "export", "p.nlz", "-"},
        {"doc", "export", "p.nlz", "out.txt", "--clipboard-form", "1"},
        {"doc", "rows", "p.nlz", "--dpi", "0"},
        {"doc", "export", "p.nlz", "-", "--clipboard-form", "5"},
        {"doc", "export", "p.nlz", "-", "--clipboard-form", "-1"},
        {"doc", "export", "p.nlz", "out.html"},
        {"doc", "export", "p.nlz", "out.nlz"},
    };
    const std::string before = ReadAll(PathOf("p.nlz"));
    for (const auto& args : cases) {
        const RunResult r = Run(args);
        SCOPED_TRACE(args.back());
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(ReadAll(PathOf("p.nlz")), before);
    EXPECT_FALSE(fs::exists(PathOf("out.txt")));
}

}  // namespace
}  // namespace nl
