#include "platform/qt/CPortalHotKeys.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <cstring>

#include "base/CSystemError.h"
#include "platform/hot_key_trigger.h"
#include "platform/qt/CPortalCall.h"

namespace nl {

namespace {

constexpr const char* kShortcutsInterface = "org.freedesktop.portal.GlobalShortcuts";
constexpr const char* kSessionInterface = "org.freedesktop.portal.Session";
constexpr const char* kShortcutPrefix = "hotkey-";

// One shortcut as BindShortcuts takes it: (id, {description, preferred_trigger}).
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& out, const PortalShortcut& shortcut) {
    out.beginStructure();
    out << shortcut.id << shortcut.properties;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, PortalShortcut& shortcut) {
    in.beginStructure();
    in >> shortcut.id >> shortcut.properties;
    in.endStructure();
    return in;
}

std::uint32_t ErrorOf(PortalOutcome outcome) {
    switch (outcome) {
        case PortalOutcome::kSuccess:
            return kErrorSuccess;
        case PortalOutcome::kCancelled:
            return kErrorCancelled;
        case PortalOutcome::kNoReply:
        case PortalOutcome::kNoAnswer:
            return kErrorTimeout;
        default:
            return kErrorNotSupported;
    }
}

}  // namespace

}  // namespace nl

Q_DECLARE_METATYPE(nl::PortalShortcut)

namespace nl {

CPortalHotKeys::CPortalHotKeys(QDBusConnection bus) : m_bus(std::move(bus)) {
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
}

CPortalHotKeys::~CPortalHotKeys() {
    if (m_session.isEmpty()) return;
    m_bus.disconnect(kPortalService, kPortalPath, kShortcutsInterface, QStringLiteral("Activated"),
                     this, SLOT(OnActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    m_bus.call(QDBusMessage::createMethodCall(kPortalService, m_session, kSessionInterface,
                                              QStringLiteral("Close")),
               QDBus::NoBlock);
}

bool CPortalHotKeys::Available(QDBusConnection bus) {
    return CPortalCall::HasInterface(bus, kShortcutsInterface);
}

QString CPortalHotKeys::ShortcutId(int id) {
    return QLatin1String(kShortcutPrefix) + QString::number(id);
}

int CPortalHotKeys::IdOfShortcut(const QString& shortcut) {
    if (!shortcut.startsWith(QLatin1String(kShortcutPrefix))) return -1;
    bool ok = false;
    const int id = shortcut.mid(static_cast<qsizetype>(std::strlen(kShortcutPrefix))).toInt(&ok);
    return ok && id >= 0 ? id : -1;
}

bool CPortalHotKeys::EnsureSession(std::uint32_t& error) {
    if (!m_session.isEmpty()) return true;
    CPortalCall call(m_bus);
    const PortalResponse response =
        call.Run(kShortcutsInterface, QStringLiteral("CreateSession"), {},
                 {{QStringLiteral("session_handle_token"), CPortalCall::NewToken()}});
    error = ErrorOf(response.outcome);
    if (error != kErrorSuccess) return false;
    m_session = response.results.value(QStringLiteral("session_handle")).toString();
    if (m_session.isEmpty()) {
        error = kErrorNotSupported;
        return false;
    }
    m_bus.connect(kPortalService, kPortalPath, kShortcutsInterface, QStringLiteral("Activated"),
                  this, SLOT(OnActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    return true;
}

std::uint32_t CPortalHotKeys::BindAll() {
    std::uint32_t error = kErrorSuccess;
    if (!EnsureSession(error)) return error;
    QList<PortalShortcut> shortcuts;
    for (const auto& [id, key] : m_keys) {
        PortalShortcut shortcut{ShortcutId(id), {}};
        shortcut.properties.insert(QStringLiteral("description"),
                                   QStringLiteral("NerimLens hot key %1").arg(id));
        const std::string trigger = ShortcutTrigger(key.modifiers, key.virtualKey);
        if (!trigger.empty())
            shortcut.properties.insert(QStringLiteral("preferred_trigger"),
                                       QString::fromStdString(trigger));
        shortcuts << shortcut;
    }
    CPortalCall call(m_bus);
    const PortalResponse response = call.Run(kShortcutsInterface, QStringLiteral("BindShortcuts"),
                                             {QVariant::fromValue(QDBusObjectPath(m_session)),
                                              QVariant::fromValue(shortcuts), QString()},
                                             {});
    m_bound.clear();
    // The answer lists the shortcuts the desktop did bind; a desktop may answer success and
    // bind none of them.
    const QVariant listed = response.results.value(QStringLiteral("shortcuts"));
    if (response.outcome == PortalOutcome::kSuccess && listed.canConvert<QDBusArgument>()) {
        for (const PortalShortcut& shortcut : qdbus_cast<QList<PortalShortcut>>(listed)) {
            const int id = IdOfShortcut(shortcut.id);
            if (id >= 0 && m_keys.contains(id))
                m_bound[id] = shortcut.properties.value(QStringLiteral("trigger_description"))
                                  .toString()
                                  .toStdString();
        }
    }
    return ErrorOf(response.outcome);
}

bool CPortalHotKeys::DesktopBound(int id, std::string* trigger) const {
    const auto found = m_bound.find(id);
    if (found == m_bound.end()) return false;
    if (trigger) *trigger = found->second;
    return true;
}

std::uint32_t CPortalHotKeys::Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) {
    m_keys[id] = Key{modifiers & kModMask, virtualKey};
    std::uint32_t error = BindAll();
    if (error == kErrorSuccess && !m_bound.contains(id)) error = kErrorNotSupported;
    if (error != kErrorSuccess) {
        m_keys.erase(id);
        m_bound.erase(id);
    }
    return error;
}

void CPortalHotKeys::Unregister(int id) {
    if (m_keys.erase(id) == 0) return;
    BindAll();
}

void CPortalHotKeys::OnActivated(const QDBusObjectPath& session, const QString& shortcut,
                                 qulonglong, const QVariantMap&) {
    if (session.path() != m_session || m_suspended) return;
    const int id = IdOfShortcut(shortcut);
    if (id < 0 || !m_keys.contains(id)) return;
    if (m_listener) m_listener(id);
}

}  // namespace nl
