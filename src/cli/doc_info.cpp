#include "cli/doc_info.h"

#include <array>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "document/CDocApp.h"

namespace nl::cli {
namespace {

using Json = nlohmann::ordered_json;

std::string HashColor(COLORREF color) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "#%02X%02X%02X", RgbRed(color), RgbGreen(color),
                  RgbBlue(color));
    return text.data();
}

Json ColorJson(COLORREF color) {
    return color == kNoColor ? Json() : Json(HashColor(color));
}

// ISO 8601 in UTC with milliseconds when there are any; null when the value is no date.
Json DateJson(const COleDateTime& date) {
    CivilTime c;
    if (!COleDateTime(date.Date()).ToCivil(c)) return Json();
    std::array<char, 40> text{};
    const int n = std::snprintf(text.data(), text.size(), "%04d-%02d-%02dT%02d:%02d:%02d", c.year,
                                c.month, c.day, c.hour, c.minute, c.second);
    std::string iso(text.data(), static_cast<std::size_t>(n));
    if (c.millisecond != 0) {
        std::snprintf(text.data(), text.size(), ".%03d", c.millisecond);
        iso += text.data();
    }
    return iso + "Z";
}

const char* StatusName(const COleDateTime& date) {
    return date.IsValid() ? "valid" : "invalid";
}

Json PointJson(Point p) {
    return Json{{"x", p.x}, {"y", p.y}};
}

Json ShapeJson(MeaShape shape) {
    switch (shape) {
        case MeaShape::kNone:
            return "none";
        case MeaShape::kLine:
            return "line";
        case MeaShape::kRectangle:
            return "rectangle";
        case MeaShape::kEllipse:
            return "ellipse";
        case MeaShape::kPath:
            return "path";
    }
    return static_cast<std::int32_t>(shape);  // a kind this program does not know
}

}  // namespace

std::string DocumentInfoJson(const CDocApp& doc) {
    const CColorPicker& colors = doc.Colors();

    Json info;
    info["revision"] = colors.Revision();
    info["export_texts"] = Json::array();
    for (const std::string& text : colors.GetExportTexts()) info["export_texts"].push_back(text);
    info["colors"] = Json::array();
    for (int i = 0; i < colors.GetCount(); ++i) {
        const CColPick& record = colors.GetAt(i);
        info["colors"].push_back(Json{
            {"index", i + 1},
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
        });
    }
    const CWndCapMeaData& measurement = doc.Measurement();
    Json points = Json::array();
    for (const Point& p : measurement.Points()) points.push_back(PointJson(p));
    info["measurement"] = Json{
        {"shape", ShapeJson(measurement.Shape())},
        {"when", DateJson(measurement.When())},
        {"when_status", StatusName(measurement.When())},
        {"origin", PointJson(measurement.Origin())},
        {"first", PointJson(measurement.First())},
        {"last", PointJson(measurement.Last())},
        {"points", points},
    };
    // Texts from a file are valid UTF-8 already; a damaged one must not stop the report.
    return info.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace nl::cli
