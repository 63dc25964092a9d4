#include "document/CDocApp.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/CSystemError.h"
#include "document/document_test_support.h"
#include "platform/fake/FakeFileSystem.h"
#include "res/version.h"

namespace nl {
namespace {

using namespace testing_support;
using std::chrono::milliseconds;
using Entry = RecordingSink::Entry;

constexpr const char* kFolder = "/docs";
constexpr const char* kPath = "/docs/palette.nlz";

// The stored size of a measurement without vertices.
constexpr std::size_t kEmptyMeasurementBytes = 110;
// Where the colors section starts: after the magic string, the two versions, the date and
// the reserved run.
constexpr std::size_t kColorsOffset = 18 + 4 + 4 + 12 + 32 + 16;

class CDocAppTest : public ::testing::Test {
protected:
    void SetUp() override { m_files.AddFolder(kFolder); }

    // Picks `color` at `at` over the desktop, as the sampling code leaves the live sample.
    void Pick(CDocApp& doc, COLORREF color, Point at) {
        CColPick& sample = doc.Colors().Sample();
        sample = CColPick(CColPick::StampNow(m_clock));
        sample.SetVersion(1);
        sample.SetColor(color);
        sample.SetPosition(at);
        sample.SetRelativePosition(at);
        sample.SetSourceTitle("Windows Desktop");
        sample.SetWindowClass("Progman");
        doc.Colors().InsertColor(doc.Colors().GetCount(), sample);
    }

    static MeaGesture Rectangle(Point from, Point to) {
        MeaGesture gesture;
        gesture.shape = MeaShape::kRectangle;
        gesture.origin = from;
        gesture.first = from;
        gesture.last = to;
        return gesture;
    }

    TestClock m_clock;
    FakeFileSystem m_files;
    RecordingSink m_sink;
};

TEST_F(CDocAppTest, WritesTheDocumentByteForByte) {
    CDocApp doc(m_clock, m_files, &m_sink);
    Pick(doc, 0x00030201, {7, 8});
    ASSERT_TRUE(doc.CompleteMeasurement(Rectangle({10, 20}, {110, 70})));
    m_clock.Advance(milliseconds(60000));
    doc.OnSaveDocument(kPath);

    const double picked = m_clock.OleNow() - 60.0 / 86400.0;
    const double saved = m_clock.OleNow();
    const Bytes expected = Concat({
        // Container.
        Str("NCnlDoc"),
        U32(0x00010000),
        U32(kProductVersion),
        Date(saved),
        Zeros(32),
        EmptyStrings(4),
        // Colors section.
        Str("NCnlCol"),
        U32(0x00010000),
        U32(kProductVersion),
        Date(saved),
        Zeros(4),
        I32(1),  // revision: the first save of a changed list
        Zeros(32),
        EmptyStrings(4),
        Zeros(4),
        Zeros(4),
        Zeros(64),
        EmptyStrings(4),
        {0x01, 0x00},
        // The color record.
        {'c', 'o', 'l', '1'},
        U32(0x00010000),
        Zeros(12),
        I32(1),
        Date(picked),
        Date(picked),
        {0x01, 0x02, 0x03, 0x00},
        {0x01, 0x02, 0x03, 0x00},
        I32(7),
        I32(8),
        Zeros(16),
        I32(7),
        I32(8),
        Str("Windows Desktop"),
        Str("Progman"),
        EmptyStrings(2),
        // No 32-bit values, then the three default export texts.
        {0x00, 0x00},
        {0x03, 0x00},
        Str("<filetitle/> (<colors/>)"),
        Str("<appname/>: <datetime/>"),
        Str("<computer/>: <user/>: <filename/>: rev. <revision/>"),
        // The measurement.
        {'c', 'a', 'p', '1'},
        U32(0x00010000),
        Zeros(12),
        Date(picked),
        I32(2),
        I32(10),
        I32(20),
        I32(10),
        I32(20),
        I32(110),
        I32(70),
        Zeros(32),
        EmptyStrings(4),
        {0x00, 0x00},
    });
    const Bytes* written = m_files.Contents(kPath);
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(*written, expected);
}

TEST_F(CDocAppTest, ASavedDocumentOpensWithEveryFieldEqual) {
    CDocApp doc(m_clock, m_files);
    Pick(doc, 0x00FFFFFF, {-1920, 5});
    m_clock.Advance(milliseconds(1500));
    Pick(doc, 0, {0, 0});
    Pick(doc, 0x00804020, {3839, 2159});
    doc.Colors().SetColor(1, 0x00010101);
    doc.Colors().MoveColor(0, 2);
    doc.Colors().SetExportText(CColorPicker::kExportTitle, "R&D <draft> \xC3\xA9t\xC3\xA9");
    MeaGesture path;
    path.shape = MeaShape::kPath;
    path.last = {40, -7};
    path.points = {{0, 0}, {40, 0}, {40, -7}};
    ASSERT_TRUE(doc.CompleteMeasurement(path));
    doc.OnSaveDocument(kPath);

    CDocApp read(m_clock, m_files, &m_sink);
    read.OnOpenDocument(kPath);
    EXPECT_FALSE(read.IsModified());
    EXPECT_EQ(read.PathName(), kPath);
    EXPECT_EQ(read.Title(), "palette.nlz");
    EXPECT_EQ(read.Colors().Revision(), doc.Colors().Revision());
    EXPECT_EQ(read.Colors().GetExportTexts(), doc.Colors().GetExportTexts());
    ASSERT_EQ(read.Colors().GetCount(), 3);
    for (int i = 0; i < 3; ++i) {
        CColPick expected = doc.Colors().GetAt(i);
        expected.SetSourceWindow(0);
        EXPECT_EQ(read.Colors().GetAt(i), expected) << i;
    }
    EXPECT_EQ(read.Measurement(), doc.Measurement());
    EXPECT_EQ(m_sink.Entries().back(), (Entry{ViewNotify::kDocumentReplaced, 0}));
}

TEST_F(CDocAppTest, RevisionRisesOncePerSaveOfAChangedDocument) {
    CDocApp doc(m_clock, m_files);
    // The revision each save stores, and what happens before it.
    struct Step {
        const char* what;
        std::function<void()> change;
        std::int32_t revision;
    };
    const Step steps[] = {
        {"new, empty", [] {}, 0},
        {"unchanged", [] {}, 0},
        {"a pick",
         [&] {
             Pick(doc, 1, {1, 1});
         },
         1},
        {"unchanged again", [] {}, 1},
        {"and again", [] {}, 1},
        {"an edit", [&] { doc.Colors().SetColor(0, 2); }, 2},
        {"a removal", [&] { doc.Colors().RemoveColor(0); }, 3},
    };
    for (const auto& step : steps) {
        step.change();
        doc.OnSaveDocument(kPath);
        EXPECT_FALSE(doc.IsModified()) << step.what;
        CDocApp read(m_clock, m_files);
        read.OnOpenDocument(kPath);
        EXPECT_EQ(read.Colors().Revision(), step.revision) << step.what;
    }
}

TEST_F(CDocAppTest, AFailedOpenLeavesTheDocumentAsItWas) {
    // A good file to damage.
    {
        CDocApp source(m_clock, m_files);
        Pick(source, 0x00112233, {1, 2});
        source.OnSaveDocument(kPath);
    }
    const Bytes good = *m_files.Contents(kPath);
    const std::size_t recordOffset = kColorsOffset + 182 + 2;
    const std::size_t measurementOffset = good.size() - kEmptyMeasurementBytes;

    const std::string badFormat = "/docs/bad.nlz has a bad format.";
    const std::string pastEnd = "Attempted to access /docs/bad.nlz past its end.";
    struct Case {
        const char* what;
        std::function<void(Bytes&)> damage;
        std::string message;
    };
    const Case cases[] = {
        {"document magic", [](Bytes& b) { b[16] = 'X'; }, badFormat},
        {"document version 0x00010001", [](Bytes& b) { b[18] = 0x01; }, badFormat},
        {"colors magic", [](Bytes& b) { b[kColorsOffset + 4] = 'X'; }, badFormat},
        {"colors version 0x00010001", [](Bytes& b) { b[kColorsOffset + 18] = 0x01; }, badFormat},
        {"record magic", [&](Bytes& b) { b[recordOffset] = 'C'; }, badFormat},
        {"measurement magic", [&](Bytes& b) { b[measurementOffset] = 'C'; }, badFormat},
        {"cut in the measurement", [](Bytes& b) { b.resize(b.size() - 3); }, pastEnd},
        {"cut in the container", [](Bytes& b) { b.resize(40); }, pastEnd},
        {"empty", [](Bytes& b) { b.clear(); }, badFormat},
        {"a data file", [](Bytes& b) { b = {'N', 'C', 'n', 'l', 0, 0, 1, 0}; }, badFormat},
        {"an exported text file",
         [](Bytes& b) {
             const std::string text = "Color\tRed\tGreen\tBlue\n#FF0000\t255\t0\t0\n";
             b.assign(text.begin(), text.end());
         },
         badFormat},
        {"random bytes", [](Bytes& b) { b = {0xFF, 0xFF, 0xFF, 0xFF, 0x07, 0x9A, 0x31}; },
         badFormat},
        {"cut inside the signature", [](Bytes& b) { b.resize(10); }, badFormat},
        {"narrow signature", [](Bytes& b) { b = {7, 'N', 'C', 'n', 'l', 'D', 'o', 'c', 0}; },
         pastEnd},
    };

    for (const auto& c : cases) {
        Bytes bytes = good;
        c.damage(bytes);
        m_files.AddFile("/docs/bad.nlz", bytes);

        CDocApp doc(m_clock, m_files, &m_sink);
        doc.OnOpenDocument(kPath);
        Pick(doc, 0x00ABCDEF, {5, 5});
        doc.CompleteMeasurement(Rectangle({0, 0}, {9, 9}));
        const std::vector<CColPick> colorsBefore = doc.Colors().Colors();
        const CWndCapMeaData measurementBefore = doc.Measurement();
        const std::int32_t revisionBefore = doc.Colors().Revision();
        m_sink.Clear();

        try {
            doc.OnOpenDocument("/docs/bad.nlz");
            ADD_FAILURE() << c.what << ": opened";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.Message(), c.message) << c.what;
        }
        EXPECT_EQ(doc.Colors().Colors(), colorsBefore) << c.what;
        EXPECT_EQ(doc.Measurement(), measurementBefore) << c.what;
        EXPECT_EQ(doc.Colors().Revision(), revisionBefore) << c.what;
        EXPECT_TRUE(doc.IsModified()) << c.what;
        EXPECT_TRUE(doc.Colors().IsModified()) << c.what;
        EXPECT_EQ(doc.PathName(), kPath) << c.what;
        EXPECT_TRUE(m_sink.Entries().empty()) << c.what;
    }
}

TEST_F(CDocAppTest, ALargeFileOfAnotherKindIsRefusedFromItsFirstBytes) {
    constexpr std::size_t kLarge = 64 << 20;
    m_files.AddFile("/docs/movie.nlz", Bytes(kLarge, 0x42));
    CDocApp doc(m_clock, m_files);
    const std::uint64_t before = m_files.BytesRead();
    try {
        doc.OnOpenDocument("/docs/movie.nlz");
        ADD_FAILURE() << "opened";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.Message(), "/docs/movie.nlz has a bad format.");
    }
    EXPECT_LE(m_files.BytesRead() - before, 64u);
}

TEST_F(CDocAppTest, AMissingFileIsASystemErrorNamingThePath) {
    CDocApp doc(m_clock, m_files);
    Pick(doc, 5, {0, 0});
    try {
        doc.OnOpenDocument("/docs/missing.nlz");
        FAIL() << "opened";
    } catch (const CSystemError& e) {
        EXPECT_EQ(e.Code(), kErrorFileNotFound);
        EXPECT_EQ(
            e.Message(),
            "Error #2: The system cannot find the file specified.\n\nData: /docs/missing.nlz");
    }
    EXPECT_EQ(doc.Colors().GetCount(), 1);
    EXPECT_TRUE(doc.PathName().empty());
}

TEST_F(CDocAppTest, AFailedSaveKeepsTheOldFileAndTheDocumentState) {
    CDocApp doc(m_clock, m_files);
    Pick(doc, 1, {0, 0});
    doc.OnSaveDocument(kPath);
    const Bytes firstFile = *m_files.Contents(kPath);
    Pick(doc, 2, {0, 0});
    m_files.Fail(FakeFileSystem::Op::kWrite, kPath, kErrorDiskFull);

    EXPECT_THROW(doc.OnSaveDocument(kPath), CSystemError);
    EXPECT_EQ(*m_files.Contents(kPath), firstFile);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.Colors().IsModified());
    EXPECT_EQ(doc.Colors().Revision(), 1);

    // Saved elsewhere, the change still raises the revision exactly once.
    doc.OnSaveDocument("/docs/copy.nlz");
    EXPECT_EQ(doc.Colors().Revision(), 2);
    EXPECT_EQ(doc.PathName(), "/docs/copy.nlz");
    EXPECT_THROW(doc.OnSaveDocument("/nowhere/x.nlz"), CSystemError);
    EXPECT_EQ(doc.PathName(), "/docs/copy.nlz");
}

// The kept measurements' file beside the document: written with the save (before the
// document, so a failed write changes nothing), removed once none are kept, and left alone
// when it could not be read, so that nothing of it is lost.
TEST_F(CDocAppTest, KeptMeasurementsLiveInTheirOwnFileBesideTheDocument) {
    const std::string kept = CDocApp::MeasurementsPath(kPath);
    CDocApp doc(m_clock, m_files);
    ASSERT_TRUE(doc.CompleteMeasurement(Rectangle({0, 0}, {10, 10})));
    ASSERT_TRUE(doc.CompleteMeasurement(Rectangle({5, 5}, {50, 20}), KeepMeasurement::kYes));
    ASSERT_EQ(doc.Measurements().size(), 2u);
    m_files.Fail(FakeFileSystem::Op::kWrite, kept, kErrorDiskFull);
    EXPECT_THROW(doc.OnSaveDocument(kPath), CSystemError);
    EXPECT_EQ(m_files.Contents(kPath), nullptr);
    EXPECT_TRUE(doc.IsModified());

    CDocApp other(m_clock, m_files);
    doc.OnSaveDocument("/docs/b.nlz");
    other.OnOpenDocument("/docs/b.nlz");
    ASSERT_EQ(other.Measurements().size(), 2u);
    EXPECT_EQ(*other.Measurements()[0], *doc.Measurements()[0]);
    EXPECT_EQ(other.Measurement(), doc.Measurement());
    // A measurement without Keep replaces the current one; the kept one stays.
    ASSERT_TRUE(other.CompleteMeasurement(Rectangle({1, 1}, {4, 4})));
    EXPECT_EQ(other.Measurements().size(), 2u);
    other.ClearMeasurement();
    other.OnSaveDocument("/docs/b.nlz");
    EXPECT_EQ(m_files.Contents("/docs/b.nlz.measurements.json"), nullptr);

    const Bytes garbage = {'{', 'x'};
    m_files.AddFile("/docs/b.nlz.measurements.json", garbage);
    other.OnOpenDocument("/docs/b.nlz");
    EXPECT_TRUE(other.KeptMeasurements().empty());
    ASSERT_TRUE(other.CompleteMeasurement(Rectangle({1, 1}, {4, 4})));
    other.OnSaveDocument("/docs/b.nlz");
    EXPECT_EQ(*m_files.Contents("/docs/b.nlz.measurements.json"), garbage);
}

TEST_F(CDocAppTest, SavesAndUpdatesWriteUnderTheFilesLock) {
    const std::string missing = "/docs/new.nlz";
    struct Case {
        const char* name;
        std::function<void(CDocApp&)> act;
        int wantWrites;  // all made while holding the lock
        std::uint32_t wantError;
    };
    const Case cases[] = {
        {"save", [&](CDocApp& doc) { doc.OnSaveDocument(kPath); }, 1, 0},
        {"update",
         [&](CDocApp& doc) {
             doc.UpdateDocument(kPath, MissingDocument::kRefuse, [&] {
                 EXPECT_EQ(doc.Colors().GetCount(), 1);  // what the file held
                 Pick(doc, 2, {1, 1});
                 return true;
             });
         },
         1, 0},
        {"update without a change",
         [&](CDocApp& doc) {
             doc.UpdateDocument(kPath, MissingDocument::kRefuse, [] { return false; });
         },
         0, 0},
        {"update creating the file",
         [&](CDocApp& doc) {
             doc.UpdateDocument(missing, MissingDocument::kStartEmpty, [&] {
                 EXPECT_TRUE(doc.Colors().IsEmpty());
                 Pick(doc, 3, {0, 0});
                 return true;
             });
         },
         1, 0},
        {"update of a missing file",
         [&](CDocApp& doc) {
             doc.UpdateDocument(missing, MissingDocument::kRefuse, [] { return true; });
         },
         0, kErrorFileNotFound},
        {"lock not had",
         [&](CDocApp& doc) {
             m_files.Fail(FakeFileSystem::Op::kLock, kPath, kErrorSharingViolation);
             doc.OnSaveDocument(kPath);
         },
         0, kErrorSharingViolation},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_files = FakeFileSystem();
        m_files.AddFolder(kFolder);
        {
            CDocApp first(m_clock, m_files);
            Pick(first, 1, {0, 0});
            first.OnSaveDocument(kPath);
        }
        const int writesBefore = m_files.WriteCount();
        const int lockedBefore = m_files.LockedWriteCount();
        CDocApp doc(m_clock, m_files);
        std::uint32_t error = 0;
        try {
            c.act(doc);
        } catch (const CSystemError& e) {
            error = e.Code();
        }
        EXPECT_EQ(error, c.wantError);
        EXPECT_EQ(m_files.WriteCount() - writesBefore, c.wantWrites);
        EXPECT_EQ(m_files.LockedWriteCount() - lockedBefore, c.wantWrites);
        EXPECT_EQ(m_files.LocksHeld(kPath) + m_files.LocksHeld(missing), 0);
    }
}

TEST_F(CDocAppTest, NewDocumentIsEmptyUntitledAndUnmodified) {
    CDocApp doc(m_clock, m_files, &m_sink);
    EXPECT_EQ(doc.Title(), "Untitled");
    EXPECT_FALSE(doc.IsModified());
    Pick(doc, 3, {0, 0});
    doc.CompleteMeasurement(Rectangle({0, 0}, {5, 0}));
    doc.Colors().SetExportText(CColorPicker::kExportTitle, "x");
    doc.OnSaveDocument(kPath);
    EXPECT_EQ(doc.Title(), "palette.nlz");
    EXPECT_EQ(doc.SaveModifiedPrompt(), "Save changes to palette.nlz?");
    m_sink.Clear();

    doc.OnNewDocument();
    EXPECT_TRUE(doc.Colors().IsEmpty());
    EXPECT_TRUE(doc.Measurement().IsEmpty());
    EXPECT_EQ(doc.Measurement(), CWndCapMeaData());
    EXPECT_EQ(doc.Colors().Revision(), 0);
    EXPECT_EQ(doc.Colors().GetExportTexts(), CColorPicker::DefaultExportTexts());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Title(), "Untitled");
    EXPECT_EQ(doc.SaveModifiedPrompt(), "Save changes to Untitled?");
    EXPECT_EQ(m_sink.Entries(), (std::vector<Entry>{{ViewNotify::kAllColorsRemoved, 0},
                                                    {ViewNotify::kDocumentReplaced, 0}}));
}

TEST_F(CDocAppTest, ChangesMarkTheDocumentModified) {
    CDocApp doc(m_clock, m_files, &m_sink);
    struct Step {
        const char* what;
        std::function<void()> change;
        bool modifies;
    };
    const Step steps[] = {
        {"pick",
         [&] {
             Pick(doc, 1, {0, 0});
         },
         true},
        {"move in place", [&] { doc.Colors().MoveColor(0, 0); }, false},
        {"a click is no measurement",
         [&] {
             doc.CompleteMeasurement(Rectangle({3, 3}, {3, 3}));
         },
         false},
        {"measurement",
         [&] {
             doc.CompleteMeasurement(Rectangle({3, 3}, {9, 4}));
         },
         true},
        {"delete all measurements", [&] { doc.ClearMeasurement(); }, true},
        {"delete all measurements again", [&] { doc.ClearMeasurement(); }, false},
        {"delete all colors", [&] { doc.Colors().RemoveAllColors(); }, true},
    };
    for (const auto& step : steps) {
        doc.SetModifiedFlag(false);
        step.change();
        EXPECT_EQ(doc.IsModified(), step.modifies) << step.what;
    }
}

TEST(SaveModifiedTest, DecisionByOptionBitsModifiedFlagAndPath) {
    using A = SaveModifiedAction;
    struct Case {
        std::uint32_t options;
        bool modified;
        bool hasPath;
        A action;
    };
    const Case cases[] = {
        {0x00000000, true, true, A::kDrop},    // not kept: dropped without asking
        {0x00000400, true, false, A::kDrop},   // silent save needs the keep bit too
        {0x00000100, false, false, A::kDrop},  // nothing to save
        {0x00000500, false, true, A::kDrop},   {0x00000100, true, true, A::kAsk},
        {0x00010701, true, false, A::kSaveAs},  // the defaults: kept and saved silently
        {0x00010301, true, true, A::kAsk},      // the defaults without silent saving
        {0x00000500, true, true, A::kSave},    {0x00000500, true, false, A::kSaveAs},
        {0xFFFFFEFF, true, true, A::kDrop},  // every bit but the keep bit
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecideSaveModified(c.options, c.modified, c.hasPath), c.action)
            << std::hex << c.options << " " << c.modified << " " << c.hasPath;
    }
}

}  // namespace
}  // namespace nl
