#include "framework/CWinState.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/CArchive.h"
#include "base/byte_builders.h"

namespace nl {
namespace {

using test::Bytes;
using test::Concat;
using test::Le32;

const Bytes kEmptyString = {0xFF, 0xFE, 0xFF, 0x00};
const Bytes kEightZeros(8, 0);

// Magic, version, flags and the reserved fields up to the placement.
Bytes Head(std::uint32_t version, std::uint32_t flags) {
    return Concat(
        {{'S', 'W', 'C', 'N'}, Le32(version), Le32(flags), kEightZeros, kEmptyString, kEightZeros});
}

// The 40 bytes after the length of the sample placement below.
const Bytes kPlacementBody = Concat({
    Le32(2),
    Le32(1),                                           // flags, show command
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},  // minimized position -1, -1
    {0xF8, 0xFF, 0xFF, 0xFF, 0xE1, 0xFF, 0xFF, 0xFF},  // maximized position -8, -31
    {0x64, 0, 0, 0, 0xC8, 0, 0, 0, 0x84, 0x03, 0, 0, 0xBC, 0x02, 0, 0},  // 100,200,900,700
});
const WindowPlacement kPlacement{44, 2, 1, {-1, -1}, {-8, -31}, {100, 200, 900, 700}};

const WindowPlacement kZeroPlacement{44, 0, 0, {}, {}, {}};

const Bytes kNumbers = {0x02, 0x00, 0x03, 0, 0, 0, 0x78, 0x56, 0x34, 0x12};
const Bytes kStrings = {0x01, 0x00, 0xFF, 0xFE, 0xFF, 0x02, 'a', 0, 'b', 0};

CWinState Sample() {
    CWinState s;
    s.SetFlags(0x11);
    s.Placement() = kPlacement;
    s.Numbers() = {3, 0x12345678};
    s.Strings() = {"ab"};
    return s;
}

Bytes Store(CWinState& s) {
    CArchive ar("state.dat");
    s.Serialize(ar);
    return ar.TakeBytes();
}

CWinState Load(const Bytes& bytes, std::size_t* remaining = nullptr) {
    CArchive ar(bytes, "state.dat");
    CWinState s;
    s.Serialize(ar);
    if (remaining) *remaining = ar.Remaining();
    return s;
}

void ExpectSameContent(const CWinState& a, const CWinState& b) {
    EXPECT_EQ(a.Flags(), b.Flags());
    EXPECT_EQ(a.Placement(), b.Placement());
    EXPECT_EQ(a.Numbers(), b.Numbers());
    EXPECT_EQ(a.Strings(), b.Strings());
}

TEST(CWinStateTest, WritesTheCurrentRecordByteForByte) {
    CWinState sample = Sample();
    const Bytes expected =
        Concat({Head(0x00020000, 0x11), Le32(44), kPlacementBody, kNumbers, kStrings});
    EXPECT_EQ(Store(sample), expected);

    std::size_t remaining = 1;
    const CWinState loaded = Load(expected, &remaining);
    EXPECT_EQ(remaining, 0u);
    ExpectSameContent(loaded, sample);
}

TEST(CWinStateTest, NewRecordIsOpenAndWritesAZeroPlacement) {
    CWinState fresh;
    EXPECT_TRUE(fresh.IsOpen());
    EXPECT_FALSE(fresh.IsPlaced());
    const Bytes expected = Concat({Head(0x00020000, 1), Bytes(44, 0), {0, 0}, {0, 0}});
    EXPECT_EQ(Store(fresh), expected);
}

TEST(CWinStateTest, ReadsOldRecordsWithoutStringTable) {
    const Bytes old = Concat({Head(0x00010000, 0x11), Le32(44), kPlacementBody, kNumbers});
    CArchive ar(old);
    CWinState s = Sample();  // its strings must not survive the load
    s.Strings() = {"stale"};
    s.Numbers() = {9, 9, 9};
    s.Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 0u);
    EXPECT_TRUE(s.Strings().empty());
    EXPECT_EQ(s.Numbers(), (std::vector<std::uint32_t>{3, 0x12345678}));
    EXPECT_EQ(s.Placement(), kPlacement);

    // Written again, it becomes a current record.
    EXPECT_EQ(Store(s),
              Concat({Head(0x00020000, 0x11), Le32(44), kPlacementBody, kNumbers, {0, 0}}));
}

TEST(CWinStateTest, IgnoresMagicAndReservedFieldsButRefusesNewerRecords) {
    // Another magic, non-zero reserved numbers and a narrow reserved string "abc".
    const Bytes odd = Concat({{'X', 'Y', 'Z', 'W'},
                              Le32(0x00020000),
                              Le32(0x11),
                              Le32(0x7F),
                              Le32(5),
                              {0x03, 'a', 'b', 'c'},
                              Le32(1),
                              Le32(2),
                              Le32(44),
                              kPlacementBody,
                              kNumbers,
                              kStrings});
    ExpectSameContent(Load(odd), Sample());

    const Bytes newer =
        Concat({Head(0x00030000, 0x11), Le32(44), kPlacementBody, kNumbers, kStrings});
    try {
        Load(newer);
        FAIL() << "a newer record was accepted";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::Cause::kBadFormat);
    }
}

TEST(CWinStateTest, PlacementLengthFromTheFile) {
    // The numbers and strings after the placement must be found wherever its length ends it.
    struct Case {
        const char* what;
        std::uint32_t length;
        Bytes body;  // the bytes after the length field
        WindowPlacement expected;
    };
    const Bytes extra = {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x11, 0x22};
    const Case cases[] = {
        {"zero: 40 bytes follow, the 0 is kept",
         0,
         kPlacementBody,
         {0, 2, 1, {-1, -1}, {-8, -31}, {100, 200, 900, 700}}},
        {"exactly 44", 44, kPlacementBody, kPlacement},
        {"longer: extra bytes skipped", 52, Concat({kPlacementBody, extra}), kPlacement},
        {"shorter: the rest is zero",
         28,
         Bytes(kPlacementBody.begin(), kPlacementBody.begin() + 24),
         {44, 2, 1, {-1, -1}, {-8, -31}, {}}},
        {"only the length", 4, {}, kZeroPlacement},
    };
    for (const auto& c : cases) {
        const Bytes bytes =
            Concat({Head(0x00020000, 1), Le32(c.length), c.body, kNumbers, kStrings});
        std::size_t remaining = 1;
        const CWinState s = Load(bytes, &remaining);
        EXPECT_EQ(s.Placement(), c.expected) << c.what;
        EXPECT_EQ(s.Numbers(), (std::vector<std::uint32_t>{3, 0x12345678})) << c.what;
        EXPECT_EQ(s.Strings(), (std::vector<std::string>{"ab"})) << c.what;
        EXPECT_EQ(remaining, 0u) << c.what;
    }
}

TEST(CWinStateTest, RefusesPlacementLengthsThatCannotBeRead) {
    struct Case {
        std::uint32_t length;
        CArchiveException::Cause cause;
    };
    const Case cases[] = {
        {1, CArchiveException::Cause::kBadFormat},
        {3, CArchiveException::Cause::kBadFormat},
        {0xFFFFFFFF, CArchiveException::Cause::kEndOfFile},
        {0x80000000, CArchiveException::Cause::kEndOfFile},
        {200, CArchiveException::Cause::kEndOfFile},
    };
    for (const auto& c : cases) {
        const Bytes bytes =
            Concat({Head(0x00020000, 1), Le32(c.length), kPlacementBody, kNumbers, kStrings});
        try {
            Load(bytes);
            ADD_FAILURE() << "length " << c.length << " was accepted";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetCause(), c.cause) << c.length;
        }
    }
}

TEST(CWinStateTest, RecordPlacementCopiesOnlyChanges) {
    CWinState s;
    WindowPlacement current = kPlacement;
    EXPECT_TRUE(s.RecordPlacement(current));
    EXPECT_EQ(s.Placement(), kPlacement);
    EXPECT_FALSE(s.RecordPlacement(current));

    current.showCmd = 3;  // any field, not only the rectangle
    EXPECT_TRUE(s.RecordPlacement(current));
    EXPECT_EQ(s.Placement().showCmd, 3u);

    // A new record's length of 0 differs from a window's 44 even when all else is zero.
    CWinState fresh;
    EXPECT_TRUE(fresh.RecordPlacement(kZeroPlacement));
}

TEST(CWinStateTest, ToggleOpenKeepsOtherFlagBits) {
    CWinState s;
    s.SetFlags(0x110);
    s.ToggleOpen();
    EXPECT_EQ(s.Flags(), 0x111u);
    EXPECT_TRUE(s.IsOpen());
    s.ToggleOpen();
    EXPECT_EQ(s.Flags(), 0x110u);
    s.SetOpen(true);
    s.SetOpen(true);
    EXPECT_EQ(s.Flags(), 0x111u);
}

TEST(CWinStateTest, ListRoundTripsAsObjectArray) {
    std::vector<std::unique_ptr<CWinState>> list;
    list.push_back(std::make_unique<CWinState>(Sample()));
    list.push_back(std::make_unique<CWinState>());
    list.back()->SetOpen(false);

    CArchive out;
    out.ObjectArray(list, CWinState::kClassName, CWinState::kSchema);
    const Bytes bytes = out.TakeBytes();
    const Bytes prefix = {0x02, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00, 'C', 'W', 'i',
                          'n',  'S',  't',  'a',  't',  'e',  'S',  'W',  'C', 'N'};
    ASSERT_GT(bytes.size(), prefix.size());
    EXPECT_TRUE(std::equal(prefix.begin(), prefix.end(), bytes.begin()));

    std::vector<std::unique_ptr<CWinState>> loaded;
    CArchive in(bytes);
    in.ObjectArray(loaded, CWinState::kClassName, CWinState::kSchema);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(in.Remaining(), 0u);
    ExpectSameContent(*loaded[0], *list[0]);
    ExpectSameContent(*loaded[1], *list[1]);
    EXPECT_FALSE(loaded[1]->IsOpen());

    // Unchanged records are written back byte for byte, the never-recorded placement too.
    CArchive again;
    again.ObjectArray(loaded, CWinState::kClassName, CWinState::kSchema);
    EXPECT_EQ(again.Bytes(), bytes);
}

}  // namespace
}  // namespace nl
