#include "document/CWndCapMeaData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/CArchive.h"
#include "base/CArchiveException.h"
#include "document/document_test_support.h"
#include "model/CUnitsXY.h"

namespace nl {
namespace {

using Rows = std::vector<std::string>;
using std::chrono::sys_days;

using FixedClock = testing_support::TestClock;

// A regional format with a comma as decimal symbol and periods grouping by threes.
NumberFormat CommaLocale() {
    NumberFormat f;
    f.decimalSep = ",";
    f.thousandSep = ".";
    f.grouping = DigitGrouping::FromString("3;0");
    return f;
}

class MeasurementTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_units.LoadUnits(DisplayMetrics{}, &m_regional));
        ASSERT_EQ(m_units.GetSize(), 7);
    }

    const CUnitXY& Unit(int id) const { return m_units.GetAt(id); }
    const CUnitXY& Pixels() const { return Unit(CUnitXY::kPixel); }

    // Completes a gesture into a fresh record; fails the test when it is dropped.
    CWndCapMeaData Measure(MeaShape shape, Point first, Point last,
                           MeaFromCenter fromCenter = MeaFromCenter::kNo,
                           std::vector<Point> points = {}) {
        MeaGesture g;
        g.shape = shape;
        g.fromCenter = fromCenter;
        g.origin = first;
        g.first = first;
        g.last = last;
        g.points = std::move(points);
        CWndCapMeaData data;
        EXPECT_TRUE(data.CompleteGesture(g, m_clock));
        return data;
    }
    CWndCapMeaData MeasurePath(std::vector<Point> points) {
        return Measure(MeaShape::kPath, points.front(), points.back(), MeaFromCenter::kNo, points);
    }

    Rows RowsOf(const CWndCapMeaData& data, const CUnitXY& unit) const {
        return data.BuildRows(unit, m_regional);
    }

    NumberFormat m_regional = NumberFormat::Neutral();
    CUnitsXY m_units;
    FixedClock m_clock;
};

TEST_F(MeasurementTest, ConcentricRectangleMirrorsTheFirstCorner) {
    const CWndCapMeaData data =
        Measure(MeaShape::kRectangle, {100, 100}, {130, 120}, MeaFromCenter::kYes);
    EXPECT_EQ(data.Shape(), MeaShape::kRectangle);
    EXPECT_EQ(data.Origin(), (Point{100, 100}));
    EXPECT_EQ(data.First(), (Point{70, 80}));
    EXPECT_EQ(data.Last(), (Point{130, 120}));
    EXPECT_EQ(RowsOf(data, Pixels()), (Rows{"Rectangle", "70 , 80 - 130 , 120", "Size", "60 x 40",
                                            "Surface", "2400.00", "Perimeter", "200.00"}));
    EXPECT_EQ(data.PrimaryFigure(Pixels(), m_regional), "200.00");
}

TEST_F(MeasurementTest, ConcentricEllipseMirrorsButLineKeepsItsStart) {
    const CWndCapMeaData ellipse =
        Measure(MeaShape::kEllipse, {10, 10}, {4, 30}, MeaFromCenter::kYes);
    EXPECT_EQ(ellipse.First(), (Point{16, -10}));
    EXPECT_EQ(ellipse.Origin(), (Point{10, 10}));

    MeaGesture line;
    line.shape = MeaShape::kLine;
    line.fromCenter = MeaFromCenter::kYes;
    line.origin = {10, 10};
    line.first = {1, 2};
    line.last = {4, 30};
    CWndCapMeaData data;
    ASSERT_TRUE(data.CompleteGesture(line, m_clock));
    EXPECT_EQ(data.First(), (Point{1, 2}));
}

TEST_F(MeasurementTest, MirrorAtTheCoordinateLimitsSaturates) {
    const CWndCapMeaData data = Measure(MeaShape::kRectangle, {INT32_MAX - 1, INT32_MIN + 1},
                                        {INT32_MIN, INT32_MAX}, MeaFromCenter::kYes);
    EXPECT_EQ(data.First(), (Point{INT32_MAX, INT32_MIN}));
}

TEST_F(MeasurementTest, PlainClicksAreDroppedAndKeepThePreviousRecord) {
    struct Case {
        MeaShape shape;
        MeaFromCenter fromCenter;
        Point first, last;
        std::vector<Point> points;
        bool stored;
    };
    const Case cases[] = {
        {MeaShape::kLine, MeaFromCenter::kNo, {5, 5}, {5, 5}, {}, false},
        {MeaShape::kLine, MeaFromCenter::kNo, {5, 5}, {6, 5}, {}, true},  // 2 x 1 pixels
        {MeaShape::kRectangle, MeaFromCenter::kNo, {5, 5}, {5, 4}, {}, true},
        {MeaShape::kRectangle, MeaFromCenter::kYes, {5, 5}, {5, 5}, {}, false},
        {MeaShape::kEllipse, MeaFromCenter::kYes, {5, 5}, {6, 5}, {}, true},  // 3 x 1
        // A path's extent is its vertices' box without the extra pixel.
        {MeaShape::kPath, MeaFromCenter::kNo, {5, 5}, {6, 6}, {{5, 5}, {6, 6}}, false},
        {MeaShape::kPath, MeaFromCenter::kNo, {5, 5}, {7, 5}, {{5, 5}, {7, 5}}, true},
        {MeaShape::kPath, MeaFromCenter::kNo, {5, 5}, {90, 90}, {{5, 5}}, false},
        {MeaShape::kPath, MeaFromCenter::kNo, {5, 5}, {90, 90}, {}, false},
        {MeaShape::kNone, MeaFromCenter::kNo, {0, 0}, {90, 90}, {}, false},
        {static_cast<MeaShape>(9), MeaFromCenter::kNo, {0, 0}, {90, 90}, {}, false},
    };
    const CWndCapMeaData before = Measure(MeaShape::kLine, {1, 1}, {50, 50});
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(&c - cases));
        CWndCapMeaData data = before;
        MeaGesture g{c.shape, c.fromCenter, c.first, c.first, c.last, c.points};
        EXPECT_EQ(data.CompleteGesture(g, m_clock), c.stored);
        EXPECT_EQ(data.Shape(), c.stored ? c.shape : before.Shape());
        if (!c.stored) {
            EXPECT_EQ(data, before);
        }
    }
}

TEST_F(MeasurementTest, CompletionStampsTheClockTime) {
    const CWndCapMeaData data = Measure(MeaShape::kLine, {0, 0}, {10, 0});
    EXPECT_EQ(data.When(), COleDateTime::FromTimePoint(m_clock.UtcNow()));
    EXPECT_TRUE(data.When().IsValid());
    CivilTime civil;
    ASSERT_TRUE(data.When().ToCivil(civil));
    EXPECT_EQ(civil.year, 2024);
    EXPECT_EQ(civil.hour, 14);
    EXPECT_EQ(civil.second, 9);
}

TEST_F(MeasurementTest, VerticalAndDiagonalLines) {
    const CWndCapMeaData down = Measure(MeaShape::kLine, {10, 10}, {10, 50});
    EXPECT_EQ(RowsOf(down, Pixels()),
              (Rows{"Line", "10 , 10 - 10 , 50", "Bounding box size", "0 x 40", "Slope", "infinity",
                    "Angle", "90.00\xC2\xB0", "Length", "40.00"}));
    const CWndCapMeaData up = Measure(MeaShape::kLine, {10, 50}, {10, 10});
    EXPECT_EQ(RowsOf(up, Pixels())[7], "-90.00\xC2\xB0");
    EXPECT_EQ(RowsOf(up, Pixels())[5], "infinity");

    // Up and to the right: a negative angle in screen orientation.
    const CWndCapMeaData diagonal = Measure(MeaShape::kLine, {0, 30}, {40, 0});
    EXPECT_EQ(RowsOf(diagonal, Pixels()),
              (Rows{"Line", "0 , 30 - 40 , 0", "Bounding box size", "40 x -30", "Slope", "-0.75",
                    "Angle", "-36.87\xC2\xB0", "Length", "50.00"}));
    EXPECT_EQ(diagonal.PrimaryFigure(Pixels(), m_regional), "50.00");
}

TEST_F(MeasurementTest, RectangleDraggedBackwardsHasNegativeSizeButPositiveFigures) {
    const CWndCapMeaData data = Measure(MeaShape::kRectangle, {110, 70}, {10, 20});
    EXPECT_EQ(RowsOf(data, Pixels()), (Rows{"Rectangle", "110 , 70 - 10 , 20", "Size", "-100 x -50",
                                            "Surface", "5000.00", "Perimeter", "300.00"}));
}

TEST_F(MeasurementTest, EllipseDraggedUpAndRight) {
    const CWndCapMeaData data = Measure(MeaShape::kEllipse, {0, 100}, {100, 0});
    EXPECT_EQ(RowsOf(data, Pixels()),
              (Rows{"Bounding Box", "0 , 100 - 100 , 0", "Diameters", "100 x -100", "Surface",
                    "7853.98", "Circumference", "314.16"}));
    EXPECT_EQ(data.PrimaryFigure(Pixels(), m_regional), "314.16");
}

TEST_F(MeasurementTest, PathWithNegativeVertices) {
    const CWndCapMeaData data = MeasurePath({{-50, 10}, {-20, 30}, {-40, 5}});
    EXPECT_EQ(RowsOf(data, Pixels()),
              (Rows{"Bounding box", "-50 , 5 - -20 , 30", "Bounding box size", "30 x 25", "Points",
                    "3", "First & last points", "-50 , 10 - -40 , 5", "Perimeter", "68.07"}));
    EXPECT_EQ(data.PrimaryFigure(Pixels(), m_regional), "68.07");
}

TEST_F(MeasurementTest, EveryUnitConvertsTheFiguresButNotThePointCount) {
    struct Case {
        int unit;
        Rows line;         // a 96-pixel horizontal line
        std::string rect;  // "Surface" of a 96 x 48 rectangle
        std::string points;
    };
    const Case cases[] = {
        {CUnitXY::kPixel, {"Line", "0 , 0 - 96 , 0", "Length", "96.00"}, "4608.00", "1.234"},
        {CUnitXY::kPica, {"Line", "0 , 0 - 6 , 0", "Length", "6.00"}, "18.00", "1.234"},
        {CUnitXY::kPoint, {"Line", "0 , 0 - 72 , 0", "Length", "72.00"}, "2592.00", "1.234"},
        {CUnitXY::kTwip, {"Line", "0 , 0 - 1440 , 0", "Length", "1440.00"}, "1036800.00", "1.234"},
        {CUnitXY::kCentimeter, {"Line", "0 , 0 - 2.54 , 0", "Length", "2.54"}, "3.23", "1.234"},
        {CUnitXY::kInch, {"Line", "0 , 0 - 1 , 0", "Length", "1.00"}, "0.50", "1.234"},
    };
    const NumberFormat grouped = CommaLocale();
    const NumberFormat& period = m_regional;
    const CWndCapMeaData line = Measure(MeaShape::kLine, {0, 0}, {96, 0});
    const CWndCapMeaData rect = Measure(MeaShape::kRectangle, {0, 0}, {96, 48});
    std::vector<Point> vertices;
    for (int i = 0; i < 1234; ++i) vertices.push_back({i, i % 7});
    const CWndCapMeaData path = MeasurePath(vertices);
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.unit));
        const Rows lineRows = line.BuildRows(Unit(c.unit), period);
        ASSERT_EQ(lineRows.size(), 10u);
        EXPECT_EQ((Rows{lineRows[0], lineRows[1], lineRows[8], lineRows[9]}), c.line);
        EXPECT_EQ(rect.BuildRows(Unit(c.unit), period)[5], c.rect);
        // The count uses the locale's grouping and no decimals, whatever the unit.
        EXPECT_EQ(path.BuildRows(Unit(c.unit), grouped)[5], c.points);
    }
}

TEST_F(MeasurementTest, CommaDecimalLocaleFormatsEveryFigure) {
    const NumberFormat comma = CommaLocale();
    m_units.SetRegionalFormat(&comma);
    const CWndCapMeaData rect =
        Measure(MeaShape::kRectangle, {100, 100}, {1300, 1120}, MeaFromCenter::kYes);
    EXPECT_EQ(rect.BuildRows(Pixels(), comma),
              (Rows{"Rectangle", "-1.100 , -920 - 1.300 , 1.120", "Size", "2.400 x 2.040",
                    "Surface", "4.896.000,00", "Perimeter", "8.880,00"}));
    EXPECT_EQ(rect.PrimaryFigure(Pixels(), comma), "8.880,00");

    const CWndCapMeaData line = Measure(MeaShape::kLine, {0, 30}, {40, 0});
    const Rows cm = line.BuildRows(Unit(CUnitXY::kCentimeter), comma);
    EXPECT_EQ(cm, (Rows{"Line", "0 , 0,79 - 1,06 , 0", "Bounding box size", "1,06 x -0,79", "Slope",
                        "-0,75", "Angle", "-36,87\xC2\xB0", "Length", "1,32"}));
    EXPECT_EQ(line.RowsAsText(Unit(CUnitXY::kCentimeter), comma),
              "Line\t0 , 0,79 - 1,06 , 0\r\nBounding box size\t1,06 x -0,79\r\nSlope\t-0,75\r\n"
              "Angle\t-36,87\xC2\xB0\r\nLength\t1,32\r\n");
}

TEST_F(MeasurementTest, LocaleNumberUsesTheFormatsOwnDecimalsAndFallsBackToNeutralText) {
    NumberFormat none = NumberFormat::Neutral();
    none.numDigits = 0;
    NumberFormat three = CommaLocale();
    three.numDigits = 3;
    three.negativeOrder = NumberFormat::kNegParentheses;
    struct Case {
        const NumberFormat* format;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {&none, 2400.0, "2400"},
        {&none, 2.5, "3"},
        {&three, -1234.56789, "(1.234,568)"},
        {&three, 0.0004, "0,000"},
        // A locale text of 64 characters or more gives way to the neutral one.
        {&none, 1e70,
         "10000000000000000725314363815292351261583744096465219555182101554790400.000000"},
        {&none, 1e62, "100000000000000003502199685943161173046080317798311825604870144"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FormatLocaleNumber(*c.format, c.value), c.expected);
    }
}

TEST_F(MeasurementTest, PathWithOneVertexHasNoFirstAndLastRow) {
    CWndCapMeaData data;
    CArchive out;
    CWndCapMeaData source = MeasurePath({{3, 4}, {30, 40}});
    source.Serialize(out);
    std::vector<std::uint8_t> bytes = out.TakeBytes();
    // Cut the stored array down to its first vertex.
    bytes[bytes.size() - 18] = 1;
    bytes.resize(bytes.size() - 8);
    CArchive in(bytes);
    data.Serialize(in);
    ASSERT_EQ(data.Points().size(), 1u);
    EXPECT_EQ(RowsOf(data, Pixels()), (Rows{"Bounding box", "3 , 4 - 3 , 4", "Bounding box size",
                                            "0 x 0", "Points", "1", "Perimeter", "0.00"}));
}

TEST_F(MeasurementTest, EmptyAndUnknownRecordsHaveNoRowsOrFigure) {
    CWndCapMeaData data = Measure(MeaShape::kLine, {0, 0}, {10, 10});
    data.Clear();
    EXPECT_EQ(data, CWndCapMeaData());
    EXPECT_TRUE(data.IsEmpty());
    EXPECT_TRUE(RowsOf(data, Pixels()).empty());
    EXPECT_EQ(data.PrimaryFigure(Pixels(), m_regional), "");
    EXPECT_EQ(data.RowsAsText(Pixels(), m_regional), "");
    EXPECT_EQ(data.When(), COleDateTime(0.0, COleDateTime::kValid));
}

// The record's bytes written out from the file layout.
std::vector<std::uint8_t> RecordBytes(std::uint32_t version, std::vector<std::uint8_t> status,
                                      std::vector<std::uint8_t> date, std::uint8_t shape,
                                      std::vector<std::uint8_t> pointsAndCount) {
    std::vector<std::uint8_t> b = {'c', 'a', 'p', '1'};
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(version >> (8 * i)));
    b.insert(b.end(), 12, 0);  // three reserved words
    b.insert(b.end(), status.begin(), status.end());
    b.insert(b.end(), date.begin(), date.end());
    b.insert(b.end(), {shape, 0, 0, 0});
    b.insert(b.end(), {100, 0, 0, 0, 100, 0, 0, 0});  // origin (100, 100)
    b.insert(b.end(), {70, 0, 0, 0, 80, 0, 0, 0});    // first (70, 80)
    b.insert(b.end(), {130, 0, 0, 0, 120, 0, 0, 0});  // last (130, 120)
    b.insert(b.end(), 32, 0);                         // four reserved 8-byte values
    for (int i = 0; i < 4; ++i) b.insert(b.end(), {0xFF, 0xFE, 0xFF, 0x00});  // empty strings
    b.insert(b.end(), pointsAndCount.begin(), pointsAndCount.end());
    return b;
}

const std::vector<std::uint8_t> kDate45000_5 = {0, 0, 0, 0, 0x10, 0xF9, 0xE5, 0x40};

TEST(MeasurementFile, WritesTheTabledBytes) {
    FixedClock clock;
    clock.Set(sys_days{std::chrono::year{2023} / 3 / 15} + std::chrono::hours{12});
    MeaGesture g{MeaShape::kRectangle, MeaFromCenter::kYes, {100, 100}, {0, 0}, {130, 120}, {}};
    CWndCapMeaData data;
    ASSERT_TRUE(data.CompleteGesture(g, clock));
    ASSERT_EQ(data.When().Date(), 45000.5);
    CArchive out;
    data.Serialize(out);
    EXPECT_EQ(out.Bytes(), RecordBytes(0x00010000, {0, 0, 0, 0}, kDate45000_5, 2, {0, 0}));

    g = {MeaShape::kPath, MeaFromCenter::kNo, {100, 100},
         {70, 80},        {130, 120},         {{-1, 2}, {300, 0x01020304}}};
    ASSERT_TRUE(data.CompleteGesture(g, clock));
    CArchive path;
    data.Serialize(path);
    EXPECT_EQ(path.Bytes(),
              RecordBytes(0x00010000, {0, 0, 0, 0}, kDate45000_5, 4,
                          {2, 0, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 0x2C, 1, 0, 0, 4, 3, 2, 1}));
}

TEST(MeasurementFile, ClearedRecordWritesZerosAndAnEmptyArray) {
    CArchive out;
    CWndCapMeaData().Serialize(out);
    std::vector<std::uint8_t> expected =
        RecordBytes(0x00010000, {0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}, 0, {0, 0});
    // Zero points instead of the sample ones.
    std::fill(expected.begin() + 36, expected.begin() + 60, 0);
    EXPECT_EQ(out.Bytes(), expected);
    EXPECT_EQ(out.Bytes().size(), 110u);
}

TEST(MeasurementFile, ReadsBackEqualFieldByField) {
    CWndCapMeaData source;
    FixedClock clock;
    MeaGesture g{MeaShape::kPath, MeaFromCenter::kNo, {1, 2}, {1, 2}, {7, 9}, {}};
    for (int i = 0; i < 70000; ++i) g.points.push_back({i, -i});  // a 32-bit count
    ASSERT_TRUE(source.CompleteGesture(g, clock));
    CArchive out;
    source.Serialize(out);
    const std::vector<std::uint8_t> bytes = out.TakeBytes();
    CWndCapMeaData read;
    CArchive in(bytes);
    read.Serialize(in);
    EXPECT_EQ(read, source);
    EXPECT_EQ(in.Remaining(), 0u);

    // An invalid time keeps its status through the file.
    const auto invalid = RecordBytes(0x00010000, {1, 0, 0, 0}, kDate45000_5, 3, {0, 0});
    CArchive in2(invalid);
    read.Serialize(in2);
    EXPECT_EQ(read.When(), COleDateTime(45000.5, COleDateTime::kInvalid));
    EXPECT_EQ(read.Shape(), MeaShape::kEllipse);
    EXPECT_EQ(read.First(), (Point{70, 80}));
    EXPECT_TRUE(read.Points().empty());
}

TEST(MeasurementFile, BadOrShortInputFailsAndLeavesTheRecord) {
    FixedClock clock;
    CWndCapMeaData before;
    ASSERT_TRUE(before.CompleteGesture(
        {MeaShape::kLine, MeaFromCenter::kNo, {1, 1}, {1, 1}, {9, 9}, {}}, clock));
    const auto good =
        RecordBytes(0x00010000, {0, 0, 0, 0}, kDate45000_5, 1, {1, 0, 5, 0, 0, 0, 6, 0, 0, 0});
    auto badMagic = good;
    badMagic[3] = '2';
    const auto newer = RecordBytes(0x00010001, {0, 0, 0, 0}, kDate45000_5, 1, {0, 0});
    const auto older = RecordBytes(0x00000001, {0, 0, 0, 0}, kDate45000_5, 1, {0, 0});
    auto manyPoints = good;
    manyPoints[manyPoints.size() - 10] = 2;  // two points announced, one present

    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::optional<CArchiveException::Cause> cause;
    };
    std::vector<Case> cases = {
        {"bad magic", badMagic, CArchiveException::Cause::kBadFormat},
        {"newer version", newer, CArchiveException::Cause::kBadFormat},
        {"older version", older, std::nullopt},
        {"too many points", manyPoints, CArchiveException::Cause::kEndOfFile},
    };
    // Every cut short of the whole record, including inside a point.
    for (std::size_t size : {0, 3, 20, 40, 50, 59, 91, 100, 109, 115}) {
        cases.push_back({"cut", std::vector<std::uint8_t>(good.begin(), good.begin() + size),
                         CArchiveException::Cause::kEndOfFile});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.bytes.size()));
        CWndCapMeaData data = before;
        CArchive in(c.bytes, "doc.nlz");
        if (!c.cause) {
            EXPECT_NO_THROW(data.Serialize(in));
            continue;
        }
        try {
            data.Serialize(in);
            ADD_FAILURE() << "no error";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetCause(), *c.cause);
        }
        EXPECT_EQ(data, before);
    }
}

}  // namespace
}  // namespace nl
