#pragma once
#include <string>
#include <string_view>

#include "platform/ISettingsStore.h"

namespace nl {

// A place in the settings store: a root (the current user unless said otherwise) and a key
// path ending in a backslash, such as "Software\Nerim Rirideviz\NerimLens\".
class CReg {
public:
    explicit CReg(ISettingsStore* store = nullptr, SettingsScope root = SettingsScope::kUser,
                  std::string key = {});
    virtual ~CReg() = default;

    // The key of an application: "Software\<company>\<application>\".
    static std::string ApplicationKey(std::string_view company, std::string_view application);
    // The name of a root as the registry spells it ("HKEY_CURRENT_USER").
    static std::string_view RootName(SettingsScope root);

    void SetStore(ISettingsStore* store) { m_store = store; }
    ISettingsStore* Store() const { return m_store; }
    void SetKey(std::string key, SettingsScope root = SettingsScope::kUser);
    const std::string& Key() const { return m_key; }
    SettingsScope Root() const { return m_root; }
    // Whether there is a store and a key to use.
    bool HasKey() const { return m_store != nullptr && !m_key.empty(); }
    // The path of `subKey` below the key ("...\NerimLens\CurrentVersion").
    std::string SubKeyPath(std::string_view subKey) const { return m_key + std::string(subKey); }

protected:
    ISettingsStore* m_store;
    SettingsScope m_root;
    std::string m_key;
};

}  // namespace nl
