#pragma once
#include <QString>
#include <memory>

#include "platform/ISettingsStore.h"

class QSettings;

namespace nl {

// Settings kept in INI files: the user's in the XDG config folder, the machine's (written by
// an installer, read-only here) in the system config folder. A key path's backslashes become
// the file's groups; integers are stored as "dword:xxxxxxxx" so that they read back as
// integers and never as strings.
class CQtSettingsStore final : public ISettingsStore {
public:
    // The files of both scopes; empty: the default places.
    explicit CQtSettingsStore(QString userFile = {}, QString machineFile = {});
    ~CQtSettingsStore() override;
    CQtSettingsStore(const CQtSettingsStore&) = delete;
    CQtSettingsStore& operator=(const CQtSettingsStore&) = delete;

    // $XDG_CONFIG_HOME (else ~/.config) and the first of $XDG_CONFIG_DIRS (else /etc/xdg),
    // each with "Nerim Rirideviz/NerimLens.conf".
    static QString DefaultUserFile();
    static QString DefaultMachineFile();

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

    // The QSettings key of a key path and value name ("A\B\" + "C" is "A/B/C").
    static QString SettingsKey(std::string_view key, std::string_view name = {});

private:
    QSettings& Scope(SettingsScope scope) const;
    std::optional<QString> ReadRaw(SettingsScope scope, std::string_view key,
                                   std::string_view name) const;
    std::uint32_t WriteRaw(SettingsScope scope, std::string_view key, std::string_view name,
                           const QString& value);
    std::uint32_t Sync(QSettings& settings);

    std::unique_ptr<QSettings> m_user;
    std::unique_ptr<QSettings> m_machine;
};

}  // namespace nl
