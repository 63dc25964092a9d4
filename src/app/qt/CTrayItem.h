#pragma once
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>
#include <functional>

class QMenu;
class QTimer;

namespace nl {

// The program's icon in the notification area (the system tray). It is added only where a
// tray exists and added again when a tray appears later (a panel restarted); clicks are
// reported to the owner.
class CTrayItem : public QObject {
public:
    using ClickHandler = std::function<void(QSystemTrayIcon::ActivationReason reason)>;
    // Whether the desktop has a tray now (Qt's answer unless replaced).
    using Availability = std::function<bool()>;
    static constexpr int kBalloonTimeoutMs = 5000;
    // How often to look for a tray while there is none.
    static constexpr int kTrayPollMs = 10000;

    explicit CTrayItem(QObject* parent = nullptr);
    ~CTrayItem() override;

    // Shows `pixels`; or, when the icon theme holds an icon named `themeName`, that one by
    // its name, so that the desktop's tray can draw the theme's own version of it.
    void SetIcon(const QIcon& pixels, const QString& themeName = {});
    // The theme name the tray hands the desktop; empty when it sends pixels only.
    QString IconName() const { return m_icon->icon().name(); }
    void SetToolTip(const QString& tip);
    // The menu shown on a right click (the owner shows it on a left click).
    void SetMenu(QMenu* menu);
    void SetClickHandler(ClickHandler handler) { m_onClick = std::move(handler); }
    void SetAvailability(Availability available) { m_available = std::move(available); }
    // A balloon shown as soon as the icon is in a tray.
    void SetPendingBalloon(const QString& title, const QString& text);

    // Adds the icon now when a tray exists; otherwise keeps looking for one.
    void Add();
    void Remove();
    bool IsAdded() const { return m_icon && m_icon->isVisible(); }
    // Whether the icon is in a tray now: the tray may have gone away since the icon was
    // added, and the periodic look only notices that later.
    bool IsInTray() const { return IsAdded() && m_available(); }
    bool HasPendingBalloon() const { return !m_balloonText.isEmpty(); }

private:
    void TryAdd();

    QSystemTrayIcon* m_icon = nullptr;
    QTimer* m_poll = nullptr;
    bool m_wanted = false;
    QString m_balloonTitle;
    QString m_balloonText;
    ClickHandler m_onClick;
    Availability m_available = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
};

}  // namespace nl
