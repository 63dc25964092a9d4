#include "model/printf_format.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace nl {
namespace {

// Widths and precisions above this are refused rather than allocating large texts.
constexpr int kMaxFieldDigits = 99;
constexpr int kDefaultFloatPrecision = 6;

struct Conversion {
    bool leftAlign = false;
    bool plus = false;
    bool space = false;
    bool alternate = false;
    bool zeroPad = false;
    int width = 0;
    int precision = -1;  // none given
    char type = 0;
};

void ToUpper(std::string& text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool IsIntegerType(char c) {
    return std::string_view("diuoxX").find(c) != std::string_view::npos;
}
bool IsFloatType(char c) {
    return std::string_view("fFeEgG").find(c) != std::string_view::npos;
}

// Reads up to two decimal digits at format[i]; false when there are more.
bool ReadFieldNumber(std::string_view format, size_t& i, int& value) {
    value = 0;
    size_t digits = 0;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
        value = value * 10 + (format[i] - '0');
        ++i;
        if (++digits > 2 || value > kMaxFieldDigits) return false;
    }
    return true;
}

// Parses the conversion after a '%' at format[i - 1]; advances i past it.
std::optional<Conversion> ParseConversion(std::string_view format, size_t& i) {
    Conversion conv;
    for (; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '-') {
            conv.leftAlign = true;
        } else if (c == '+') {
            conv.plus = true;
        } else if (c == ' ') {
            conv.space = true;
        } else if (c == '#') {
            conv.alternate = true;
        } else if (c == '0') {
            conv.zeroPad = true;
        } else {
            break;
        }
    }
    if (!ReadFieldNumber(format, i, conv.width)) return std::nullopt;
    if (i < format.size() && format[i] == '.') {
        ++i;
        if (!ReadFieldNumber(format, i, conv.precision)) return std::nullopt;
    }
    if (i >= format.size()) return std::nullopt;
    conv.type = format[i++];
    if (!IsIntegerType(conv.type) && !IsFloatType(conv.type)) return std::nullopt;
    // The alternate form of %g keeps trailing zeros; not supported.
    if (conv.alternate && (conv.type == 'g' || conv.type == 'G')) return std::nullopt;
    return conv;
}

// Pads `prefix` (sign, "0x") and `body` (digits) to the conversion's width.
void AppendPadded(std::string& out, const Conversion& conv, std::string_view prefix,
                  std::string_view body, bool zeroPadAllowed) {
    const int length = static_cast<int>(prefix.size() + body.size());
    const int fill = std::max(0, conv.width - length);
    if (conv.leftAlign) {
        out += prefix;
        out += body;
        out.append(static_cast<size_t>(fill), ' ');
    } else if (conv.zeroPad && zeroPadAllowed) {
        out += prefix;
        out.append(static_cast<size_t>(fill), '0');
        out += body;
    } else {
        out.append(static_cast<size_t>(fill), ' ');
        out += prefix;
        out += body;
    }
}

void AppendInteger(std::string& out, const Conversion& conv, int value) {
    const bool isSigned = conv.type == 'd' || conv.type == 'i';
    std::string prefix;
    std::uint64_t magnitude = 0;
    if (isSigned) {
        const auto wide = static_cast<std::int64_t>(value);
        magnitude = static_cast<std::uint64_t>(wide < 0 ? -wide : wide);
        if (wide < 0) {
            prefix = "-";
        } else if (conv.plus) {
            prefix = "+";
        } else if (conv.space) {
            prefix = " ";
        }
    } else {
        magnitude = static_cast<unsigned>(value);  // as printf reads an int for %u/%x/%o
    }
    const int base = conv.type == 'o' ? 8 : (conv.type == 'x' || conv.type == 'X') ? 16 : 10;
    std::array<char, 32> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, base);
    std::string digits(buffer.data(), result.ptr);
    if (conv.type == 'X') ToUpper(digits);
    if (conv.precision >= 0) {
        if (conv.precision == 0 && magnitude == 0) digits.clear();
        if (static_cast<int>(digits.size()) < conv.precision) {
            digits.insert(0, static_cast<size_t>(conv.precision) - digits.size(), '0');
        }
    }
    if (conv.alternate) {
        if (conv.type == 'o' && (digits.empty() || digits[0] != '0')) digits.insert(0, "0");
        if (conv.type == 'x' && magnitude != 0) prefix = "0x";
        if (conv.type == 'X' && magnitude != 0) prefix = "0X";
    }
    AppendPadded(out, conv, prefix, digits, conv.precision < 0);
}

void AppendFloat(std::string& out, const Conversion& conv, double value) {
    std::string prefix;
    if (std::signbit(value) && !std::isnan(value)) {
        prefix = "-";
    } else if (conv.plus) {
        prefix = "+";
    } else if (conv.space) {
        prefix = " ";
    }
    const double magnitude = std::fabs(value);
    const bool upper = conv.type == 'F' || conv.type == 'E' || conv.type == 'G';
    std::string body;
    if (!std::isfinite(magnitude)) {
        body = std::isnan(magnitude) ? "nan" : "inf";
    } else {
        const char lower = static_cast<char>(conv.type | 0x20);
        const auto style = lower == 'f'   ? std::chars_format::fixed
                           : lower == 'e' ? std::chars_format::scientific
                                          : std::chars_format::general;
        int precision = conv.precision >= 0 ? conv.precision : kDefaultFloatPrecision;
        if (lower == 'g' && precision == 0) precision = 1;
        // Large enough for any double in fixed notation with the largest precision.
        std::array<char, 320 + kMaxFieldDigits> buffer{};
        const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                          style, precision);
        body.assign(buffer.data(), result.ptr);
        if (conv.alternate && body.find('.') == std::string::npos) {
            const size_t exponent = body.find('e');
            body.insert(exponent == std::string::npos ? body.size() : exponent, ".");
        }
    }
    if (upper) ToUpper(body);
    AppendPadded(out, conv, prefix, body, std::isfinite(magnitude));
}

}  // namespace

std::optional<std::string> FormatPrintf(std::string_view format, std::span<const PrintfArg> args) {
    std::string out;
    size_t next = 0;
    size_t i = 0;
    while (i < format.size()) {
        const char c = format[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i < format.size() && format[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        const auto conv = ParseConversion(format, i);
        if (!conv || next >= args.size()) return std::nullopt;
        const PrintfArg& arg = args[next++];
        if (IsIntegerType(conv->type)) {
            const int* value = std::get_if<int>(&arg);
            if (value == nullptr) return std::nullopt;
            AppendInteger(out, *conv, *value);
        } else {
            const double* value = std::get_if<double>(&arg);
            if (value == nullptr) return std::nullopt;
            AppendFloat(out, *conv, *value);
        }
    }
    if (next != args.size()) return std::nullopt;
    return out;
}

}  // namespace nl
