#include "platform/qt/CQtSettingsStore.h"

#include <QDir>
#include <QSettings>

#include "base/CSystemError.h"
#include "platform/qt/qt_convert.h"

namespace nl {

namespace {

constexpr const char* kSettingsFolder = "Nerim Rirideviz";
constexpr const char* kSettingsFile = "NerimLens.conf";
// Integers are marked so that a number written as a string stays a string.
const QString kIntPrefix = QStringLiteral("dword:");
const QString kStringPrefix = QStringLiteral("str:");
constexpr int kIntDigits = 8;

QString FromEnvironment(const char* name, const QString& fallback) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

}  // namespace

CQtSettingsStore::CQtSettingsStore(QString userFile, QString machineFile) {
    if (userFile.isEmpty()) userFile = DefaultUserFile();
    if (machineFile.isEmpty()) machineFile = DefaultMachineFile();
    m_user = std::make_unique<QSettings>(userFile, QSettings::IniFormat);
    m_machine = std::make_unique<QSettings>(machineFile, QSettings::IniFormat);
}

CQtSettingsStore::~CQtSettingsStore() = default;

QString CQtSettingsStore::DefaultUserFile() {
    const QString home = FromEnvironment("XDG_CONFIG_HOME", QDir::homePath() + "/.config");
    return home + "/" + kSettingsFolder + "/" + kSettingsFile;
}

QString CQtSettingsStore::DefaultMachineFile() {
    const QString dirs = FromEnvironment("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    QString first = dirs.section(':', 0, 0);
    if (first.isEmpty()) first = QStringLiteral("/etc/xdg");
    return first + "/" + kSettingsFolder + "/" + kSettingsFile;
}

QString CQtSettingsStore::SettingsKey(std::string_view key, std::string_view name) {
    QStringList parts;
    for (const QString& part : ToQt(key).split('\\', Qt::SkipEmptyParts)) parts << part;
    if (!name.empty()) parts << ToQt(name);
    return parts.join('/');
}

QSettings& CQtSettingsStore::Scope(SettingsScope scope) const {
    return scope == SettingsScope::kUser ? *m_user : *m_machine;
}

std::optional<QString> CQtSettingsStore::ReadRaw(SettingsScope scope, std::string_view key,
                                                 std::string_view name) const {
    QSettings& settings = Scope(scope);
    const QString path = SettingsKey(key, name);
    if (!settings.contains(path)) return std::nullopt;
    return settings.value(path).toString();
}

std::optional<std::string> CQtSettingsStore::ReadString(SettingsScope scope, std::string_view key,
                                                        std::string_view name) const {
    const auto raw = ReadRaw(scope, key, name);
    if (!raw || raw->startsWith(kIntPrefix)) return std::nullopt;
    const QString text = raw->startsWith(kStringPrefix) ? raw->mid(kStringPrefix.size()) : *raw;
    return text.toStdString();
}

std::optional<std::uint32_t> CQtSettingsStore::ReadInt(SettingsScope scope, std::string_view key,
                                                       std::string_view name) const {
    const auto raw = ReadRaw(scope, key, name);
    if (!raw || !raw->startsWith(kIntPrefix)) return std::nullopt;
    bool ok = false;
    const uint value = raw->mid(kIntPrefix.size()).toUInt(&ok, 16);
    if (!ok) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::uint32_t CQtSettingsStore::WriteString(SettingsScope scope, std::string_view key,
                                            std::string_view name, std::string_view value) {
    QString text = ToQt(value);
    if (text.startsWith(kIntPrefix) || text.startsWith(kStringPrefix)) text.prepend(kStringPrefix);
    return WriteRaw(scope, key, name, text);
}

std::uint32_t CQtSettingsStore::WriteInt(SettingsScope scope, std::string_view key,
                                         std::string_view name, std::uint32_t value) {
    return WriteRaw(scope, key, name,
                    kIntPrefix + QString::number(value, 16).rightJustified(kIntDigits, '0'));
}

std::uint32_t CQtSettingsStore::WriteRaw(SettingsScope scope, std::string_view key,
                                         std::string_view name, const QString& value) {
    // The machine's settings belong to the installer.
    if (scope == SettingsScope::kMachine) return kErrorAccessDenied;
    QSettings& settings = Scope(scope);
    settings.setValue(SettingsKey(key, name), value);
    return Sync(settings);
}

bool CQtSettingsStore::KeyExists(SettingsScope scope, std::string_view key) const {
    QSettings& settings = Scope(scope);
    settings.beginGroup(SettingsKey(key));
    const bool exists = !settings.allKeys().isEmpty();
    settings.endGroup();
    return exists;
}

std::uint32_t CQtSettingsStore::DeleteKey(SettingsScope scope, std::string_view key) {
    if (!KeyExists(scope, key)) return kErrorFileNotFound;
    if (scope == SettingsScope::kMachine) return kErrorAccessDenied;
    QSettings& settings = Scope(scope);
    settings.remove(SettingsKey(key));
    return Sync(settings);
}

std::uint32_t CQtSettingsStore::Sync(QSettings& settings) {
    // QSettings creates the file's folder itself, but reports a folder it cannot create only
    // as an access error.
    settings.sync();
    switch (settings.status()) {
        case QSettings::NoError:
            return 0;
        case QSettings::AccessError:
            return kErrorAccessDenied;
        case QSettings::FormatError:
            return kErrorInvalidParameter;
    }
    return kErrorAccessDenied;
}

}  // namespace nl
