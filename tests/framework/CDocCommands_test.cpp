#include "framework/CDocCommands.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "base/CSystemError.h"
#include "base/command_ids.h"
#include "document/CDocApp.h"
#include "document/document_test_support.h"
#include "export/CPreviewFile.h"
#include "framework/CRecentFileList.h"
#include "framework/prefs_test_support.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeLocale.h"
#include "platform/fake/FakeShell.h"
#include "platform/local/LocalFileSystem.h"

namespace nl {
namespace {

constexpr const char* kKey = "Software\\Nerim Rirideviz\\NerimLens\\";
constexpr const char* kFolder = "/docs";
constexpr const char* kSaved = "/docs/a.nlz";
constexpr std::uint32_t kAsk = 0x00010101;     // keep the document and ask
constexpr std::uint32_t kSilent = 0x00010501;  // keep the document and save without asking
constexpr std::uint32_t kDrop = 0x00010001;    // do not keep the document

std::string MakeTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "nl-doccmd-XXXXXX").string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

// A document with its commands over fake services; documents on the fake disk, or on `disk`.
struct DocRig {
    explicit DocRig(IFileSystem* disk = nullptr) : docFiles(disk ? *disk : base.files) {
        base.files.AddFolder(kFolder);
        base.files.AddFolder(tempDir);
        prefs.Initialize({});
    }

    test::PrefsRig base;
    IFileSystem& docFiles;
    CAppPrefs prefs{base.Services()};
    testing_support::TestClock clock;
    CDocApp doc{clock, docFiles};
    FakeClipboard clipboard;
    FakeShell shell;
    std::string tempDir = MakeTempDir();
    CPreviewFile preview{tempDir};
    CRecentFileList recent{base.store, kKey, 4};
    FakeLocale locale;
    FakeSystemInfo systemInfo;
    CDocCommands commands{DocCommandServices{doc, prefs, base.dialogs, docFiles, clipboard, shell,
                                             preview, recent, clock, locale, systemInfo}};
    ~DocRig() {
        std::error_code ec;
        std::filesystem::remove_all(tempDir, ec);
    }

    void Pick(COLORREF color, Point at = {10, 20}) {
        CColPick& sample = doc.Colors().Sample();
        sample = CColPick(CColPick::StampNow(clock));
        sample.SetVersion(1);
        sample.SetColor(color);
        sample.SetPosition(at);
        doc.Colors().InsertColor(doc.Colors().GetCount(), sample);
    }
    void SetGeneral(std::uint32_t bits) { prefs.SetOptions(OptionWord::kGeneral, bits); }
    // A saved document with one color, then a second color picked (modified).
    void SavedAndModified() {
        Pick(0x112233);
        doc.OnSaveDocument(kSaved);
        Pick(0x445566);
    }
    const std::vector<FakeDialogs::Shown>& Messages() const { return base.dialogs.Messages(); }
    std::string LastMessage() const { return Messages().empty() ? "" : Messages().back().text; }
};

TEST(DocCommandsTest, NewOnAModifiedDocumentFollowsTheOptionsAndTheAnswer) {
    struct Case {
        const char* name;
        std::uint32_t general;
        bool saved;  // the document has a path
        std::optional<MsgAnswer> answer;
        std::optional<std::string> saveAsChoice;
        bool wantGoOn;
        bool wantQuestion;
        bool wantSaveAsDialog;
        std::string wantWritten;  // the file written, empty: none
    };
    const Case cases[] = {
        {"not kept: dropped", kDrop, true, {}, {}, true, false, false, ""},
        {"ask, yes", kAsk, true, MsgAnswer::kYes, {}, true, true, false, kSaved},
        {"ask, no", kAsk, true, MsgAnswer::kNo, {}, true, true, false, ""},
        {"ask, cancel", kAsk, true, MsgAnswer::kCancel, {}, false, true, false, ""},
        {"ask, yes, untitled", kAsk, false, MsgAnswer::kYes, "/docs/b.nlz", true, true, true,
         "/docs/b.nlz"},
        {"ask, yes, untitled, save as cancelled", kAsk, false, MsgAnswer::kYes, std::nullopt, false,
         true, true, ""},
        {"silent", kSilent, true, {}, {}, true, false, false, kSaved},
        {"silent, untitled", kSilent, false, {}, "/docs/c.nlz", true, false, true, "/docs/c.nlz"},
        {"silent, untitled, cancelled", kSilent, false, {}, std::nullopt, false, false, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocRig rig;
        if (c.saved) {
            rig.SavedAndModified();
        } else {
            rig.Pick(0x112233);
            rig.Pick(0x445566);
        }
        rig.SetGeneral(c.general);
        if (c.answer) rig.base.dialogs.Answer(*c.answer);
        rig.base.dialogs.ChooseFile(c.saveAsChoice);
        const int writesBefore = rig.base.files.WriteCount();

        EXPECT_EQ(rig.commands.NewDocument(), c.wantGoOn);

        EXPECT_EQ(!rig.Messages().empty(), c.wantQuestion);
        if (c.wantQuestion) {
            EXPECT_EQ(rig.Messages()[0].buttons, MsgButtons::kYesNoCancel);
            EXPECT_EQ(rig.Messages()[0].text,
                      std::string("Save changes to ") + (c.saved ? "a.nlz" : "Untitled") + "?");
        }
        EXPECT_EQ(!rig.base.dialogs.FileDialogs().empty(), c.wantSaveAsDialog);
        if (c.wantWritten.empty()) {
            EXPECT_EQ(rig.base.files.WriteCount(), writesBefore);
        } else {
            EXPECT_EQ(rig.base.files.WriteCount(), writesBefore + 1);
            // The file written holds both colors.
            CDocApp reread(rig.clock, rig.base.files);
            reread.OnOpenDocument(c.wantWritten);
            EXPECT_EQ(reread.Colors().GetCount(), 2);
        }
        // Going on gives an empty untitled document; stopping leaves everything in place.
        EXPECT_EQ(rig.doc.Colors().GetCount(), c.wantGoOn ? 0 : 2);
        EXPECT_EQ(rig.doc.IsModified(), !c.wantGoOn);
        if (c.wantGoOn) {
            EXPECT_EQ(rig.doc.PathName(), "");
        }
    }
}

TEST(DocCommandsTest, AnUnmodifiedDocumentIsClosedWithoutAQuestion) {
    DocRig rig;
    rig.SetGeneral(kAsk);
    rig.Pick(0x112233);
    rig.doc.OnSaveDocument(kSaved);
    EXPECT_TRUE(rig.commands.SaveModified());
    EXPECT_TRUE(rig.Messages().empty());
}

TEST(DocCommandsTest, AFailedOpenShowsTheErrorAndLeavesTheDocument) {
    struct Case {
        const char* name;
        std::string path;
        std::string wantMessageStart;
    };
    const Case cases[] = {
        {"bad format", "/docs/bad.nlz", "/docs/bad.nlz has a bad format."},
        {"missing", "/docs/none.nlz", "Error #2: "},
        {"short", "/docs/short.nlz", "Attempted to access"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocRig rig;
        rig.SetGeneral(kDrop);
        rig.base.files.AddFile(
            "/docs/bad.nlz",
            testing_support::Concat({testing_support::Str("NCnlDox"), testing_support::Zeros(80)}));
        rig.base.files.AddFile("/docs/short.nlz",
                               testing_support::Concat({testing_support::Str("NCnlDoc"), {0, 0}}));
        rig.SavedAndModified();
        rig.commands.OpenDocument(kSaved);  // the saved file heads the recent list
        rig.Pick(0x778899);

        EXPECT_FALSE(rig.commands.OpenDocument(c.path));

        ASSERT_EQ(rig.Messages().size(), 1u);
        EXPECT_EQ(rig.Messages()[0].icon, MsgIcon::kWarning);
        EXPECT_EQ(rig.LastMessage().rfind(c.wantMessageStart, 0), 0u) << rig.LastMessage();
        EXPECT_EQ(rig.doc.Colors().GetCount(), 2);
        EXPECT_EQ(rig.doc.PathName(), kSaved);
        EXPECT_TRUE(rig.doc.IsModified());
        ASSERT_EQ(rig.recent.Size(), 1);
        EXPECT_EQ(rig.recent.Path(0), kSaved);
    }
}

TEST(DocCommandsTest, OpenCommandAsksForAFileAndListsIt) {
    DocRig rig;
    rig.Pick(0x010203);
    rig.Pick(0x040506);
    rig.doc.OnSaveDocument("/docs/two.nlz");
    rig.doc.OnNewDocument();
    rig.base.dialogs.ChooseFile("/docs/two.nlz");

    EXPECT_TRUE(rig.commands.OnCommand(cmd::kFileOpen));

    ASSERT_EQ(rig.base.dialogs.FileDialogs().size(), 1u);
    const auto& asked = rig.base.dialogs.FileDialogs()[0];
    EXPECT_FALSE(asked.save);
    EXPECT_EQ(asked.request.filter, "NerimLens Files (*.nlz)|*.nlz||");
    EXPECT_EQ(asked.request.defaultExtension, "nlz");
    EXPECT_EQ(rig.doc.Colors().GetCount(), 2);
    EXPECT_EQ(rig.doc.PathName(), "/docs/two.nlz");
    ASSERT_EQ(rig.recent.Size(), 1);
    EXPECT_EQ(rig.recent.Path(0), "/docs/two.nlz");
    // The list is in the store for the next run.
    CRecentFileList next(rig.base.store, kKey, 4);
    next.Load();
    ASSERT_EQ(next.Size(), 1);
    EXPECT_EQ(next.Path(0), "/docs/two.nlz");
}

TEST(DocCommandsTest, SaveAsCancelledOrFailedKeepsTheDocumentModified) {
    DocRig rig;
    rig.Pick(0x112233);
    rig.base.dialogs.ChooseFile(std::nullopt);
    EXPECT_TRUE(rig.commands.OnCommand(cmd::kFileSaveAs));
    EXPECT_TRUE(rig.doc.IsModified());
    EXPECT_EQ(rig.doc.PathName(), "");
    EXPECT_EQ(rig.base.dialogs.FileDialogs().at(0).request.fileName, "Untitled");

    rig.base.files.Fail(FakeFileSystem::Op::kWrite, "/docs/ro.nlz", kErrorAccessDenied);
    rig.base.dialogs.ChooseFile("/docs/ro.nlz");
    EXPECT_FALSE(rig.commands.SaveDocumentAs());
    EXPECT_EQ(rig.LastMessage(),
              "Unable to write to /docs/ro.nlz, it is read-only or opened by someone else.");
    EXPECT_TRUE(rig.doc.IsModified());
    EXPECT_EQ(rig.recent.Size(), 0);

    // Save on an untitled document goes through Save As.
    rig.base.dialogs.ChooseFile("/docs/ok.nlz");
    EXPECT_TRUE(rig.commands.OnCommand(cmd::kFileSave));
    EXPECT_FALSE(rig.doc.IsModified());
    EXPECT_EQ(rig.doc.PathName(), "/docs/ok.nlz");
}

TEST(DocCommandsTest, RecentFileThatIsGoneIsReportedAndRemoved) {
    DocRig rig;
    rig.Pick(0x112233);
    rig.doc.OnSaveDocument(kSaved);
    rig.recent.Add(kSaved);
    rig.recent.Add("/docs/gone.nlz");
    rig.recent.Save();

    EXPECT_TRUE(rig.commands.OnCommand(cmd::kFileMruFirst));

    EXPECT_EQ(rig.LastMessage().rfind("Error #2: ", 0), 0u) << rig.LastMessage();
    EXPECT_NE(rig.LastMessage().find("/docs/gone.nlz"), std::string::npos);
    ASSERT_EQ(rig.recent.Size(), 1);
    EXPECT_EQ(rig.recent.Path(0), kSaved);
    CRecentFileList next(rig.base.store, kKey, 4);
    next.Load();
    EXPECT_EQ(next.Size(), 1);

    // The remaining entry opens; an entry beyond the list is no command of this target.
    rig.doc.OnNewDocument();
    EXPECT_TRUE(rig.commands.OnCommand(cmd::kFileMruFirst));
    EXPECT_EQ(rig.doc.PathName(), kSaved);
    EXPECT_FALSE(rig.commands.OnCommand(cmd::kFileMruFirst + 1));
}

TEST(DocCommandsTest, UpdateStatesOfTheDocumentsCommands) {
    DocRig rig;
    bool selected = false;
    rig.commands.SetSelectionQuery([&] { return selected; });
    struct Case {
        int id;
        int colors;
        bool selected;
        bool wantHandled;
        bool wantEnabled;
    };
    const Case cases[] = {
        {cmd::kDeleteAllColors, 0, false, true, false},
        {cmd::kDeleteAllColors, 2, false, true, true},
        {3424, 0, false, true, false},
        {3424, 1, false, true, true},
        {3423, 1, false, true, false},
        {3423, 1, true, true, true},
        {3423, 0, true, true, false},
        // The rest of the tools' range belongs to the other targets.
        {cmd::kToolMagnifier, 1, true, false, true},
        {cmd::kCopyAllColors, 1, true, false, true},
    };
    for (const Case& c : cases) {
        rig.doc.Colors().RemoveAllColors();
        for (int i = 0; i < c.colors; ++i) rig.Pick(0x10 * (i + 1));
        selected = c.selected;
        CCmdUI ui(c.id);
        EXPECT_EQ(rig.commands.OnUpdateCommandUI(ui), c.wantHandled) << c.id;
        EXPECT_EQ(ui.Enabled(), c.wantEnabled) << c.id << " " << c.colors;
    }
    rig.Pick(1);
    EXPECT_TRUE(rig.commands.OnCommand(cmd::kDeleteAllColors));
    EXPECT_TRUE(rig.doc.Colors().IsEmpty());
}

TEST(DocCommandsTest, ExportsGoToTheClipboardAFileAndTheBrowser) {
    DocRig rig;
    rig.Pick(0x0000FF, {1, 2});
    rig.Pick(0x00FF00, {3, 4});

    rig.prefs.SetExportOption(1);  // CSV with commas
    EXPECT_TRUE(rig.commands.OnCommand(cmd::kExportColorsToClipboard));
    ASSERT_TRUE(rig.clipboard.Text().has_value());
    EXPECT_EQ(rig.clipboard.Text()->rfind("#,Color,Location\r\n", 0), 0u) << *rig.clipboard.Text();

    rig.clipboard.FailWith(kErrorClipboardNotOpen);
    rig.commands.OnCommand(cmd::kExportColorsToClipboard);
    EXPECT_EQ(rig.LastMessage().rfind("Error #1418: ", 0), 0u) << rig.LastMessage();

    // To a file: the form follows the extension; an unknown one is refused untouched.
    rig.base.dialogs.ChooseFile("/docs/colors.csv");
    rig.base.dialogs.ChooseFile("/docs/colors.html");
    rig.commands.OnCommand(cmd::kExportColorsToFile);
    rig.commands.OnCommand(cmd::kExportColorsToFile);
    const auto& asked = rig.base.dialogs.FileDialogs();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_TRUE(asked[0].save);
    EXPECT_EQ(asked[0].request.defaultExtension, "txt");
    EXPECT_EQ(asked[0].request.filter.rfind("Text (*.txt)|*.txt|", 0), 0u);
    const auto* csv = rig.base.files.Contents("/docs/colors.csv");
    ASSERT_NE(csv, nullptr);
    ASSERT_GE(csv->size(), 4u);
    EXPECT_EQ((*csv)[0], 0xFF);
    EXPECT_EQ((*csv)[1], 0xFE);
    EXPECT_EQ(rig.base.files.Contents("/docs/colors.html"), nullptr);
    EXPECT_EQ(rig.LastMessage(), "Attempted an unsupported operation.");

    // The preview is written and handed to the browser; a failed open is reported.
    EXPECT_TRUE(rig.commands.OnCommand(cmd::kExportColorsToBrowser));
    ASSERT_EQ(rig.shell.Log().size(), 1u);
    const std::string previewPath = rig.shell.Log()[0].target;
    EXPECT_EQ(rig.shell.Log()[0].kind, FakeShell::Kind::kOpenFile);
    EXPECT_EQ(previewPath.rfind(rig.tempDir + "/nlz", 0), 0u) << previewPath;
    EXPECT_NE(rig.base.files.Contents(previewPath), nullptr);
    const std::size_t messages = rig.Messages().size();
    rig.shell.Fail(FakeShell::Kind::kOpenFile, kErrorFileNotFound);
    rig.commands.OnCommand(cmd::kExportColorsToBrowser);
    ASSERT_EQ(rig.Messages().size(), messages + 1);
    EXPECT_EQ(rig.LastMessage().rfind("Error #2: ", 0), 0u) << rig.LastMessage();
}

// The colors of a document file, by their RGB values.
std::vector<COLORREF> ColorsIn(const CDocApp& doc) {
    std::vector<COLORREF> colors;
    for (int i = 0; i < doc.Colors().GetCount(); ++i)
        colors.push_back(doc.Colors().GetAt(i).Color());
    return colors;
}

std::vector<COLORREF> ColorsOnDisk(DocRig& rig, const std::string& path) {
    CDocApp reread(rig.clock, rig.docFiles);
    reread.OnOpenDocument(path);
    return ColorsIn(reread);
}

TEST(DocCommandsTest, ASaveOverAnotherProgramsChangeAsksWhatToDo) {
    constexpr COLORREF kFirst = 0x112233, kOurs = 0x445566, kTheirs = 0x778899;
    const std::vector<COLORREF> ours = {kFirst, kOurs}, theirs = {kFirst, kTheirs};
    enum Choice : std::size_t { kReload, kOverwrite, kSaveAs };
    struct Case {
        const char* name;
        std::optional<std::size_t> choice;
        bool wantSaved;                                      // what Save answers
        std::vector<COLORREF> wantDoc, wantFile, wantOther;  // the other: /docs/b.nlz
        bool wantModified;
    };
    const Case cases[] = {
        {"reload", kReload, true, theirs, theirs, {}, false},
        {"overwrite", kOverwrite, true, ours, ours, {}, false},
        {"save as", kSaveAs, true, ours, theirs, ours, false},
        {"cancel", std::nullopt, false, ours, theirs, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocRig rig;
        rig.SavedAndModified();
        // Another program adds a color to the file meanwhile, the way nerimlens-cli does.
        CDocApp other(rig.clock, rig.base.files);
        other.UpdateDocument(kSaved, MissingDocument::kRefuse, [&] {
            CColPick pick(CColPick::StampNow(rig.clock));
            pick.SetColor(kTheirs);
            other.Colors().InsertColor(other.Colors().GetCount(), pick);
            return true;
        });
        rig.base.dialogs.AnswerChoice(c.choice);
        rig.base.dialogs.ChooseFile("/docs/b.nlz");

        EXPECT_EQ(rig.commands.SaveDocument(), c.wantSaved);
        ASSERT_EQ(rig.base.dialogs.Choices().size(), 1u);
        EXPECT_EQ(rig.base.dialogs.Choices()[0].choices,
                  (std::vector<std::string>{"&Reload", "&Overwrite", "Save &As..."}));
        EXPECT_TRUE(rig.base.dialogs.Choices()[0].text.starts_with(
            "/docs/a.nlz was changed by another program since NerimLens opened or last saved it."));
        EXPECT_EQ(ColorsIn(rig.doc), c.wantDoc);
        EXPECT_EQ(ColorsOnDisk(rig, kSaved), c.wantFile);
        if (!c.wantOther.empty()) {
            EXPECT_EQ(ColorsOnDisk(rig, "/docs/b.nlz"), c.wantOther);
        }
        EXPECT_EQ(rig.doc.IsModified(), c.wantModified);

        // Once the document and the file agree again, a save asks nothing; after Cancel they
        // still differ, and the next save asks again.
        const bool agree = c.choice.has_value();
        rig.Pick(0x010101);
        EXPECT_EQ(rig.commands.SaveDocument(), agree);
        EXPECT_EQ(rig.base.dialogs.Choices().size(), agree ? 1u : 2u);
    }
}

// The program's Save after nerimlens-cli added a color to the open document on the disk.
TEST(DocCommandsTest, NoColorAnotherProgramAddedIsLostBySave) {
    const std::string folder = MakeTempDir();
    const std::string path = folder + "/brand.nlz";
    const auto cliAdd = [&](const char* color) {
        const std::string command = std::string("'") + NL_CLI_PATH + "' doc add '" + path + "' " +
                                    color + " >/dev/null 2>&1";
        return std::system(command.c_str());
    };
    for (int i = 0; i < 20; ++i) ASSERT_EQ(cliAdd(("0," + std::to_string(i) + ",0").c_str()), 0);
    LocalFileSystem disk{std::string()};
    DocRig rig(&disk);
    ASSERT_TRUE(rig.commands.OpenDocument(path));
    rig.Pick(0x0000FF);
    ASSERT_EQ(cliAdd("9,9,9"), 0);  // 21 colors on the disk, 21 in the window

    // Without an answer the question is cancelled: nothing is written.
    rig.commands.OnCommand(cmd::kFileSave);
    EXPECT_TRUE(rig.doc.IsModified());
    EXPECT_EQ(ColorsOnDisk(rig, path).size(), 21u);
    rig.base.dialogs.AnswerChoice(0);  // reload: the window shows the disk's 21
    rig.commands.OnCommand(cmd::kFileSave);
    EXPECT_EQ(rig.doc.Colors().GetCount(), 21);
    rig.Pick(0x0000FF);
    rig.commands.OnCommand(cmd::kFileSave);
    const std::vector<COLORREF> saved = ColorsOnDisk(rig, path);
    ASSERT_EQ(saved.size(), 22u);
    EXPECT_EQ(saved[20], 0x090909u);
    EXPECT_EQ(saved[21], 0x0000FFu);
    EXPECT_EQ(rig.base.dialogs.Choices().size(), 2u);
    std::filesystem::remove_all(folder);
}

// Every palette form the export writes comes back through Import Colors with its colors, in
// order, appended to the list; a list near its end takes only what fits, more than a hundred
// colors wait for a yes, and a refused file leaves the list as it was.
TEST(DocCommandsTest, PalettesExportedComeBackThroughImport) {
    DocRig rig;
    const std::vector<COLORREF> picked = {0x3C14DC, 0x9E5C1A, 0x000000, 0x3C14DC};
    for (const COLORREF color : picked) rig.Pick(color);
    for (const char* name : {"p.gpl", "p.css", "p.json", "p.ase", "p.txt", "p.csv"}) {
        const std::string path = std::string(kFolder) + "/" + name;
        rig.base.dialogs.ChooseFile(path);
        rig.commands.OnCommand(cmd::kExportColorsToFile);
        DocRig other;
        other.base.files.AddFile(path, *rig.base.files.Contents(path));
        other.Pick(0xFFFFFF);
        other.base.dialogs.ChooseFile(path);
        EXPECT_TRUE(other.commands.OnCommand(cmd::kImportColors));
        std::vector<COLORREF> got;
        for (const CColPick& pick : other.doc.Colors().Colors()) got.push_back(pick.Color());
        std::vector<COLORREF> expected = {0xFFFFFF};
        // The text exports are in CMYK, whose rounded percentages read back a step away.
        if (std::string_view(name).ends_with("txt") || std::string_view(name).ends_with("csv"))
            expected.insert(expected.end(), {0x3B14DB, 0x9E5C19, 0x000000, 0x3B14DB});
        else
            expected.insert(expected.end(), picked.begin(), picked.end());
        EXPECT_EQ(got, expected) << name;
        EXPECT_TRUE(other.Messages().empty()) << name << ": " << other.LastMessage();
    }

    // 150 colors: asked first; No adds nothing, Yes adds what fits into the 999.
    std::string gimp = "GIMP Palette\n";
    for (int i = 0; i < 150; ++i) gimp += std::to_string(i) + " 0 0\n";
    rig.base.files.AddFile("/docs/big.gpl", {gimp.begin(), gimp.end()});
    for (int i = 0; i < 990; ++i) rig.Pick(0x0000FF);
    rig.base.dialogs.ChooseFile("/docs/big.gpl");
    rig.base.dialogs.Answer(MsgAnswer::kNo);
    rig.commands.OnCommand(cmd::kImportColors);
    EXPECT_EQ(rig.doc.Colors().GetCount(), 994);
    EXPECT_EQ(rig.LastMessage(), "Add the 150 colors of big.gpl to the list?");
    rig.base.dialogs.ChooseFile("/docs/big.gpl");
    rig.base.dialogs.Answer(MsgAnswer::kYes);
    rig.commands.OnCommand(cmd::kImportColors);
    EXPECT_EQ(rig.doc.Colors().GetCount(), 999);
    EXPECT_EQ(rig.doc.Colors().GetAt(0).Color(), 0x3C14DCu);  // nothing pushed out
    EXPECT_EQ(rig.doc.Colors().GetAt(998).Color(), MakeRgb(4, 0, 0));
    EXPECT_EQ(rig.LastMessage(),
              "The list holds at most 999 colors: 5 of the 150 colors of big.gpl were added.");

    // A broken file and one without colors are reported, the list untouched.
    rig.base.files.AddFile("/docs/bad.json", {'{'});
    rig.base.files.AddFile("/docs/empty.css", {'a'});
    rig.base.dialogs.ChooseFile("/docs/bad.json");
    rig.commands.OnCommand(cmd::kImportColors);
    EXPECT_EQ(rig.LastMessage(), "/docs/bad.json has a bad format.");
    rig.base.dialogs.ChooseFile("/docs/empty.css");
    rig.commands.OnCommand(cmd::kImportColors);
    EXPECT_EQ(rig.LastMessage(), "empty.css holds no color NerimLens can read.");
    EXPECT_EQ(rig.doc.Colors().GetCount(), 999);
}

}  // namespace
}  // namespace nl
