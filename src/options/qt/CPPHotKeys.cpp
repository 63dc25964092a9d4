#include "options/qt/CPPHotKeys.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <span>
#include <vector>

#include "base/StringTable.h"
#include "base/string_ids.h"
#include "framework/CAppPrefs.h"
#include "framework/hot_keys.h"
#include "framework/program_options.h"
#include "framework/qt/AppContext.h"
#include "options/qt/CDlgHotKey.h"
#include "options/qt/CListCtrlExHotKeys.h"
#include "platform/IHotKeys.h"
#include "platform/qt/qt_convert.h"

namespace nl {

namespace {

std::uint32_t RouteTextId(HotKeyRoute route) {
    switch (route) {
        case HotKeyRoute::kDesktopPortal:
            return kIdsHotKeysPortal;
        case HotKeyRoute::kUnavailable:
            return kIdsHotKeysUnavailable;
        default:
            return kIdsHotKeysGrabbed;
    }
}

// "Pick Color (Ctrl + F12)" for hot key `id` set to `value`.
std::string KeyItem(int id, std::uint32_t value) {
    return FormatString(kIdsHotKeysPortalItem, {HotKeyCommandName(id), HotKeyText(value)});
}

std::string CommandLine(int id) {
    for (const OutsideCommand& command : kOutsideCommands)
        if (command.hotKeyId == id) return "nerimlens-cli command " + std::string(command.name);
    return {};
}

std::string JoinItems(const std::vector<std::string>& items) {
    std::string joined;
    for (const std::string& item : items) joined += (joined.empty() ? "" : ", ") + item;
    return joined;
}

// Where the desktop holds the keys: which of the keys set it bound, and for the others the
// command lines to bind in its own keyboard settings.
std::string PortalText(const IHotKeys& hotKeys, std::span<const std::uint32_t> table) {
    std::vector<std::string> bound, unbound, commands;
    for (const int id : kHotKeyOrder) {
        const std::uint32_t value =
            static_cast<std::size_t>(id) < table.size() ? table[static_cast<std::size_t>(id)] : 0;
        if (value == 0) continue;
        if (hotKeys.DesktopBound(id, nullptr)) {
            bound.push_back(KeyItem(id, value));
        } else {
            unbound.push_back(KeyItem(id, value));
            commands.push_back(CommandLine(id));
        }
    }
    if (bound.empty() && unbound.empty()) return LoadString(kIdsHotKeysPortal);
    std::string text;
    if (!bound.empty()) text = FormatString(kIdsHotKeysPortalBound, {JoinItems(bound)});
    if (!unbound.empty()) {
        if (!text.empty()) text += '\n';
        text += FormatString(kIdsHotKeysPortalUnbound, {JoinItems(unbound), JoinItems(commands)});
    }
    return text;
}

// The desktop's own shortcut settings, where it has a page for them that a program can open.
QStringList ShortcutSettingsCommand() {
    if (!qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(QLatin1String("KDE"))) return {};
    const QString program = QStandardPaths::findExecutable(QStringLiteral("systemsettings"));
    if (program.isEmpty()) return {};
    return {program, QStringLiteral("kcm_keys")};
}

}  // namespace

CPPHotKeys::CPPHotKeys(AppContext& context, IViewHost& host, QWidget* parent)
    : CPPParent(context, host, parent) {
    m_list = new CListCtrlExHotKeys(context, this);
    m_list->setObjectName(QString::number(kControlList));
    m_route = new QLabel(this);
    m_route->setObjectName(QString::number(kControlRoute));
    m_route->setWordWrap(true);
    m_route->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_route);
    const QStringList settings = ShortcutSettingsCommand();
    if (context.hotKeys.Route() == HotKeyRoute::kDesktopPortal && !settings.isEmpty()) {
        auto* open = new QPushButton(ToQt(LoadString(kIdsHotKeysDesktopSettings)), this);
        open->setObjectName(QString::number(kControlDesktopSettings));
        connect(open, &QPushButton::clicked, this,
                [settings] { QProcess::startDetached(settings.front(), settings.mid(1)); });
        layout->addWidget(open, 0, Qt::AlignLeft);
    }
    LoadData();
    connect(m_list, &CListCtrlEx::ButtonClicked, this, [this](int row, int column) {
        if (column == CListCtrlExHotKeys::kEditColumn) EditHotKey(row);
    });
}

void CPPHotKeys::LoadData() {
    m_list->SetKeys(m_context.prefs.HotKeyTable());
    ShowRoute();
    SetModified(false);
}

void CPPHotKeys::ShowRoute() {
    const HotKeyRoute route = m_context.hotKeys.Route();
    m_route->setText(ToQt(route == HotKeyRoute::kDesktopPortal
                              ? PortalText(m_context.hotKeys, m_context.prefs.HotKeyTable())
                              : LoadString(RouteTextId(route))));
}

bool CPPHotKeys::SaveData() {
    SetModified(false);
    return true;
}

void CPPHotKeys::EditHotKey(int row) {
    const int id = CListCtrlExHotKeys::HotKeyIdOfRow(row);
    if (id < 0) return;
    const std::vector<std::uint32_t> table = m_context.prefs.HotKeyTable();
    const std::uint32_t current =
        static_cast<std::size_t>(id) < table.size() ? table[static_cast<std::size_t>(id)] : 0;
    CDlgHotKey dialog(m_context.hotKeys, m_context.dialogs, id, current, kIdsHotKeyPrompt,
                      CDlgHotKey::Registration::kRegisterAtOnce, this);
    if (dialog.exec() != QDialog::Accepted) return;
    // Stored at once and announced as hot keys changed; the list follows that notification.
    m_context.prefs.SetHotKey(id, dialog.Value());
}

void CPPHotKeys::OnViewNotify(int notification) {
    switch (static_cast<ViewNotify>(notification)) {
        case ViewNotify::kHotKeysChanged:
            m_list->SetKeys(m_context.prefs.HotKeyTable());
            ShowRoute();
            break;
        case ViewNotify::kGridLinesChanged:
            m_list->ApplyGridLines();
            break;
        case ViewNotify::kToolTipsChanged:
            m_list->ApplyToolTips();
            break;
        default:
            break;
    }
}

}  // namespace nl
