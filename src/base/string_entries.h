#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace nl {

struct StringEntry {
    std::uint32_t id;
    std::string_view text;
};

// Every string of the table, sorted by number (a test checks the order).
std::span<const StringEntry> StringEntries();

}  // namespace nl
