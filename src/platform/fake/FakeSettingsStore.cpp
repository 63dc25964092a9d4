#include "platform/fake/FakeSettingsStore.h"

#include <cctype>

namespace nl {
namespace {

std::string Fold(std::string_view text) {
    while (!text.empty() && text.back() == '\\') text.remove_suffix(1);
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

FakeSettingsStore::Key FakeSettingsStore::MakeKey(SettingsScope scope, std::string_view key,
                                                  std::string_view name) {
    return {Index(scope), Fold(key), Fold(name)};
}

const FakeSettingsStore::Value* FakeSettingsStore::Find(SettingsScope scope, std::string_view key,
                                                        std::string_view name) const {
    const auto it = m_values.find(MakeKey(scope, key, name));
    return it == m_values.end() ? nullptr : &it->second;
}

std::optional<std::string> FakeSettingsStore::ReadString(SettingsScope scope, std::string_view key,
                                                         std::string_view name) const {
    const Value* v = Find(scope, key, name);
    if (v == nullptr || !std::holds_alternative<std::string>(*v)) return std::nullopt;
    return std::get<std::string>(*v);
}

std::optional<std::uint32_t> FakeSettingsStore::ReadInt(SettingsScope scope, std::string_view key,
                                                        std::string_view name) const {
    const Value* v = Find(scope, key, name);
    if (v == nullptr || !std::holds_alternative<std::uint32_t>(*v)) return std::nullopt;
    return std::get<std::uint32_t>(*v);
}

std::uint32_t FakeSettingsStore::Write(SettingsScope scope, std::string_view key,
                                       std::string_view name, Value value) {
    if (m_writeError[Index(scope)] != 0) return m_writeError[Index(scope)];
    m_values[MakeKey(scope, key, name)] = std::move(value);
    return 0;
}

std::uint32_t FakeSettingsStore::WriteString(SettingsScope scope, std::string_view key,
                                             std::string_view name, std::string_view value) {
    return Write(scope, key, name, std::string(value));
}

std::uint32_t FakeSettingsStore::WriteInt(SettingsScope scope, std::string_view key,
                                          std::string_view name, std::uint32_t value) {
    return Write(scope, key, name, value);
}

namespace {

// Whether folded key `candidate` is `key` or lies below it.
bool IsAtOrBelow(const std::string& candidate, const std::string& key) {
    if (candidate.size() < key.size() || candidate.compare(0, key.size(), key) != 0) return false;
    return candidate.size() == key.size() || candidate[key.size()] == '\\';
}

}  // namespace

bool FakeSettingsStore::KeyExists(SettingsScope scope, std::string_view key) const {
    const std::string folded = Fold(key);
    for (const auto& [k, v] : m_values)
        if (std::get<0>(k) == Index(scope) && IsAtOrBelow(std::get<1>(k), folded)) return true;
    return false;
}

std::uint32_t FakeSettingsStore::DeleteKey(SettingsScope scope, std::string_view key) {
    if (m_writeError[Index(scope)] != 0) return m_writeError[Index(scope)];
    const std::string folded = Fold(key);
    std::erase_if(m_values, [&](const auto& entry) {
        return std::get<0>(entry.first) == Index(scope) &&
               IsAtOrBelow(std::get<1>(entry.first), folded);
    });
    return 0;
}

}  // namespace nl
