#include "document/CColPick.h"

#include <gtest/gtest.h>

#include <functional>

#include "document/document_test_support.h"

namespace nl {
namespace {

using namespace testing_support;

CColPick SampleRecord() {
    CColPick record(COleDateTime(45000.5));
    record.SetModified(COleDateTime(45001.25, COleDateTime::kInvalid));
    record.SetVersion(3);
    record.SetFirstColor(0x00332211);
    record.SetColor(0x00665544);
    record.SetPosition({-5, 1080});
    record.SetRelativePosition({10, 20});
    record.SetSourceTitle("Ab");
    record.SetWindowClass("C");
    record.SetSourceWindow(0x4200017);
    return record;
}

// SampleRecord as the file holds it, field by field.
Bytes SampleRecordBytes() {
    return Concat({
        {0x63, 0x6F, 0x6C, 0x31},                          // "col1"
        {0x00, 0x00, 0x01, 0x00},                          // version 1.0
        Zeros(12),                                         // three reserved words
        {0x03, 0x00, 0x00, 0x00},                          // version (update count)
        Date(45000.5),                                     // created
        Date(45001.25, 1),                                 // modified, invalid
        {0x11, 0x22, 0x33, 0x00},                          // first color
        {0x44, 0x55, 0x66, 0x00},                          // color
        {0xFB, 0xFF, 0xFF, 0xFF, 0x38, 0x04, 0x00, 0x00},  // position -5, 1080
        Zeros(16),                                         // two reserved 64-bit values
        {0x0A, 0x00, 0x00, 0x00, 0x14, 0x00, 0x00, 0x00},  // relative position 10, 20
        {0xFF, 0xFE, 0xFF, 0x02, 'A', 0, 'b', 0},          // source title
        {0xFF, 0xFE, 0xFF, 0x01, 'C', 0},                  // window class
        {0xFF, 0xFE, 0xFF, 0x00, 0xFF, 0xFE, 0xFF, 0x00},  // two reserved strings
    });
}

TEST(CColPickTest, WritesTheRecordByteForByteAndReadsItBack) {
    CColPick record = SampleRecord();
    CArchive out("palette.nlz");
    record.Serialize(out);
    EXPECT_EQ(out.Bytes(), SampleRecordBytes());

    const Bytes bytes = SampleRecordBytes();
    CArchive in(bytes, "palette.nlz");
    CColPick read;
    read.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    // Everything but the source window, which is never stored.
    CColPick expected = SampleRecord();
    expected.SetSourceWindow(0);
    EXPECT_EQ(read, expected);
}

TEST(CColPickTest, NoColorAndBlackAreStoredAsMinusOneAndZero) {
    for (const COLORREF color : {kNoColor, COLORREF{0}}) {
        CColPick record(COleDateTime(1.0));
        record.SetColor(color);
        CArchive out;
        record.Serialize(out);
        const Bytes& bytes = out.Bytes();
        const Bytes colorBytes(bytes.begin() + 52, bytes.begin() + 56);
        EXPECT_EQ(colorBytes, U32(color));
        CArchive in(bytes);
        CColPick read;
        read.Serialize(in);
        EXPECT_EQ(read.Color(), color);
        EXPECT_EQ(read.FirstColor(), kNoColor);
    }
}

TEST(CColPickTest, RefusesBadRecordsAndLeavesTheTargetAlone) {
    using Cause = CArchiveException::Cause;
    struct Case {
        const char* what;
        std::function<void(Bytes&)> damage;
        Cause cause;
    };
    const Case cases[] = {
        {"magic", [](Bytes& b) { b[3] = '2'; }, Cause::kBadFormat},
        {"newer version", [](Bytes& b) { b[4] = 0x01; }, Cause::kBadFormat},  // 0x00010001
        {"newer major", [](Bytes& b) { b[6] = 0x02; }, Cause::kBadFormat},
        {"cut in the position", [](Bytes& b) { b.resize(60); }, Cause::kEndOfFile},
        {"cut in the relative position", [](Bytes& b) { b.resize(84); }, Cause::kEndOfFile},
        {"cut in the title", [](Bytes& b) { b.resize(90); }, Cause::kEndOfFile},
        {"last reserved string missing", [](Bytes& b) { b.resize(b.size() - 4); },
         Cause::kEndOfFile},
    };
    for (const auto& c : cases) {
        Bytes bytes = SampleRecordBytes();
        c.damage(bytes);
        CArchive in(bytes, "bad.nlz");
        CColPick target(COleDateTime(7.0));
        target.SetColor(0x123456);
        const CColPick before = target;
        try {
            target.Serialize(in);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetCause(), c.cause) << c.what;
            if (c.cause == Cause::kBadFormat) {
                EXPECT_EQ(e.Message(), "bad.nlz has a bad format.");
            }
        }
        EXPECT_EQ(target, before) << c.what;
    }
}

TEST(CColPickTest, StampIsTheClocksMomentAsAValidDate) {
    TestClock clock;
    const COleDateTime now = CColPick::StampNow(clock);
    EXPECT_TRUE(now.IsValid());
    EXPECT_DOUBLE_EQ(now.Date(), 45356.0 + (14 * 3600 + 7 * 60 + 9) / 86400.0);
    clock.Set(std::chrono::system_clock::time_point(std::chrono::seconds(-2208988800LL)));
    EXPECT_EQ(CColPick::StampNow(clock), COleDateTime(2.0));  // 1 January 1900
}

}  // namespace
}  // namespace nl
