#include "base/CArchive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace nl {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// UTF-16LE code units of an ASCII text.
Bytes Units(const std::string& ascii) {
    Bytes out;
    for (char c : ascii) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(0);
    }
    return out;
}

Bytes Stored(const std::function<void(CArchive&)>& write) {
    CArchive ar("test.dat");
    write(ar);
    return ar.TakeBytes();
}

TEST(CArchiveTest, StringLengthPrefixEscalatesAtEachWidth) {
    struct Case {
        std::size_t length;
        Bytes prefix;  // bytes before the code units
    };
    const Case cases[] = {
        {0, {0xFF, 0xFE, 0xFF, 0x00}},
        {3, {0xFF, 0xFE, 0xFF, 0x03}},
        {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0x12345, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        const std::string text(c.length, 'a');
        const Bytes bytes = Stored([&](CArchive& ar) { ar.WriteString(text); });
        ASSERT_EQ(bytes.size(), c.prefix.size() + 2 * c.length) << c.length;
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin())) << c.length;
        CArchive in(bytes);
        EXPECT_EQ(in.ReadString(), text) << c.length;
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(CArchiveTest, ReadsEightByteLengthForm) {
    // 0xFF, tag, 0xFF, 0xFFFF, 0xFFFFFFFF, then a 64-bit length of 2.
    const Bytes bytes = Concat({{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
                                {2, 0, 0, 0, 0, 0, 0, 0},
                                Units("ok")});
    CArchive in(bytes);
    EXPECT_EQ(in.ReadString(), "ok");
}

TEST(CArchiveTest, ReadsNarrowStringsAsLatin1) {
    const Bytes shortForm = {0x03, 'a', 0xE9, 'z'};
    CArchive a(shortForm);
    EXPECT_EQ(a.ReadString(), "a\xC3\xA9z");  // é in UTF-8

    Bytes wordForm = {0xFF, 0x2C, 0x01};  // 300 bytes
    wordForm.insert(wordForm.end(), 300, 'x');
    CArchive b(wordForm);
    EXPECT_EQ(b.ReadString(), std::string(300, 'x'));
}

TEST(CArchiveTest, NonAsciiTextRoundTripsAsUtf16) {
    const std::string text =
        "Gr\xC3\xBC\xC3\x9F"
        "e \xF0\x9F\x8E\xA8";  // "Grüße 🎨"
    const Bytes bytes = Stored([&](CArchive& ar) { ar.WriteString(text); });
    const Bytes expected = {0xFF, 0xFE, 0xFF, 8, 'G', 0, 'r',  0,    0xFC, 0,
                            0xDF, 0,    'e',  0, ' ', 0, 0x3C, 0xD8, 0xA8, 0xDF};
    EXPECT_EQ(bytes, expected);
    CArchive in(bytes);
    EXPECT_EQ(in.ReadString(), text);
}

TEST(CArchiveTest, CountsEscalate) {
    struct Case {
        std::uint64_t count;
        Bytes bytes;
    };
    const Case cases[] = {
        {0, {0x00, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x10000, {0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
        {0xFFFFFFFFull, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Stored([&](CArchive& ar) { ar.WriteCount(c.count); }), c.bytes) << c.count;
        CArchive in(c.bytes);
        EXPECT_EQ(in.ReadCount(0), c.count);
    }
}

TEST(CArchiveTest, TablesDatesAndReservedRunsMatchHandWrittenBytes) {
    const Bytes bytes = Stored([](CArchive& ar) {
        const std::uint32_t dwords[] = {1, 0x01020304};
        ar.WriteDwordTable(dwords);
        const std::string strings[] = {"", "A"};
        ar.WriteStringTable(strings);
        ar.WriteDate(COleDateTime(1.5));
        ar.Reserved(1, 1);
        ar.Magic("NCnl");
    });
    const Bytes expected = Concat({
        {0x02, 0x00, 0x01, 0x00, 0x00, 0x00, 0x04, 0x03, 0x02, 0x01},
        {0x02, 0x00, 0xFF, 0xFE, 0xFF, 0x00, 0xFF, 0xFE, 0xFF, 0x01, 'A', 0x00},
        {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F},
        {0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0x00},
        {'N', 'C', 'n', 'l'},
    });
    EXPECT_EQ(bytes, expected);

    CArchive in(bytes);
    EXPECT_EQ(in.ReadDwordTable(), (std::vector<std::uint32_t>{1, 0x01020304}));
    EXPECT_EQ(in.ReadStringTable(), (std::vector<std::string>{"", "A"}));
    EXPECT_EQ(in.ReadDate(), COleDateTime(1.5));
    in.Reserved(1, 1);
    in.Magic("NCnl");
    EXPECT_EQ(in.Remaining(), 0u);
}

TEST(CArchiveTest, ReservedRunSkipsWhateverItHolds) {
    const Bytes bytes = Concat({{1, 2, 3, 4, 5, 6, 7, 8}, {0xFF, 0xFE, 0xFF, 0x01, 'x', 0}});
    CArchive in(bytes);
    in.Reserved(1, 1);
    EXPECT_EQ(in.Remaining(), 0u);
}

TEST(CArchiveTest, MagicAndVersionErrorsNameTheFile) {
    const Bytes bytes = {'N', 'C', 'x', 'x', 0x01, 0x00, 0x01, 0x00};
    CArchive in(bytes, "/home/u/NerimLens.dat");
    try {
        in.Magic("NCnl");
        FAIL() << "a wrong magic must be refused";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::Cause::kBadFormat);
        EXPECT_STREQ(e.what(), "/home/u/NerimLens.dat has a bad format.");
    }
    EXPECT_THROW(in.Version(0x00010000), CArchiveException);  // 0x00010001 is newer

    CArchive older(std::span<const std::uint8_t>(bytes).subspan(4));
    EXPECT_EQ(older.Version(0x00010001), 0x00010001u);
}

TEST(CArchiveTest, ShortReadsRaiseEndOfFileWithoutAName) {
    const Bytes bytes = {0x01, 0x02, 0x03};
    CArchive in(bytes);
    try {
        in.ReadU32();
        FAIL() << "a short read must fail";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::Cause::kEndOfFile);
        EXPECT_STREQ(e.what(), "Attempted to access an unnamed file past its end.");
    }
}

TEST(CArchiveTest, HostileLengthsFailBeforeAllocating) {
    const Bytes cases[] = {
        // A string claiming 2^63 UTF-16 units.
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0,
         0x80},
        // A string claiming 0xFFFFFFFE units with four bytes behind it.
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 'a', 0, 'b', 0},
        // A narrow string one byte longer than the data.
        {0x04, 'a', 'b', 'c'},
        // A UTF-16 string of 2 units with only 3 bytes.
        {0xFF, 0xFE, 0xFF, 0x02, 'a', 0, 'b'},
    };
    for (const auto& bytes : cases) {
        CArchive in(bytes);
        EXPECT_THROW(in.ReadString(), CArchiveException);
    }
    const Bytes hugeTable = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                             0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
    CArchive a(hugeTable);
    EXPECT_THROW(a.ReadDwordTable(), CArchiveException);
    CArchive b(hugeTable);
    EXPECT_THROW(b.ReadStringTable(), CArchiveException);
    const Bytes threeDwords = {0x03, 0x00, 1, 0, 0, 0, 2, 0, 0, 0};
    CArchive c(threeDwords);
    EXPECT_THROW(c.ReadDwordTable(), CArchiveException);
}

struct Item {
    std::uint32_t value = 0;
    void Serialize(CArchive& ar) { ar.Io(value); }
};

TEST(CArchiveTest, ObjectArrayUsesNewClassClassIndexAndNullTags) {
    std::vector<std::unique_ptr<Item>> items;
    items.push_back(std::make_unique<Item>(Item{7}));
    items.push_back(std::make_unique<Item>(Item{8}));
    items.push_back(nullptr);
    items.push_back(std::make_unique<Item>(Item{9}));
    const Bytes bytes = Stored([&](CArchive& ar) { ar.ObjectArray(items, "CWinState", 1); });
    const Bytes expected = Concat({
        {0x04, 0x00},                          // count
        {0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00},  // new class, schema, name length
        {'C', 'W', 'i', 'n', 'S', 't', 'a', 't', 'e', 7, 0, 0, 0},  // name, body
        {0x01, 0x80, 8, 0, 0, 0},                                   // class index 1
        {0x00, 0x00},                                               // null
        {0x01, 0x80, 9, 0, 0, 0},
    });
    EXPECT_EQ(bytes, expected);

    std::vector<std::unique_ptr<Item>> loaded;
    loaded.push_back(std::make_unique<Item>());  // cleared by the load
    CArchive in(bytes);
    in.ObjectArray(loaded, "CWinState", 1);
    ASSERT_EQ(loaded.size(), 4u);
    EXPECT_EQ(loaded[0]->value, 7u);
    EXPECT_EQ(loaded[1]->value, 8u);
    EXPECT_EQ(loaded[2], nullptr);
    EXPECT_EQ(loaded[3]->value, 9u);
}

TEST(CArchiveTest, ObjectArrayRefusesUnknownClassesAndReferences) {
    const Bytes cases[] = {
        // A class of another name.
        {0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x03, 0x00, 'C', 'X', 'y', 0, 0, 0, 0},
        // A class index never introduced.
        {0x01, 0x00, 0x05, 0x80, 0, 0, 0, 0},
        // An object reference (no class bit).
        {0x01, 0x00, 0x02, 0x00, 0, 0, 0, 0},
        // A zero-length class name.
        {0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00, 0, 0, 0, 0},
    };
    for (const auto& bytes : cases) {
        std::vector<std::unique_ptr<Item>> loaded;
        CArchive in(bytes);
        EXPECT_THROW(in.ObjectArray(loaded, "CWinState", 1), CArchiveException);
    }
}

}  // namespace
}  // namespace nl

namespace nl {
namespace {

// Every element introduces the class again; the last one names a class by its number (each
// class tag and each object take one number, so the classes are 1, 3, 5, ...).
TEST(CArchiveTest, ObjectArrayFindsEveryClassByItsNumber) {
    constexpr std::uint16_t kClasses = 300;
    const Bytes newClass = {0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00, 'C', 'I',
                            't',  'e',  'm',  0,    0,    0,    0};
    auto arrayOf = [&](std::uint16_t reference) {
        Bytes bytes = {static_cast<std::uint8_t>(kClasses + 1),
                       static_cast<std::uint8_t>((kClasses + 1) >> 8)};
        for (int i = 0; i < kClasses; ++i)
            bytes.insert(bytes.end(), newClass.begin(), newClass.end());
        const std::uint16_t tag = 0x8000 | reference;
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(tag),
                                   static_cast<std::uint8_t>(tag >> 8), 0, 0, 0, 0});
        return bytes;
    };
    struct Case {
        std::uint16_t reference;
        bool known;
    };
    const Case cases[] = {
        {1, true},  {3, true},  {151 * 2 + 1, true}, {(kClasses - 1) * 2 + 1, true},
        {0, false}, {2, false}, {4, false},          {kClasses * 2 + 1, false},
    };
    for (const auto& c : cases) {
        std::vector<std::unique_ptr<Item>> loaded;
        const Bytes bytes = arrayOf(c.reference);
        CArchive in(bytes);
        if (c.known) {
            in.ObjectArray(loaded, "CItem", 1);
            EXPECT_EQ(loaded.size(), kClasses + 1u) << c.reference;
        } else {
            EXPECT_THROW(in.ObjectArray(loaded, "CItem", 1), CArchiveException) << c.reference;
        }
    }
}

TEST(CArchiveTest, LimitsRefuseWhatFitsButIsTooLong) {
    const Bytes threeStrings = {0x03, 0x00, 0x01, 'a', 0x02, 'b', 'c', 0x00};
    struct Case {
        const char* what;
        std::function<void(CArchive&)> read;
        bool refused;
    };
    const Case cases[] = {
        {"three strings of at most three", [](CArchive& ar) { ar.ReadStringTable(3, 2); }, false},
        {"three strings of at most two", [](CArchive& ar) { ar.ReadStringTable(2, 2); }, true},
        {"a string longer than one", [](CArchive& ar) { ar.ReadStringTable(3, 1); }, true},
        {"a count of three of at most two", [](CArchive& ar) { ar.ReadCount(1, 2); }, true},
        {"skipped whatever their length", [](CArchive& ar) { ar.SkipStringTable(); }, false},
    };
    for (const auto& c : cases) {
        CArchive in(threeStrings);
        if (c.refused) {
            try {
                c.read(in);
                ADD_FAILURE() << c.what;
            } catch (const CArchiveException& e) {
                EXPECT_EQ(e.GetCause(), CArchiveException::Cause::kBadFormat) << c.what;
            }
        } else {
            c.read(in);
        }
    }
    CArchive skipped(threeStrings);
    skipped.SkipStringTable();
    EXPECT_EQ(skipped.Remaining(), 0u);
}

}  // namespace
}  // namespace nl
