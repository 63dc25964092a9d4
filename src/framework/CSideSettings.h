#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace nl {

// The settings the data file has no place for, kept in a small text file of the program's
// own beside it: one "key=value" line each, after a comment line that says what the file is.
// The file is named after the data file (NerimLens.dat gives NerimLens.ini), so that a data
// file moved elsewhere takes its side file along.
class CSideSettings {
public:
    // The most bytes of a side file that are read; the rest of a larger one is ignored.
    static constexpr std::size_t kMaxFileBytes = 1 << 20;

    // The side file of the data file at `dataFile`.
    static std::string PathFor(const std::string& dataFile);

    // The file's text read back. Lines without a key, with a key of other characters than
    // letters, digits and ".-_", comments and blank lines are skipped; a later line of the
    // same key wins.
    static CSideSettings FromText(std::string_view text);
    std::string ToText() const;

    std::optional<std::string> Get(std::string_view key) const;
    // Sets or, with no value, removes `key`; returns whether anything changed. A key the
    // file could not hold, or a value with a line break, is refused (false).
    bool Set(std::string_view key, std::optional<std::string> value);

    bool IsEmpty() const { return m_values.empty(); }
    friend bool operator==(const CSideSettings&, const CSideSettings&) = default;

private:
    std::map<std::string, std::string, std::less<>> m_values;
};

}  // namespace nl
