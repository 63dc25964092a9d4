#include "document/measurements_json.h"

#include <array>
#include <cstdio>
#include <limits>
#include <nlohmann/json.hpp>

#include "base/CArchiveException.h"
#include "model/CUnitXY.h"

namespace nl {
namespace {

using Json = nlohmann::ordered_json;

constexpr int kIndent = 2;
constexpr MeaShape kShapes[] = {MeaShape::kNone, MeaShape::kLine, MeaShape::kRectangle,
                                MeaShape::kEllipse, MeaShape::kPath};

Json PointJson(Point p) {
    return Json{{"x", p.x}, {"y", p.y}};
}

[[noreturn]] void BadFormat(const std::string& path) {
    throw CArchiveException(CArchiveException::Cause::kBadFormat, path);
}

int IntOf(const Json& value, const std::string& path) {
    if (!value.is_number_integer()) BadFormat(path);
    const auto v = value.get<std::int64_t>();
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) BadFormat(path);
    return static_cast<int>(v);
}

Point PointOf(const Json& object, const char* key, const std::string& path) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_object()) BadFormat(path);
    return {IntOf(found->value("x", Json()), path), IntOf(found->value("y", Json()), path)};
}

Json Figures(const CWndCapMeaData& measurement, const CUnitXY& unit, const NumberFormat& regional) {
    Json figures = Json::object();
    const std::vector<std::string> rows = measurement.BuildRows(unit, regional);
    for (std::size_t i = 0; i + 1 < rows.size(); i += 2) figures[rows[i]] = rows[i + 1];
    return figures;
}

}  // namespace

std::string IsoDateText(const COleDateTime& date) {
    CivilTime c;
    if (!COleDateTime(date.Date()).ToCivil(c)) return {};
    std::array<char, 48> text{};
    int n = std::snprintf(text.data(), text.size(), "%04d-%02d-%02dT%02d:%02d:%02d", c.year,
                          c.month, c.day, c.hour, c.minute, c.second);
    if (c.millisecond != 0)
        n += std::snprintf(text.data() + n, text.size() - static_cast<std::size_t>(n), ".%03d",
                           c.millisecond);
    return std::string(text.data(), static_cast<std::size_t>(n)) + "Z";
}

std::optional<COleDateTime> ParseIsoDate(std::string_view text) {
    CivilTime c;
    int millisecond = 0;
    int used = 0;
    const std::string s(text);
    if (std::sscanf(s.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%n", &c.year, &c.month, &c.day, &c.hour,
                    &c.minute, &c.second, &used) != 6 ||
        used != 19)
        return std::nullopt;
    std::string_view rest = text.substr(19);
    if (rest.size() == 5 && rest[0] == '.') {
        int digits = 0;
        if (std::sscanf(s.c_str() + 20, "%3d%n", &millisecond, &digits) != 1 || digits != 3)
            return std::nullopt;
        rest = rest.substr(4);
    }
    if (rest != "Z" || c.month < 1 || c.month > 12 || c.day < 1 || c.day > 31 || c.hour > 23 ||
        c.minute > 59 || c.second > 59 || c.hour < 0 || c.minute < 0 || c.second < 0)
        return std::nullopt;
    c.millisecond = millisecond;
    const COleDateTime date = COleDateTime::FromCivil(c);
    if (!date.IsValid()) return std::nullopt;
    // A day the month does not have comes back as another day.
    CivilTime back;
    if (!date.ToCivil(back) || back.day != c.day || back.month != c.month) return std::nullopt;
    return date;
}

std::string_view MeaShapeName(MeaShape shape) {
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
    return {};
}

std::string AnnotationJsonPath(const std::string& imagePath) {
    const std::size_t slash = imagePath.find_last_of('/');
    const std::size_t dot = imagePath.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (hasExtension ? imagePath.substr(0, dot) : imagePath) + ".json";
}

std::string MeasurementsJson(std::span<const CWndCapMeaData* const> measurements,
                             const CUnitXY* unit, const NumberFormat& regional,
                             const std::optional<MeasuredImage>& image) {
    Json out = Json::object();
    if (unit) out["unit"] = unit->Abbreviation();
    if (image) {
        out["image"] = {{"file", image->file},
                        {"left", image->area.left},
                        {"top", image->area.top},
                        {"width", image->area.Width()},
                        {"height", image->area.Height()}};
    }
    Json list = Json::array();
    for (const CWndCapMeaData* m : measurements) {
        Json entry{{"shape", MeaShapeName(m->Shape())}};
        const std::string when = IsoDateText(m->When());
        entry["when"] = when.empty() ? Json() : Json(when);
        entry["origin"] = PointJson(m->Origin());
        entry["first"] = PointJson(m->First());
        entry["last"] = PointJson(m->Last());
        Json points = Json::array();
        for (const Point& p : m->Points()) points.push_back(PointJson(p));
        entry["points"] = std::move(points);
        if (unit) {
            entry["primary"] = m->PrimaryFigure(*unit, regional);
            entry["figures"] = Figures(*m, *unit, regional);
        }
        list.push_back(std::move(entry));
    }
    out["measurements"] = std::move(list);
    return out.dump(kIndent, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::vector<CWndCapMeaData> ReadMeasurementsJson(std::string_view text, const std::string& path) {
    const Json root = Json::parse(text, nullptr, false);
    if (root.is_discarded() || !root.is_object()) BadFormat(path);
    const auto list = root.find("measurements");
    if (list == root.end() || !list->is_array()) BadFormat(path);
    std::vector<CWndCapMeaData> read;
    for (const Json& entry : *list) {
        if (!entry.is_object()) BadFormat(path);
        const Json shapeName = entry.value("shape", Json());
        if (!shapeName.is_string()) BadFormat(path);
        std::optional<MeaShape> shape;
        for (const MeaShape s : kShapes)
            if (MeaShapeName(s) == shapeName.get<std::string>()) shape = s;
        if (!shape || *shape == MeaShape::kNone) BadFormat(path);
        COleDateTime when;
        if (const Json w = entry.value("when", Json()); !w.is_null()) {
            const std::optional<COleDateTime> date =
                w.is_string() ? ParseIsoDate(w.get<std::string>()) : std::nullopt;
            if (!date) BadFormat(path);
            when = *date;
        }
        std::vector<Point> points;
        if (const auto found = entry.find("points"); found != entry.end()) {
            if (!found->is_array()) BadFormat(path);
            for (const Json& p : *found) {
                if (!p.is_object()) BadFormat(path);
                points.push_back(
                    {IntOf(p.value("x", Json()), path), IntOf(p.value("y", Json()), path)});
            }
        }
        std::optional<CWndCapMeaData> m = CWndCapMeaData::FromParts(
            *shape, PointOf(entry, "origin", path), PointOf(entry, "first", path),
            PointOf(entry, "last", path), std::move(points), when);
        if (!m) BadFormat(path);
        read.push_back(std::move(*m));
    }
    return read;
}

}  // namespace nl
