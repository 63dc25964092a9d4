#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <variant>

#include "platform/ISettingsStore.h"

namespace nl {

// An in-memory settings store. Key paths and value names compare without regard to case and
// to trailing backslashes, as the registry's do.
class FakeSettingsStore final : public ISettingsStore {
public:
    std::optional<std::string> ReadString(SettingsScope scope, std::string_view key,
                                          std::string_view name) const override;
    std::optional<std::uint32_t> ReadInt(SettingsScope scope, std::string_view key,
                                         std::string_view name) const override;
    std::uint32_t WriteString(SettingsScope scope, std::string_view key, std::string_view name,
                              std::string_view value) override;
    std::uint32_t WriteInt(SettingsScope scope, std::string_view key, std::string_view name,
                           std::uint32_t value) override;
    bool KeyExists(SettingsScope scope, std::string_view key) const override;
    std::uint32_t DeleteKey(SettingsScope scope, std::string_view key) override;

    // Makes every later write of `scope` fail with `code` (0 lets writes succeed again).
    void FailWrites(SettingsScope scope, std::uint32_t code) { m_writeError[Index(scope)] = code; }
    // The number of values held.
    std::size_t Size() const { return m_values.size(); }

private:
    using Value = std::variant<std::string, std::uint32_t>;
    using Key = std::tuple<int, std::string, std::string>;  // scope, key, name (folded)
    static int Index(SettingsScope scope) { return scope == SettingsScope::kUser ? 0 : 1; }
    static Key MakeKey(SettingsScope scope, std::string_view key, std::string_view name);
    const Value* Find(SettingsScope scope, std::string_view key, std::string_view name) const;
    std::uint32_t Write(SettingsScope scope, std::string_view key, std::string_view name,
                        Value value);

    std::map<Key, Value> m_values;
    std::uint32_t m_writeError[2] = {0, 0};
};

}  // namespace nl
