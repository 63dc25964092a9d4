#include "framework/CReg.h"

namespace nl {

CReg::CReg(ISettingsStore* store, SettingsScope root, std::string key)
    : m_store(store), m_root(root), m_key(std::move(key)) {}

std::string CReg::ApplicationKey(std::string_view company, std::string_view application) {
    return "Software\\" + std::string(company) + "\\" + std::string(application) + "\\";
}

std::string_view CReg::RootName(SettingsScope root) {
    return root == SettingsScope::kUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

void CReg::SetKey(std::string key, SettingsScope root) {
    m_key = std::move(key);
    m_root = root;
}

}  // namespace nl
