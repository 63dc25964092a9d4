#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/CReg.h"

namespace nl {

// Named values below the key of a CReg, in a subkey. Reads never fail: a missing string reads
// as empty, a missing integer as the caller's default. Writes return 0 or a system error
// code, and fail when there is no store or key.
class CRegistry : public CReg {
public:
    using CReg::CReg;

    // In the root of this key.
    std::string GetString(std::string_view subKey, std::string_view name) const {
        return GetString(m_root, subKey, name);
    }
    std::uint32_t GetInt(std::string_view subKey, std::string_view name,
                         std::uint32_t defaultValue) const {
        return GetInt(m_root, subKey, name, defaultValue);
    }
    std::uint32_t SetString(std::string_view subKey, std::string_view name,
                            std::string_view value) {
        return SetString(m_root, subKey, name, value);
    }
    std::uint32_t SetInt(std::string_view subKey, std::string_view name, std::uint32_t value) {
        return SetInt(m_root, subKey, name, value);
    }

    // The same key path in another root (the machine-wide values an installer writes).
    std::string GetString(SettingsScope root, std::string_view subKey, std::string_view name) const;
    std::uint32_t GetInt(SettingsScope root, std::string_view subKey, std::string_view name,
                         std::uint32_t defaultValue) const;
    std::uint32_t SetString(SettingsScope root, std::string_view subKey, std::string_view name,
                            std::string_view value);
    std::uint32_t SetInt(SettingsScope root, std::string_view subKey, std::string_view name,
                         std::uint32_t value);
};

}  // namespace nl
