#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/color_input.h"

namespace nl::cli {

// Bad input on the command line. The message is one line naming the bad value and the
// accepted forms; the program prints it on stderr and exits with kExitUsage.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr int kExitUsage = 2;

// A whole decimal number in [min, max]: optional minus, digits, nothing else.
std::optional<std::int64_t> ParseWholeNumber(std::string_view text, std::int64_t min,
                                             std::int64_t max);

// The row that `query` names among `names`: the exact name first, then the row index, then
// a name that matches apart from case when only one does. Throws UsageError naming `what`
// and listing the names when there is no such row or the case-blind match is ambiguous.
int ChooseRow(const std::vector<std::string>& names, std::string_view query, std::string_view what);

// The forms a color may be given in on the command line.
inline constexpr std::string_view kColorArgumentForms = kColorInputForms;

// A color given in one of kColorArgumentForms (0x00BBGGRR, red in the low byte); an alpha
// below 1 is dropped with a note on the error stream.
// Throws UsageError naming the value and the accepted forms.
std::uint32_t ParseColorArgument(std::string_view text);

// Whether a command only reads its file or also writes one.
enum class FileUse { kRead, kWrite };

// Runs a command on the file `path` and puts the file's name into its errors: an empty name
// shows as "", a file cut short is named (the program's own message leaves the name out),
// and a command that writes reports a protected or busy file as the program does. The
// errors come out as std::runtime_error with the finished text.
std::string RunNamingFile(FileUse use, const std::string& path,
                          const std::function<std::string()>& run);

// The names joined as "a, b, c".
std::string JoinNames(const std::vector<std::string>& names);

// What --format and --unit accept besides an index: the color formats' names and the length
// units' abbreviations, as their tables hold them.
std::vector<std::string> ColorFormatNames();
std::vector<std::string> LengthUnitAbbreviations();

}  // namespace nl::cli
