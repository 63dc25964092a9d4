#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nl {

// Where a settings value lives: with the current user, or with the whole machine (values an
// installer writes).
enum class SettingsScope { kUser, kMachine };

// A store of named string and integer values grouped under key paths. Key paths use
// backslashes ("Software\Company\App\CurrentVersion"). On Windows this is the registry
// (HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE); elsewhere a settings file per scope.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;

    // The value, or nothing when it is missing or of the other kind.
    virtual std::optional<std::string> ReadString(SettingsScope scope, std::string_view key,
                                                  std::string_view name) const = 0;
    virtual std::optional<std::uint32_t> ReadInt(SettingsScope scope, std::string_view key,
                                                 std::string_view name) const = 0;
    // Writes the value, creating the key as needed; returns 0 or a system error code.
    virtual std::uint32_t WriteString(SettingsScope scope, std::string_view key,
                                      std::string_view name, std::string_view value) = 0;
    virtual std::uint32_t WriteInt(SettingsScope scope, std::string_view key, std::string_view name,
                                   std::uint32_t value) = 0;
    // Whether the key or any key below it holds a value.
    virtual bool KeyExists(SettingsScope scope, std::string_view key) const = 0;
    // Deletes the key with everything below it; returns 0 or a system error code.
    virtual std::uint32_t DeleteKey(SettingsScope scope, std::string_view key) = 0;
};

}  // namespace nl
