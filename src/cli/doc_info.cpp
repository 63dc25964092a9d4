#include "cli/doc_info.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <utility>

#include "document/CDocApp.h"
#include "document/measurements_json.h"

namespace nl::cli {

void AddColorFields(nlohmann::ordered_json& object, COLORREF color) {
    const NearestCssName name = NearestCssColorName(color);
    object["hex"] = HashColor(color);
    object["rgb"] = {RgbRed(color), RgbGreen(color), RgbBlue(color)};
    object["name"] = std::string(name.name);
    object["name_exact"] = name.exact;
}

namespace {

using Json = nlohmann::ordered_json;

Json ColorJson(COLORREF color) {
    return color == kNoColor ? Json() : Json(HashColor(color));
}

// ISO 8601 in UTC with milliseconds when there are any; null when the value is no date.
Json DateJson(const COleDateTime& date) {
    const std::string iso = IsoDateText(date);
    return iso.empty() ? Json() : Json(iso);
}

const char* StatusName(const COleDateTime& date) {
    return date.IsValid() ? "valid" : "invalid";
}

Json PointJson(Point p) {
    return Json{{"x", p.x}, {"y", p.y}};
}

Json ShapeJson(MeaShape shape) {
    const std::string_view name = MeaShapeName(shape);
    // A kind this program does not know stays a number.
    return name.empty() ? Json(static_cast<std::int32_t>(shape)) : Json(std::string(name));
}

constexpr int kIndent = 2;

// `value` as indented JSON whose lines after the first are indented `depth` levels more, so
// that it can be written at that depth. Texts from a file are valid UTF-8 already; a damaged
// one must not stop the report.
std::string Nested(const Json& value, int depth) {
    const std::string text = value.dump(kIndent, ' ', false, Json::error_handler_t::replace);
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        out += c;
        if (c == '\n') out.append(static_cast<std::size_t>(depth * kIndent), ' ');
    }
    return out;
}

std::string Pad(int depth) {
    return std::string(static_cast<std::size_t>(depth * kIndent), ' ');
}

// Writes the array of `count` elements that `element` makes, one element at a time, at
// `depth`, in the layout of the indented dump.
template <class Element>
void StreamArray(std::ostream& out, int depth, std::size_t count, Element element) {
    if (count == 0) {
        out << "[]";
        return;
    }
    out << "[\n";
    for (std::size_t i = 0; i < count; ++i) {
        out << Pad(depth + 1) << Nested(element(i), depth + 1) << (i + 1 < count ? ",\n" : "\n");
    }
    out << Pad(depth) << ']';
}

// "key": opening a member at `depth`.
void Key(std::ostream& out, int depth, const char* key) {
    out << Pad(depth) << Json(key).dump() << ": ";
}

Json ColorRecordJson(const CColPick& record, int index) {
    Json out{
        {"index", index + 1},
        {"color", ColorJson(record.Color())},
        {"first_color", ColorJson(record.FirstColor())},
        {"version", record.Version()},
        {"created", DateJson(record.Created())},
        {"created_status", StatusName(record.Created())},
        {"modified", DateJson(record.Modified())},
        {"modified_status", StatusName(record.Modified())},
        {"position", PointJson(record.Position())},
        {"relative_position", PointJson(record.RelativePosition())},
        {"source_title", record.SourceTitle()},
        {"window_class", record.WindowClass()},
    };
    if (record.Color() != kNoColor) AddColorFields(out, record.Color());
    return out;
}

}  // namespace

void WriteDocumentInfoJson(const CDocApp& doc, std::ostream& out) {
    const CColorPicker& colors = doc.Colors();
    const auto& texts = colors.GetExportTexts();
    out << "{\n";
    Key(out, 1, "revision");
    out << colors.Revision() << ",\n";
    Key(out, 1, "export_texts");
    StreamArray(out, 1, texts.size(), [&](std::size_t i) { return Json(texts[i]); });
    out << ",\n";
    Key(out, 1, "colors");
    StreamArray(out, 1, colors.Colors().size(), [&](std::size_t i) {
        return ColorRecordJson(colors.Colors()[i], static_cast<int>(i));
    });
    out << ",\n";

    const CWndCapMeaData& measurement = doc.Measurement();
    const std::pair<const char*, Json> fields[] = {
        {"shape", ShapeJson(measurement.Shape())},
        {"when", DateJson(measurement.When())},
        {"when_status", StatusName(measurement.When())},
        {"origin", PointJson(measurement.Origin())},
        {"first", PointJson(measurement.First())},
        {"last", PointJson(measurement.Last())},
    };
    Key(out, 1, "measurement");
    out << "{\n";
    for (const auto& [key, value] : fields) {
        Key(out, 2, key);
        out << Nested(value, 2) << ",\n";
    }
    const std::vector<Point>& points = measurement.Points();
    Key(out, 2, "points");
    StreamArray(out, 2, points.size(), [&](std::size_t i) { return PointJson(points[i]); });
    out << '\n' << Pad(1) << "}\n}\n";
}

}  // namespace nl::cli
