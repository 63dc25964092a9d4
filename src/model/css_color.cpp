#include "model/css_color.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "base/text.h"
#include "model/color_spaces.h"

namespace nl {
namespace {

struct NamedColor {
    std::string_view name;
    std::uint32_t rgb;  // 0xRRGGBB
};

// The named colors of CSS Color 4, in alphabetical order.
constexpr NamedColor kNamedColors[] = {
    {"aliceblue", 0xF0F8FF},
    {"antiquewhite", 0xFAEBD7},
    {"aqua", 0x00FFFF},
    {"aquamarine", 0x7FFFD4},
    {"azure", 0xF0FFFF},
    {"beige", 0xF5F5DC},
    {"bisque", 0xFFE4C4},
    {"black", 0x000000},
    {"blanchedalmond", 0xFFEBCD},
    {"blue", 0x0000FF},
    {"blueviolet", 0x8A2BE2},
    {"brown", 0xA52A2A},
    {"burlywood", 0xDEB887},
    {"cadetblue", 0x5F9EA0},
    {"chartreuse", 0x7FFF00},
    {"chocolate", 0xD2691E},
    {"coral", 0xFF7F50},
    {"cornflowerblue", 0x6495ED},
    {"cornsilk", 0xFFF8DC},
    {"crimson", 0xDC143C},
    {"cyan", 0x00FFFF},
    {"darkblue", 0x00008B},
    {"darkcyan", 0x008B8B},
    {"darkgoldenrod", 0xB8860B},
    {"darkgray", 0xA9A9A9},
    {"darkgreen", 0x006400},
    {"darkgrey", 0xA9A9A9},
    {"darkkhaki", 0xBDB76B},
    {"darkmagenta", 0x8B008B},
    {"darkolivegreen", 0x556B2F},
    {"darkorange", 0xFF8C00},
    {"darkorchid", 0x9932CC},
    {"darkred", 0x8B0000},
    {"darksalmon", 0xE9967A},
    {"darkseagreen", 0x8FBC8F},
    {"darkslateblue", 0x483D8B},
    {"darkslategray", 0x2F4F4F},
    {"darkslategrey", 0x2F4F4F},
    {"darkturquoise", 0x00CED1},
    {"darkviolet", 0x9400D3},
    {"deeppink", 0xFF1493},
    {"deepskyblue", 0x00BFFF},
    {"dimgray", 0x696969},
    {"dimgrey", 0x696969},
    {"dodgerblue", 0x1E90FF},
    {"firebrick", 0xB22222},
    {"floralwhite", 0xFFFAF0},
    {"forestgreen", 0x228B22},
    {"fuchsia", 0xFF00FF},
    {"gainsboro", 0xDCDCDC},
    {"ghostwhite", 0xF8F8FF},
    {"gold", 0xFFD700},
    {"goldenrod", 0xDAA520},
    {"gray", 0x808080},
    {"green", 0x008000},
    {"greenyellow", 0xADFF2F},
    {"grey", 0x808080},
    {"honeydew", 0xF0FFF0},
    {"hotpink", 0xFF69B4},
    {"indianred", 0xCD5C5C},
    {"indigo", 0x4B0082},
    {"ivory", 0xFFFFF0},
    {"khaki", 0xF0E68C},
    {"lavender", 0xE6E6FA},
    {"lavenderblush", 0xFFF0F5},
    {"lawngreen", 0x7CFC00},
    {"lemonchiffon", 0xFFFACD},
    {"lightblue", 0xADD8E6},
    {"lightcoral", 0xF08080},
    {"lightcyan", 0xE0FFFF},
    {"lightgoldenrodyellow", 0xFAFAD2},
    {"lightgray", 0xD3D3D3},
    {"lightgreen", 0x90EE90},
    {"lightgrey", 0xD3D3D3},
    {"lightpink", 0xFFB6C1},
    {"lightsalmon", 0xFFA07A},
    {"lightseagreen", 0x20B2AA},
    {"lightskyblue", 0x87CEFA},
    {"lightslategray", 0x778899},
    {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xB0C4DE},
    {"lightyellow", 0xFFFFE0},
    {"lime", 0x00FF00},
    {"limegreen", 0x32CD32},
    {"linen", 0xFAF0E6},
    {"magenta", 0xFF00FF},
    {"maroon", 0x800000},
    {"mediumaquamarine", 0x66CDAA},
    {"mediumblue", 0x0000CD},
    {"mediumorchid", 0xBA55D3},
    {"mediumpurple", 0x9370DB},
    {"mediumseagreen", 0x3CB371},
    {"mediumslateblue", 0x7B68EE},
    {"mediumspringgreen", 0x00FA9A},
    {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585},
    {"midnightblue", 0x191970},
    {"mintcream", 0xF5FFFA},
    {"mistyrose", 0xFFE4E1},
    {"moccasin", 0xFFE4B5},
    {"navajowhite", 0xFFDEAD},
    {"navy", 0x000080},
    {"oldlace", 0xFDF5E6},
    {"olive", 0x808000},
    {"olivedrab", 0x6B8E23},
    {"orange", 0xFFA500},
    {"orangered", 0xFF4500},
    {"orchid", 0xDA70D6},
    {"palegoldenrod", 0xEEE8AA},
    {"palegreen", 0x98FB98},
    {"paleturquoise", 0xAFEEEE},
    {"palevioletred", 0xDB7093},
    {"papayawhip", 0xFFEFD5},
    {"peachpuff", 0xFFDAB9},
    {"peru", 0xCD853F},
    {"pink", 0xFFC0CB},
    {"plum", 0xDDA0DD},
    {"powderblue", 0xB0E0E6},
    {"purple", 0x800080},
    {"rebeccapurple", 0x663399},
    {"red", 0xFF0000},
    {"rosybrown", 0xBC8F8F},
    {"royalblue", 0x4169E1},
    {"saddlebrown", 0x8B4513},
    {"salmon", 0xFA8072},
    {"sandybrown", 0xF4A460},
    {"seagreen", 0x2E8B57},
    {"seashell", 0xFFF5EE},
    {"sienna", 0xA0522D},
    {"silver", 0xC0C0C0},
    {"skyblue", 0x87CEEB},
    {"slateblue", 0x6A5ACD},
    {"slategray", 0x708090},
    {"slategrey", 0x708090},
    {"snow", 0xFFFAFA},
    {"springgreen", 0x00FF7F},
    {"steelblue", 0x4682B4},
    {"tan", 0xD2B48C},
    {"teal", 0x008080},
    {"thistle", 0xD8BFD8},
    {"tomato", 0xFF6347},
    {"turquoise", 0x40E0D0},
    {"violet", 0xEE82EE},
    {"wheat", 0xF5DEB3},
    {"white", 0xFFFFFF},
    {"whitesmoke", 0xF5F5F5},
    {"yellow", 0xFFFF00},
    {"yellowgreen", 0x9ACD32},
};

COLORREF FromHexValue(std::uint32_t rgb) {
    return MakeRgb(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8 & 0xFF),
                   static_cast<int>(rgb & 0xFF));
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// One value of a color function: a number with its unit ("", "%", "deg", ...), or "none".
struct Value {
    double number = 0;
    std::string unit;
};

std::optional<Value> ReadValue(std::string_view token) {
    if (token == "none") return Value{0, ""};
    double number = 0;
    const char* begin = token.data();
    const char* end = token.data() + token.size();
    // from_chars takes no leading '+'.
    if (begin != end && *begin == '+') ++begin;
    const auto [rest, error] = std::from_chars(begin, end, number);
    if (error != std::errc() || !std::isfinite(number)) return std::nullopt;
    Value value{number, std::string(rest, end)};
    for (const char* unit : {"", "%", "deg", "rad", "grad", "turn"}) {
        if (value.unit == unit) return value;
    }
    return std::nullopt;
}

// A hue in degrees: a plain number is degrees.
std::optional<double> Hue(const Value& v) {
    if (v.unit.empty() || v.unit == "deg") return v.number;
    if (v.unit == "rad") return v.number * 180 / std::numbers::pi;
    if (v.unit == "grad") return v.number * 0.9;
    if (v.unit == "turn") return v.number * 360;
    return std::nullopt;
}

// A number or a percentage of `full`; no angle units.
std::optional<double> Amount(const Value& v, double full) {
    if (v.unit.empty()) return v.number;
    if (v.unit == "%") return v.number / 100 * full;
    return std::nullopt;
}

LinearRgb HslToLinear(double h, double s, double l) {
    h = std::fmod(std::fmod(h, 360) + 360, 360);
    s = std::clamp(s, 0.0, 1.0);
    l = std::clamp(l, 0.0, 1.0);
    const auto f = [&](double n) {
        const double k = std::fmod(n + h / 30, 12);
        const double a = s * std::min(l, 1 - l);
        return l - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
    };
    return {SrgbToLinear(f(0)), SrgbToLinear(f(8)), SrgbToLinear(f(4))};
}

LinearRgb HwbToLinear(double h, double w, double b) {
    if (w + b >= 1) {
        const double grey = SrgbToLinear(w / (w + b));
        return {grey, grey, grey};
    }
    const LinearRgb pure = HslToLinear(h, 1, 0.5);
    const auto mix = [&](double linear) {
        return SrgbToLinear(LinearToSrgb(linear) * (1 - w - b) + w);
    };
    return {mix(pure.r), mix(pure.g), mix(pure.b)};
}

struct Function {
    std::string name;
    std::vector<Value> values;
    std::optional<Value> alpha;
};

// "name(v v v / a)" or "name(v, v, v, a)": the name and its values.
std::optional<Function> ReadFunction(std::string_view text, std::string& why) {
    const std::size_t open = text.find('(');
    if (open == std::string_view::npos || text.back() != ')') return std::nullopt;
    Function f;
    f.name = std::string(Trim(text.substr(0, open)));
    constexpr std::string_view kFunctions[] = {"rgb", "rgba", "hsl",   "hsla", "hwb",
                                               "lab", "lch",  "oklab", "oklch"};
    if (std::find(std::begin(kFunctions), std::end(kFunctions), f.name) == std::end(kFunctions)) {
        why = "unknown color function " + f.name + "()";
        return std::nullopt;
    }
    std::string_view body = text.substr(open + 1, text.size() - open - 2);
    const bool commas = body.find(',') != std::string_view::npos;
    std::vector<std::string_view> tokens;
    bool slash = false;
    std::size_t slashAt = 0;
    std::size_t start = 0;
    const auto flush = [&](std::size_t end) {
        const std::string_view token = Trim(body.substr(start, end - start));
        if (!token.empty()) tokens.push_back(token);
    };
    for (std::size_t i = 0; i <= body.size(); ++i) {
        const char c = i < body.size() ? body[i] : ' ';
        const bool separator = commas ? c == ',' : (c == ' ' || c == '\t' || c == '/');
        if (i == body.size() || separator || (commas && c == '/')) {
            flush(i);
            start = i + 1;
            if (c == '/') {
                if (slash) return std::nullopt;
                slash = true;
                slashAt = tokens.size();
            }
        }
    }
    if (slash && slashAt != 3) {
        why = "the alpha after / follows three values";
        return std::nullopt;
    }
    if (tokens.size() != 3 && tokens.size() != 4) {
        why = f.name + "() takes three values and an optional alpha";
        return std::nullopt;
    }
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const auto value = ReadValue(tokens[i]);
        if (!value) {
            why = "\"" + std::string(tokens[i]) + "\" is not a number";
            return std::nullopt;
        }
        if (i < 3) {
            f.values.push_back(*value);
        } else {
            f.alpha = value;
        }
    }
    return f;
}

std::optional<LinearRgb> Evaluate(const Function& f, std::string& why) {
    const std::vector<Value>& v = f.values;
    const auto fail = [&](const char* what) -> std::optional<LinearRgb> {
        why = f.name + "(): " + what;
        return std::nullopt;
    };
    if (f.name == "rgb" || f.name == "rgba") {
        std::array<double, 3> c{};
        for (std::size_t i = 0; i < 3; ++i) {
            const auto amount = Amount(v[i], 255);
            if (!amount) return fail("red, green and blue are numbers 0-255 or percentages");
            c[i] = SrgbToLinear(std::clamp(*amount, 0.0, 255.0) / 255);
        }
        return LinearRgb{c[0], c[1], c[2]};
    }
    if (f.name == "hsl" || f.name == "hsla" || f.name == "hwb") {
        const auto h = Hue(v[0]);
        const auto s = Amount(v[1], 100);
        const auto l = Amount(v[2], 100);
        if (!h || !s || !l) return fail("a hue, then two percentages");
        if (f.name == "hwb")
            return HwbToLinear(*h, std::clamp(*s / 100, 0.0, 1.0), std::clamp(*l / 100, 0.0, 1.0));
        return HslToLinear(*h, *s / 100, *l / 100);
    }
    if (f.name == "lab" || f.name == "lch") {
        const auto l = Amount(v[0], 100);
        if (!l) return fail("the lightness is a number 0-100 or a percentage");
        if (f.name == "lab") {
            const auto a = Amount(v[1], 125);
            const auto b = Amount(v[2], 125);
            if (!a || !b) return fail("a and b are numbers or percentages");
            return LabToLinear({std::max(*l, 0.0), *a, *b});
        }
        const auto c = Amount(v[1], 150);
        const auto h = Hue(v[2]);
        if (!c || !h) return fail("a chroma, then a hue");
        const double radians = *h * std::numbers::pi / 180;
        const double chroma = std::max(*c, 0.0);
        return LabToLinear(
            {std::max(*l, 0.0), chroma * std::cos(radians), chroma * std::sin(radians)});
    }
    if (f.name == "oklab" || f.name == "oklch") {
        const auto l = Amount(v[0], 1);
        if (!l) return fail("the lightness is a number 0-1 or a percentage");
        if (f.name == "oklab") {
            const auto a = Amount(v[1], 0.4);
            const auto b = Amount(v[2], 0.4);
            if (!a || !b) return fail("a and b are numbers or percentages");
            return OklabToLinear({std::clamp(*l, 0.0, 1.0), *a, *b});
        }
        const auto c = Amount(v[1], 0.4);
        const auto h = Hue(v[2]);
        if (!c || !h) return fail("a chroma, then a hue");
        return OklabToLinear(FromPolar({std::clamp(*l, 0.0, 1.0), std::max(*c, 0.0), *h}));
    }
    return fail("unknown color function");
}

std::optional<CssColor> ParseHex(std::string_view digits) {
    std::vector<int> d;
    for (const char c : digits) {
        const int value = HexDigit(c);
        if (value < 0) return std::nullopt;
        d.push_back(value);
    }
    CssColor out;
    switch (d.size()) {
        case 3:
        case 4:
            out.color = MakeRgb(d[0] * 17, d[1] * 17, d[2] * 17);
            out.alphaDropped = d.size() == 4 && d[3] != 15;
            return out;
        case 6:
        case 8:
            out.color = MakeRgb(d[0] * 16 + d[1], d[2] * 16 + d[3], d[4] * 16 + d[5]);
            out.alphaDropped = d.size() == 8 && d[6] * 16 + d[7] != 255;
            return out;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<CssColor> ParseCssColor(std::string_view text, std::string* error) {
    const std::string lower = AsciiLower(Trim(text));
    std::string why;
    const auto failed = [&]() -> std::optional<CssColor> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (lower == "transparent") {
        why = "transparent has no color to use";
        return failed();
    }
    if (lower.starts_with('#') || lower.starts_with("0x")) {
        const std::string_view digits = std::string_view(lower).substr(lower[0] == '#' ? 1 : 2);
        if (lower[0] == '0' && digits.size() != 6) {
            why = "0x takes six hexadecimal digits";
            return failed();
        }
        if (auto hex = ParseHex(digits)) return hex;
        why = "a # takes 3, 4, 6 or 8 hexadecimal digits";
        return failed();
    }
    if (lower.find('(') != std::string::npos) {
        const auto function = ReadFunction(lower, why);
        if (!function) {
            if (why.empty()) why = "a color function is written name(values)";
            return failed();
        }
        const auto linear = Evaluate(*function, why);
        if (!linear) return failed();
        CssColor out;
        out.color = FromLinear(*linear);
        if (function->alpha) {
            const auto alpha = Amount(*function->alpha, 1);
            if (!alpha) {
                why = "the alpha is a number 0-1 or a percentage";
                return failed();
            }
            out.alphaDropped = *alpha < 1;
        }
        return out;
    }
    const auto named = std::lower_bound(
        std::begin(kNamedColors), std::end(kNamedColors), lower,
        [](const NamedColor& entry, const std::string& name) { return entry.name < name; });
    if (named != std::end(kNamedColors) && named->name == lower)
        return CssColor{FromHexValue(named->rgb), false};
    why = "not a CSS color";
    return failed();
}

std::string HashColor(COLORREF color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", RgbRed(color), RgbGreen(color),
                  RgbBlue(color));
    return text;
}

std::optional<std::string_view> CssColorName(COLORREF color) {
    for (const NamedColor& entry : kNamedColors) {
        if (FromHexValue(entry.rgb) == (color & kRgbMask)) return entry.name;
    }
    return std::nullopt;
}

NearestCssName NearestCssColorName(COLORREF color) {
    const Oklab target = LinearToOklab(ToLinear(color));
    NearestCssName nearest{kNamedColors[0].name, 2.0, false};
    for (const NamedColor& entry : kNamedColors) {
        const COLORREF named = FromHexValue(entry.rgb);
        if (named == (color & kRgbMask)) return {entry.name, 0.0, true};
        const Oklab lab = LinearToOklab(ToLinear(named));
        const double distance = std::hypot(lab.l - target.l, lab.a - target.a, lab.b - target.b);
        if (distance < nearest.distance) nearest = {entry.name, distance, false};
    }
    return nearest;
}

std::string CssNameText(COLORREF color) {
    return CssNameText(NearestCssColorName(color));
}

std::string CssNameText(const NearestCssName& nearest) {
    return (nearest.exact ? std::string() : std::string("\u2248 ")) + std::string(nearest.name);
}

}  // namespace nl
