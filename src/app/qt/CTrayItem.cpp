#include "app/qt/CTrayItem.h"

#include <QMenu>
#include <QTimer>

namespace nl {

CTrayItem::CTrayItem(QObject* parent)
    : QObject(parent), m_icon(new QSystemTrayIcon(this)), m_poll(new QTimer(this)) {
    m_poll->setInterval(kTrayPollMs);
    connect(m_poll, &QTimer::timeout, this, &CTrayItem::TryAdd);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (m_onClick) m_onClick(reason);
            });
}

CTrayItem::~CTrayItem() {
    Remove();
}

void CTrayItem::SetIcon(const QIcon& pixels, const QString& themeName) {
    m_icon->setIcon(!themeName.isEmpty() && QIcon::hasThemeIcon(themeName)
                        ? QIcon::fromTheme(themeName)
                        : pixels);
}

void CTrayItem::SetToolTip(const QString& tip) {
    m_icon->setToolTip(tip);
}

void CTrayItem::SetMenu(QMenu* menu) {
    m_icon->setContextMenu(menu);
}

void CTrayItem::SetPendingBalloon(const QString& title, const QString& text) {
    m_balloonTitle = title;
    m_balloonText = text;
    if (IsAdded()) TryAdd();
}

void CTrayItem::Add() {
    m_wanted = true;
    TryAdd();
}

void CTrayItem::Remove() {
    m_wanted = false;
    m_poll->stop();
    if (m_icon) m_icon->hide();
}

void CTrayItem::TryAdd() {
    if (!m_wanted) return;
    if (!m_available()) {
        // The tray may have gone away with its panel: look again now and then.
        if (m_icon->isVisible()) m_icon->hide();
        if (!m_poll->isActive()) m_poll->start();
        return;
    }
    if (!m_icon->isVisible()) m_icon->show();
    // Keep watching: a panel that restarts takes the icon with it.
    if (!m_poll->isActive()) m_poll->start();
    if (!m_balloonText.isEmpty() && QSystemTrayIcon::supportsMessages()) {
        m_icon->showMessage(m_balloonTitle, m_balloonText, m_icon->icon(), kBalloonTimeoutMs);
        m_balloonText.clear();
    }
}

}  // namespace nl
