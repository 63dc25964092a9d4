#include "document/CRulerData.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/CArchive.h"
#include "base/byte_builders.h"
#include "res/version.h"

namespace nl {
namespace {

using test::Bytes;
using test::Concat;
using test::Le32;

// Four zero u64 values and four empty strings.
const Bytes kReservedRun = Concat({Bytes(32, 0),
                                   {0xFF, 0xFE, 0xFF, 0x00},
                                   {0xFF, 0xFE, 0xFF, 0x00},
                                   {0xFF, 0xFE, 0xFF, 0x00},
                                   {0xFF, 0xFE, 0xFF, 0x00}});

Bytes Record(std::uint32_t version, std::int32_t scale, std::int32_t base = 2) {
    return Concat({{'N', 'C', 'r', 'u'},
                   Le32(version),
                   Le32(kProductVersion),
                   kReservedRun,
                   Le32(0x0C03),
                   Le32(0x1210),
                   Le32(static_cast<std::uint32_t>(base)),
                   Le32(static_cast<std::uint32_t>(scale)),
                   Le32(0),
                   kReservedRun});
}

CRulerData Sample() {
    CRulerData d;
    d.SetCaptionItems(0x0C03);
    d.SetOptions(0x1210);
    d.SetGraduationBase(CRulerData::kBaseBinary);
    d.SetScalingFactor(250);
    d.SetAutoPreview(false);
    return d;
}

Bytes Store(CRulerData& d) {
    CArchive ar("ruler.dat");
    d.Serialize(ar);
    return ar.TakeBytes();
}

TEST(CRulerDataTest, DefaultsArePixelHorizontalGuideDecimalTrueSize) {
    const CRulerData d;
    EXPECT_EQ(d.CaptionItems(), 0x203u);
    EXPECT_EQ(d.Options(), 0x4001u);
    EXPECT_EQ(d.Options() & CRulerData::kOptionUnitMask, CRulerData::kOptionUnitPixel);
    EXPECT_EQ(d.Options() & CRulerData::kOptionVertical, 0u);
    EXPECT_EQ(d.Options() & CRulerData::kOptionInverted, 0u);
    EXPECT_NE(d.Options() & CRulerData::kOptionGuide, 0u);
    EXPECT_EQ(d.GraduationBase(), 10);
    EXPECT_EQ(d.ScalingFactor(), 100);
    EXPECT_TRUE(d.AutoPreview());
}

TEST(CRulerDataTest, WritesAndReadsTheRecordByteForByte) {
    CRulerData sample = Sample();
    const Bytes expected = Record(0x00010000, 250);
    EXPECT_EQ(expected.size(), 128u);
    EXPECT_EQ(Store(sample), expected);

    CArchive in(expected, "ruler.dat");
    CRulerData loaded;
    loaded.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(loaded, sample);
    EXPECT_FALSE(loaded.AutoPreview());
}

TEST(CRulerDataTest, SkipsWhatIsReservedAndWritesItBackEmpty) {
    // An older program version, non-zero reserved numbers and a non-empty reserved string.
    Bytes odd = Record(0x00010000, 250);
    odd[8] = 0x07;    // program version
    odd[12] = 0x55;   // first reserved u64
    odd[100] = 0x66;  // a trailing reserved u64
    const Bytes text = {0xFF, 0xFE, 0xFF, 0x01, 'x', 0x00};
    odd.erase(odd.begin() + 44, odd.begin() + 48);
    odd.insert(odd.begin() + 44, text.begin(), text.end());

    CArchive in(odd);
    CRulerData loaded;
    loaded.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(loaded, Sample());
    EXPECT_EQ(Store(loaded), Record(0x00010000, 250));
}

TEST(CRulerDataTest, RefusesNewerFormatsAndForeignMagic) {
    Bytes foreign = Record(0x00010000, 250);
    foreign[3] = 'X';
    const Bytes cases[] = {Record(0x00010001, 250), Record(0x00020000, 250), foreign};
    for (const auto& bytes : cases) {
        CArchive in(bytes, "ruler.dat");
        CRulerData d;
        try {
            d.Serialize(in);
            ADD_FAILURE() << "accepted";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetCause(), CArchiveException::Cause::kBadFormat);
            EXPECT_EQ(e.Message(), "ruler.dat has a bad format.");
        }
        EXPECT_EQ(d, CRulerData());
    }
}

TEST(CRulerDataTest, TruncatedRecordsEndInEndOfFileAndChangeNothing) {
    const Bytes full = Record(0x00010000, 250);
    for (std::size_t size = 0; size < full.size(); ++size) {
        const Bytes part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        CArchive in(part);
        CRulerData d;
        try {
            d.Serialize(in);
            ADD_FAILURE() << "a record of " << size << " bytes was accepted";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetCause(), CArchiveException::Cause::kEndOfFile) << size;
        }
        EXPECT_EQ(d, CRulerData()) << size;
    }
}

TEST(CRulerDataTest, LoadedScalingFactorIsBroughtIntoRange) {
    struct Case {
        std::int32_t stored, expected;
    };
    const Case cases[] = {{0, 50},      {-5, 50},         {INT32_MIN, 50}, {49, 50},
                          {50, 50},     {100, 100},       {1000, 1000},    {1001, 1000},
                          {5000, 1000}, {INT32_MAX, 1000}};
    for (const auto& c : cases) {
        const Bytes bytes = Record(0x00010000, c.stored, 7);
        CArchive in(bytes);
        CRulerData d;
        d.Serialize(in);
        EXPECT_EQ(d.ScalingFactor(), c.expected) << c.stored;
        // Nothing else is mended: an odd graduation base stays as stored.
        EXPECT_EQ(d.GraduationBase(), 7) << c.stored;
        EXPECT_EQ(d.Options(), 0x1210u) << c.stored;

        CRulerData set;
        set.SetScalingFactor(c.stored);
        EXPECT_EQ(set.ScalingFactor(), c.expected) << c.stored;
    }
}

}  // namespace
}  // namespace nl
