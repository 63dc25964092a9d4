// The X clipboard reader against owners on the test's X server: one that answers TARGETS and
// never the data, one that answers at once or in parts, and none at all. The reader's time
// limit is short here; waits are bounded by generous rounds.
#include "platform/xcb/CXcbClipboardReader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "clip_owner/clip_owner.h"
#include "platform/qt/CQtClipboard.h"
#include "x11_test_support.h"

namespace nl::x11 {
namespace {

constexpr std::chrono::milliseconds kLimit{150};

// The answers of a reader's thread, waited for by the test.
class Answers {
public:
    IClipboard::ReadDone Read() {
        return [this](ClipboardRead read) {
            const std::lock_guard lock(m_mutex);
            m_reads.push_back(std::move(read));
            m_changed.notify_all();
        };
    }
    IClipboard::NamesDone Names() {
        return [this](std::optional<std::vector<std::string>> names) {
            const std::lock_guard lock(m_mutex);
            m_names.push_back(std::move(names));
            m_changed.notify_all();
        };
    }
    // Waits (at most a minute) until `count` answers of either kind arrived.
    bool WaitFor(std::size_t count) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::minutes(1),
                                  [&] { return m_reads.size() + m_names.size() >= count; });
    }
    std::vector<ClipboardRead> Reads() {
        const std::lock_guard lock(m_mutex);
        return m_reads;
    }
    std::vector<std::optional<std::vector<std::string>>> NameLists() {
        const std::lock_guard lock(m_mutex);
        return m_names;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<ClipboardRead> m_reads;
    std::vector<std::optional<std::vector<std::string>>> m_names;
};

std::vector<std::uint8_t> OwnerBytes(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = test::ClipOwnerByte(i);
    return bytes;
}

TEST(CXcbClipboardReaderTest, AnOwnerThatNeverSendsDataTimesOutEachRequest) {
    test::ClipOwner owner({300, false, 0, 0});
    ASSERT_TRUE(owner.Owning());
    auto reader = CXcbClipboardReader::Open(nullptr, kLimit);
    ASSERT_NE(reader, nullptr);
    Answers answers;
    reader->RequestFormatNames(answers.Names());
    for (int i = 0; i < 3; ++i)
        reader->RequestData("application/x-type-" + std::to_string(i), 100, answers.Read());
    ASSERT_TRUE(answers.WaitFor(4));
    const auto names = answers.NameLists();
    ASSERT_TRUE(names[0].has_value());
    EXPECT_EQ(names[0]->size(), 302u);  // TARGETS, UTF8_STRING and the 300 types
    EXPECT_EQ(names[0]->at(2), "application/x-type-0");
    for (const ClipboardRead& read : answers.Reads())
        EXPECT_EQ(read.status, ClipboardReadStatus::kTimedOut);
    EXPECT_EQ(owner.DataRequests(), 3);

    // Cancelled requests are never answered, and the next one is served.
    Answers cancelled;
    for (int i = 0; i < 50; ++i) reader->RequestData("UTF8_STRING", 100, cancelled.Read());
    std::this_thread::sleep_for(kLimit / 3);
    reader->Cancel();
    Answers after;
    reader->RequestFormatNames(after.Names());
    ASSERT_TRUE(after.WaitFor(1));
    EXPECT_TRUE(cancelled.Reads().empty());
    EXPECT_LE(owner.DataRequests(), 3 + 2);
}

TEST(CXcbClipboardReaderTest, DataComesWholeOrCutAtTheSizeAskedFor) {
    struct Case {
        const char* what;
        test::ClipOwnerSetup setup;
        std::size_t maxBytes;
        ClipboardReadStatus status;
        std::size_t bytes;  // the start of the owner's data expected
        std::uint64_t size;
    };
    const std::vector<Case> cases = {
        {"whole", {2, true, 5000, 0}, 10000, ClipboardReadStatus::kDone, 5000, 5000},
        {"cut", {2, true, 5000, 0}, 100, ClipboardReadStatus::kCut, 100, 5000},
        {"size only", {2, true, 5000, 0}, 0, ClipboardReadStatus::kCut, 0, 5000},
        {"in parts", {2, true, 300000, 65536}, 1000000, ClipboardReadStatus::kDone, 300000, 300000},
        {"in parts, cut",
         {2, true, 300000, 65536},
         100000,
         ClipboardReadStatus::kCut,
         100000,
         300000},
        {"in parts, size only", {2, true, 300000, 65536}, 0, ClipboardReadStatus::kCut, 0, 300000},
    };
    for (const Case& c : cases) {
        test::ClipOwner owner(c.setup);
        ASSERT_TRUE(owner.Owning()) << c.what;
        auto reader = CXcbClipboardReader::Open(nullptr, kLimit);
        ASSERT_NE(reader, nullptr);
        Answers answers;
        reader->RequestData("application/x-type-1", c.maxBytes, answers.Read());
        reader->RequestData("image/none", 10, answers.Read());  // not offered
        ASSERT_TRUE(answers.WaitFor(2)) << c.what;
        const auto reads = answers.Reads();
        EXPECT_EQ(reads[0].status, c.status) << c.what;
        EXPECT_EQ(reads[0].size, c.size) << c.what;
        EXPECT_EQ(reads[0].bytes, OwnerBytes(c.bytes)) << c.what;
        EXPECT_EQ(reads[1].status, ClipboardReadStatus::kMissing) << c.what;
    }
}

TEST(CXcbClipboardReaderTest, NoOwnerMeansNoFormats) {
    {
        test::ClipOwner owner({1, true, 1, 0});  // ends, leaving the clipboard without owner
    }
    auto reader = CXcbClipboardReader::Open(nullptr, kLimit);
    ASSERT_NE(reader, nullptr);
    Answers answers;
    reader->RequestFormatNames(answers.Names());
    reader->RequestData("UTF8_STRING", 10, answers.Read());
    ASSERT_TRUE(answers.WaitFor(2));
    ASSERT_TRUE(answers.NameLists()[0].has_value());
    EXPECT_TRUE(answers.NameLists()[0]->empty());
    EXPECT_EQ(answers.Reads()[0].status, ClipboardReadStatus::kMissing);
}

// The Qt clipboard hands another program's contents to the reader and delivers the answers
// on the event loop; its own contents it reads through Qt. A cancel drops the answers due.
TEST(CXcbClipboardReaderTest, TheQtClipboardAnswersThroughTheEventLoop) {
    CQtClipboard clipboard(CXcbClipboardReader::Open(nullptr, kLimit));
    std::optional<std::vector<std::string>> names;
    std::vector<ClipboardRead> reads;
    {
        test::ClipOwner owner({20, false, 0, 0});
        ASSERT_TRUE(owner.Owning());
        ASSERT_TRUE(test::WaitFor([&] { return !clipboard.FormatNames().empty(); }, 5000));
        clipboard.RequestFormatNames([&](auto answer) { names = std::move(answer); });
        clipboard.RequestData("UTF8_STRING", 10,
                              [&](ClipboardRead read) { reads.push_back(read); });
        EXPECT_FALSE(names.has_value());  // never before the call returns
        ASSERT_TRUE(test::WaitFor([&] { return reads.size() == 1; }, 60000));
        ASSERT_TRUE(names.has_value());
        EXPECT_EQ(names->size(), 22u);
        EXPECT_EQ(reads[0].status, ClipboardReadStatus::kTimedOut);

        bool late = false;
        clipboard.RequestData("UTF8_STRING", 10, [&](ClipboardRead) { late = true; });
        clipboard.CancelRequests();
        test::WaitFor([] { return false; }, static_cast<int>(kLimit.count() * 3));
        EXPECT_FALSE(late);
    }
    ASSERT_EQ(clipboard.SetText("own text"), 0u);
    reads.clear();
    clipboard.RequestData("text/plain", 3, [&](ClipboardRead read) { reads.push_back(read); });
    ASSERT_TRUE(test::WaitFor([&] { return reads.size() == 1; }, 60000));
    EXPECT_EQ(reads[0].status, ClipboardReadStatus::kCut);
    EXPECT_EQ(reads[0].size, 8u);
    EXPECT_EQ(reads[0].bytes, (std::vector<std::uint8_t>{'o', 'w', 'n'}));
}

}  // namespace
}  // namespace nl::x11
