#include "framework/CRegistry.h"

#include "base/CSystemError.h"

namespace nl {

std::string CRegistry::GetString(SettingsScope root, std::string_view subKey,
                                 std::string_view name) const {
    if (!HasKey()) return {};
    return m_store->ReadString(root, SubKeyPath(subKey), name).value_or(std::string());
}

std::uint32_t CRegistry::GetInt(SettingsScope root, std::string_view subKey, std::string_view name,
                                std::uint32_t defaultValue) const {
    if (!HasKey()) return defaultValue;
    return m_store->ReadInt(root, SubKeyPath(subKey), name).value_or(defaultValue);
}

std::uint32_t CRegistry::SetString(SettingsScope root, std::string_view subKey,
                                   std::string_view name, std::string_view value) {
    if (!HasKey()) return kErrorInvalidFunction;
    return m_store->WriteString(root, SubKeyPath(subKey), name, value);
}

std::uint32_t CRegistry::SetInt(SettingsScope root, std::string_view subKey, std::string_view name,
                                std::uint32_t value) {
    if (!HasKey()) return kErrorInvalidFunction;
    return m_store->WriteInt(root, SubKeyPath(subKey), name, value);
}

}  // namespace nl
