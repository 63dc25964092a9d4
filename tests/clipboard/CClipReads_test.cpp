// The viewer's reads over the in-memory clipboard playing an owner that never answers: one
// request at a time, answers in order, cancelling, and the formats window's sizes given up as
// unknown within a few time limits however many formats the owner offers.
#include "clipboard/CClipReads.h"

#include <gtest/gtest.h>

#include "base/CSystemError.h"
#include "clipboard/CClipViewer.h"
#include "model/NumberFormat.h"
#include "platform/fake/FakeClipboard.h"

namespace nl {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

std::vector<ClipboardFormat> ManyFormats(int count) {
    std::vector<ClipboardFormat> formats = {{"text/plain", Bytes("hello")}};
    for (int i = 0; i < count; ++i)
        formats.push_back({"application/x-type-" + std::to_string(i), Bytes("12")});
    return formats;
}

TEST(CClipReadsTest, SendsOneRequestAtATimeAndAnswersInOrder) {
    FakeClipboard clipboard;
    ASSERT_EQ(clipboard.SetFormats({{"a/x", Bytes("1")}, {"a/y", Bytes("22")}}), 0u);
    clipboard.HoldRequests({"a/x"});
    CClipReads reads(clipboard);
    std::vector<std::string> answers;
    const auto note = [&](std::string what) {
        return [&answers, what](ClipboardRead read) {
            answers.push_back(what + ":" + std::to_string(static_cast<int>(read.status)) + ":" +
                              std::to_string(read.size));
        };
    };
    reads.Read("a/x", 10, note("x"));
    reads.Read("a/y", 10, note("y"));
    reads.Read("a/none", 10, note("none"));
    EXPECT_EQ(clipboard.WaitingCount(), 1u);  // the others wait in the reads' own queue
    EXPECT_TRUE(answers.empty());
    EXPECT_FALSE(reads.Idle());
    ASSERT_TRUE(clipboard.ElapseTimeLimit());
    EXPECT_EQ(answers, (std::vector<std::string>{"x:3:0", "y:0:2", "none:2:0"}));
    EXPECT_TRUE(reads.Idle());
    EXPECT_EQ(clipboard.MostWaiting(), 1u);

    // Answers given at once, thousands in a row, run as a loop (no deep recursion).
    clipboard.HoldRequests({});
    int answered = 0;
    for (int i = 0; i < 20000; ++i)
        reads.Read("a/y", 1, [&](ClipboardRead read) {
            answered += read.status == ClipboardReadStatus::kCut ? 1 : 0;
        });
    EXPECT_EQ(answered, 20000);
}

TEST(CClipReadsTest, CancelDropsTheQueueAndTheOutstandingAnswer) {
    FakeClipboard clipboard;
    ASSERT_EQ(clipboard.SetFormats({{"a/x", Bytes("1")}}), 0u);
    clipboard.HoldRequests({"*"}, true);
    int calls = 0;
    {
        CClipReads reads(clipboard);
        reads.ReadNames([&](auto) { ++calls; });
        reads.Read("a/x", 1, [&](ClipboardRead) { ++calls; });
        reads.Cancel();
        EXPECT_EQ(clipboard.WaitingCount(), 0u);
        EXPECT_TRUE(reads.Idle());
        // A read after the cancel is sent and answered.
        reads.ReadNames([&](std::optional<std::vector<std::string>> names) {
            EXPECT_FALSE(names.has_value());  // timed out
            calls += 10;
        });
        ASSERT_TRUE(clipboard.ElapseTimeLimit());
        EXPECT_EQ(calls, 10);
        reads.Read("a/x", 1, [&](ClipboardRead) { ++calls; });
    }
    // The destructor cancelled the last one.
    EXPECT_EQ(clipboard.WaitingCount(), 0u);
    EXPECT_FALSE(clipboard.ElapseTimeLimit());
    EXPECT_EQ(calls, 10);
}

// The viewer's loop as its windows run it: the names, the current text, then the formats
// window's sizes one at a time, over owners that answer nothing, only the names, or all.
TEST(CClipReadsTest, AnOwnerThatNeverAnswersCostsAFewTimeLimits) {
    struct Case {
        const char* what;
        int types;
        std::vector<std::string> held;
        bool namesHeld;
        int timeLimits;  // the most time limits the whole refresh may take
        std::string textSummaryStart;
        std::string lastSize;
    };
    const std::string timedOut = SystemErrorText(kErrorTimeout);
    const std::vector<Case> cases = {
        {"10 silent types",
         10,
         {"*"},
         false,
         1 + CClipViewer::kTimeoutsBeforeGivingUp,
         timedOut,
         "unknown"},
        {"500 silent types",
         500,
         {"*"},
         false,
         1 + CClipViewer::kTimeoutsBeforeGivingUp,
         timedOut,
         "unknown"},
        {"no names", 500, {"*"}, true, 1, timedOut, ""},
        // The text is asked for once, its row measured by that read.
        {"a silent text", 50, {"text/plain"}, false, 1, timedOut, "2 B"},
        {"all answered", 500, {}, false, 0, "TEXT:", "2 B"},
    };
    for (const Case& c : cases) {
        FakeClipboard clipboard;
        ASSERT_EQ(clipboard.SetFormats(ManyFormats(c.types)), 0u);
        clipboard.HoldRequests(c.held, c.namesHeld);
        CClipViewer viewer;
        CClipReads reads(clipboard);
        std::function<void()> nextSize = [&] {
            if (const auto next = viewer.NextFormatRead())
                reads.Read(next->mime, next->maxBytes, [&, row = next->row](ClipboardRead read) {
                    viewer.SetFormatSize(row, read, {});
                    nextSize();
                });
        };
        reads.ReadNames([&](std::optional<std::vector<std::string>> names) {
            if (!names) {
                viewer.RefreshTimedOut();
                return;
            }
            viewer.Refresh(*names);
            // The current entry's read measures its row too; the other rows follow it.
            reads.Read(viewer.CurrentMime(), CClipViewer::kMaxTextBytes, [&](ClipboardRead read) {
                viewer.ReadText(std::move(read));
                while (viewer.StepStats(CClipViewer::kMaxTextBytes)) {
                }
                nextSize();
            });
        });
        int limits = 0;
        while (clipboard.ElapseTimeLimit()) ASSERT_LE(++limits, c.timeLimits) << c.what;
        EXPECT_TRUE(reads.Idle()) << c.what;
        EXPECT_EQ(clipboard.MostWaiting(), 1u) << c.what;
        EXPECT_EQ(viewer.Summary().rfind(c.textSummaryStart, 0), 0u)
            << c.what << ": " << viewer.Summary();
        const auto rows = viewer.FormatRows(NumberFormat::Neutral());
        EXPECT_EQ(rows.empty() ? std::string() : rows.back().size, c.lastSize) << c.what;
    }
}

}  // namespace
}  // namespace nl
