#pragma once
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <map>

#include "platform/IHotKeys.h"

namespace nl {

// Global hot keys through the desktop's GlobalShortcuts portal
// (org.freedesktop.portal.GlobalShortcuts): one session per object, every registered key
// bound in it as the shortcut "hotkey-<id>" with its key as the preferred trigger (the desktop
// may let the user choose another), and the portal's Activated signal delivered as the id.
class CPortalHotKeys final : public QObject, public IHotKeys {
    Q_OBJECT
public:
    explicit CPortalHotKeys(QDBusConnection bus = QDBusConnection::sessionBus());
    ~CPortalHotKeys() override;
    CPortalHotKeys(const CPortalHotKeys&) = delete;
    CPortalHotKeys& operator=(const CPortalHotKeys&) = delete;

    // Whether the session bus has a portal that offers global shortcuts.
    static bool Available(QDBusConnection bus = QDBusConnection::sessionBus());

    // Binds the key in the portal's session (made on first use); kErrorNotSupported when the
    // portal has no such service or refuses, or answers without this key among the shortcuts
    // it bound, kErrorCancelled when the user declined.
    std::uint32_t Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) override;
    void Unregister(int id) override;
    void SetListener(Listener listener) override { m_listener = std::move(listener); }
    // The desktop holds the keys: while suspended their presses are dropped here instead.
    void Suspend() override { m_suspended = true; }
    void Resume() override { m_suspended = false; }
    HotKeyRoute Route() const override { return HotKeyRoute::kDesktopPortal; }
    bool DesktopBound(int id, std::string* trigger) const override;

    // The shortcut id of hot key `id` in the portal's session, and back (-1: not one of ours).
    static QString ShortcutId(int id);
    static int IdOfShortcut(const QString& shortcut);

private Q_SLOTS:
    void OnActivated(const QDBusObjectPath& session, const QString& shortcut, qulonglong timestamp,
                     const QVariantMap& options);

private:
    struct Key {
        std::uint32_t modifiers = 0;
        std::uint32_t virtualKey = 0;
    };
    bool EnsureSession(std::uint32_t& error);
    // Binds every key of m_keys; 0 or the error.
    std::uint32_t BindAll();

    QDBusConnection m_bus;
    QString m_session;  // the session's object path, empty before it exists
    std::map<int, Key> m_keys;
    // The keys the portal's last BindShortcuts answer listed, with its trigger descriptions.
    std::map<int, std::string> m_bound;
    Listener m_listener;
    bool m_suspended = false;
};

}  // namespace nl
