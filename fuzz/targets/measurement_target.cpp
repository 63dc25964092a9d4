// Loads a measurement record from arbitrary bytes; a record that loads must build its rows in
// every unit and read back equal after writing.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "base/CArchive.h"
#include "document/CWndCapMeaData.h"
#include "fuzz/targets/fuzz_targets.h"
#include "model/CUnitsXY.h"

namespace {

const nl::CUnitsXY& Units() {
    static const nl::CUnitsXY units = [] {
        nl::CUnitsXY table;
        table.LoadUnits(nl::DisplayMetrics{}, nullptr);
        return table;
    }();
    return units;
}

nl::NumberFormat GroupedComma() {
    nl::NumberFormat format;
    format.decimalSep = ",";
    format.thousandSep = ".";
    format.grouping = nl::DigitGrouping::FromString("3;0");
    format.numDigits = 3;
    return format;
}

}  // namespace

int nl::fuzz::Measurement(const std::uint8_t* data, std::size_t size) {
    nl::CWndCapMeaData record;
    nl::CArchive in(std::span<const std::uint8_t>(data, size), "fuzz.nlz");
    try {
        record.Serialize(in);
    } catch (const nl::CArchiveException&) {
        if (!(record == nl::CWndCapMeaData())) std::abort();  // a failed read changed the record
        return 0;
    }

    static const nl::NumberFormat comma = GroupedComma();
    for (const nl::CUnitXY& unit : Units()) {
        const auto rows = record.BuildRows(unit, comma);
        if (rows.size() % 2 != 0) std::abort();
        (void)record.PrimaryFigure(unit, nl::NumberFormat::Neutral());
        (void)record.RowsAsText(unit, comma);
    }

    nl::CArchive out;
    record.Serialize(out);
    const std::vector<std::uint8_t> bytes = out.TakeBytes();
    nl::CWndCapMeaData again;
    nl::CArchive back(bytes, "fuzz.nlz");
    again.Serialize(back);
    // Dates compare by value, and a stored not-a-number never equals itself.
    if (!(again.Shape() == record.Shape() && again.Points() == record.Points() &&
          again.First() == record.First() && again.Last() == record.Last() &&
          again.Origin() == record.Origin() && back.Remaining() == 0)) {
        std::abort();
    }
    return 0;
}
