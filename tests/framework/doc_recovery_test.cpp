#include "framework/doc_recovery.h"

#include <gtest/gtest.h>

#include <cstring>

#include "document/CDocApp.h"
#include "document/document_test_support.h"
#include "platform/fake/FakeFileSystem.h"

namespace nl {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr const char* kDataFile = "/data/NerimLens.dat";
constexpr const char* kDoc = "/docs/brand.nlz";

struct RecoveryRig {
    RecoveryRig() {
        files.AddFolder("/data");
        files.AddFolder("/docs");
    }
    void Pick(CDocApp& doc, COLORREF color) {
        CColPick pick(CColPick::StampNow(clock));
        pick.SetColor(color);
        doc.Colors().InsertColor(doc.Colors().GetCount(), pick);
    }
    std::string Text(const std::string& path) const {
        const Bytes* bytes = files.Contents(path);
        return bytes ? std::string(bytes->begin(), bytes->end()) : "(none)";
    }
    FakeFileSystem files;
    testing_support::TestClock clock;
    RecoveryFiles where = RecoveryFilesFor(kDataFile);
};

TEST(DocRecoveryTest, AKeptDocumentComesBackModifiedUnderItsOwnPath) {
    struct Case {
        const char* name;
        bool titled;
        bool modified;
    };
    const Case cases[] = {
        {"a saved document with changes", true, true},
        {"an untitled document", false, true},
        {"nothing unsaved: nothing kept", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecoveryRig rig;
        CDocApp doc(rig.clock, rig.files);
        rig.Pick(doc, 0x112233);
        if (c.titled) doc.OnSaveDocument(kDoc);
        if (c.modified) rig.Pick(doc, 0x445566);
        const Bytes saved = c.titled ? *rig.files.Contents(kDoc) : Bytes();
        const int revision = doc.Colors().Revision();

        ASSERT_EQ(KeepForRecovery(doc, rig.files, rig.where), 0u);
        EXPECT_FALSE(doc.IsModified());  // nothing asks about it on the way out
        EXPECT_EQ(doc.Colors().Revision(), revision);
        if (c.titled) {
            EXPECT_EQ(*rig.files.Contents(kDoc), saved);  // the file is untouched
        }
        if (!c.modified) {
            EXPECT_EQ(PendingRecovery(rig.files, rig.where), std::nullopt);
            EXPECT_EQ(rig.files.Contents(rig.where.document), nullptr);
            continue;
        }
        // The record: the path, then the size and FNV-1a hash of the saved file.
        const std::string stamp =
            std::to_string(saved.size()) + " " + std::to_string(DocFileStamp::Of(saved).hash);
        EXPECT_EQ(rig.Text(rig.where.record),
                  c.titled ? std::string(kDoc) + "\n" + stamp + "\n" : std::string("\n-\n"));
        EXPECT_EQ(PendingRecovery(rig.files, rig.where), c.titled ? kDoc : "");

        CDocApp next(rig.clock, rig.files);
        next.OnNewDocument();
        Recover(next, rig.files, rig.where);
        ASSERT_EQ(next.Colors().GetCount(), 2);
        EXPECT_EQ(next.Colors().GetAt(1).Color(), 0x445566u);
        EXPECT_TRUE(next.IsModified());
        EXPECT_EQ(next.PathName(), c.titled ? kDoc : "");
        EXPECT_EQ(rig.files.Contents(rig.where.document), nullptr);
        EXPECT_EQ(rig.files.Contents(rig.where.record), nullptr);
        if (c.titled) {
            // The file as it was when the document was kept: a save goes ahead.
            EXPECT_EQ(next.SaveUnlessChanged(kDoc, std::nullopt), std::nullopt);
        }
    }
}

TEST(DocRecoveryTest, AChangeToTheFileSinceIsStillNoticedAndABadRecordIsIgnored) {
    RecoveryRig rig;
    CDocApp doc(rig.clock, rig.files);
    rig.Pick(doc, 0x112233);
    doc.OnSaveDocument(kDoc);
    rig.Pick(doc, 0x445566);
    ASSERT_EQ(KeepForRecovery(doc, rig.files, rig.where), 0u);
    // Another program saves the file before the next start.
    CDocApp other(rig.clock, rig.files);
    other.UpdateDocument(kDoc, MissingDocument::kRefuse, [&] {
        rig.Pick(other, 0x778899);
        return true;
    });
    CDocApp next(rig.clock, rig.files);
    Recover(next, rig.files, rig.where);
    EXPECT_NE(next.SaveUnlessChanged(kDoc, std::nullopt), std::nullopt);

    for (const char* record : {"", "/docs/x.nlz", "/docs/x.nlz\n12 x\n", "/docs/x.nlz\n12\n"}) {
        SCOPED_TRACE(record);
        rig.files.AddFile(rig.where.document, Bytes{1});
        rig.files.AddFile(rig.where.record, Bytes(record, record + std::strlen(record)));
        EXPECT_EQ(PendingRecovery(rig.files, rig.where), std::nullopt);
    }
}

}  // namespace
}  // namespace nl
