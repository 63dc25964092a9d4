#include "framework/qt/CCommandBinder.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "platform/qt/qt_convert.h"
#include "res/accelerators.h"
#include "res/menus.h"
#include "res/toolbars.h"
#include "ui/qt/qt_keys.h"
#include "ui/qt/svg_icons.h"

namespace nl {
namespace {

constexpr const char* kCommandProperty = "nlCommand";
// The key text after the tab of a menu caption, kept when an update handler sets the text.
constexpr const char* kKeyTextProperty = "nlKeyText";
// Marks an action whose tool tip an update handler set.
constexpr const char* kToolTipProperty = "nlUpdateToolTip";
// Marks the actions that stand for one recent-file entry.
constexpr const char* kRecentProperty = "nlRecent";

// Whether two update answers show an action alike: the same enabling, mark, text and tool tip.
bool ShowsAs(const CCmdUI& a, const CCmdUI& b) {
    return a.Enabled() == b.Enabled() && a.CheckState() == b.CheckState() &&
           a.IsRadio() == b.IsRadio() && a.Text() == b.Text() && a.ToolTip() == b.ToolTip();
}

}  // namespace

// Sees every key press of the application before the control it is for.
class CCommandBinder::KeyPressFilter : public QObject {
public:
    KeyPressFilter(std::function<bool(const QKeyEvent&)> onPress, QObject* parent)
        : QObject(parent), m_onPress(std::move(onPress)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        return event->type() == QEvent::KeyPress && m_onPress(*static_cast<QKeyEvent*>(event));
    }

private:
    std::function<bool(const QKeyEvent&)> m_onPress;
};

CCommandBinder::CCommandBinder(Callbacks callbacks, QObject* parent)
    : QObject(parent), m_callbacks(std::move(callbacks)) {}

int CCommandBinder::CommandOf(const QAction* action) {
    if (!action) return 0;
    return action->property(kCommandProperty).toInt();
}

void CCommandBinder::ApplyState(QAction* action, const CCmdUI& ui) {
    action->setEnabled(ui.Enabled());
    // Menus draw a radio mark for an action of an exclusive group: a radio state puts the
    // action in a group of its own (the update handlers decide which item is on).
    QActionGroup* group = action->actionGroup();
    if (ui.IsRadio() && !group) {
        group = new QActionGroup(action);
        group->addAction(action);
    } else if (!ui.IsRadio() && group && group->parent() == action) {
        group->removeAction(action);
        delete group;
    }
    if (const auto check = ui.CheckState()) {
        action->setCheckable(true);
        action->setChecked(*check == CCmdUI::kChecked);
    } else if (action->isCheckable()) {
        action->setChecked(false);
        action->setCheckable(false);
    }
    if (ui.Text()) {
        QString text = ToQt(*ui.Text());
        const QString keys = action->property(kKeyTextProperty).toString();
        if (!keys.isEmpty()) text += QLatin1Char('\t') + keys;
        if (action->text() != text) action->setText(text);
    }
    // A tool tip from the update handler; without one the action's own (its text) again.
    // Menus show only tool tips that were set, so showing them costs the other items nothing.
    if (ui.ToolTip()) {
        action->setToolTip(ToQt(*ui.ToolTip()));
        for (QObject* user : action->associatedObjects())
            if (auto* menu = qobject_cast<QMenu*>(user)) menu->setToolTipsVisible(true);
    } else if (action->property(kToolTipProperty).toBool()) {
        action->setToolTip(QString());
    }
    action->setProperty(kToolTipProperty, ui.ToolTip().has_value());
}

QAction* CCommandBinder::MakeCommandAction(QObject* parent, int id, const std::string& text) {
    auto* action = new QAction(ToQt(text), parent);
    action->setProperty(kCommandProperty, id);
    const qsizetype tab = action->text().indexOf(QLatin1Char('\t'));
    if (tab >= 0) action->setProperty(kKeyTextProperty, action->text().mid(tab + 1));
    const PromptAndTip strings = SplitPrompt(LoadString(static_cast<std::uint32_t>(id)));
    if (!strings.prompt.empty()) action->setStatusTip(ToQt(strings.prompt));
    connect(action, &QAction::triggered, this, [this, id] {
        if (m_callbacks.execute) m_callbacks.execute(id);
    });
    Bind(action);
    return action;
}

void CCommandBinder::Bind(QAction* action) {
    Prune();
    const bool menuItem = qobject_cast<QMenu*>(action->parent()) != nullptr;
    m_actions.push_back({action, CommandOf(action), menuItem, std::nullopt});
    if (menuItem) return;
    // Whatever changes the action (its own update included, which records its answer after
    // this) makes the next update apply its answer again.
    connect(action, &QAction::changed, this, [this, action] {
        for (Bound& bound : m_actions)
            if (bound.action == action) bound.shown.reset();
    });
}

void CCommandBinder::Prune() {
    std::erase_if(m_actions, [](const Bound& bound) { return bound.action.isNull(); });
}

void CCommandBinder::AddItems(QMenu* menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        switch (item.kind) {
            case MenuItemKind::kSeparator:
                menu->addSeparator();
                break;
            case MenuItemKind::kPopup: {
                QMenu* sub = menu->addMenu(ToQt(item.text));
                AddItems(sub, item.items);
                break;
            }
            case MenuItemKind::kRecentFiles: {
                // An invisible marker: the entries are put in front of it each time the
                // menu opens, so the list is always the current one.
                auto* placeholder = new QAction(menu);
                placeholder->setVisible(false);
                menu->addAction(placeholder);
                connect(menu, &QMenu::aboutToShow, this,
                        [this, menu, placeholder] { FillRecentFiles(menu, placeholder); });
                FillRecentFiles(menu, placeholder);
                break;
            }
            case MenuItemKind::kCommand:
                menu->addAction(MakeCommandAction(menu, item.id, item.text));
                break;
        }
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
}

void CCommandBinder::FillRecentFiles(QMenu* menu, QAction* placeholder) {
    for (QAction* action : menu->actions()) {
        if (action->property(kRecentProperty).toBool()) {
            menu->removeAction(action);
            action->deleteLater();
        }
    }
    if (!m_callbacks.recentFiles) return;
    const std::vector<std::string> entries = m_callbacks.recentFiles();
    const int count =
        std::min<int>(static_cast<int>(entries.size()), cmd::kFileMruLast - cmd::kFileMruFirst + 1);
    for (int i = 0; i < count; ++i) {
        QAction* action = MakeCommandAction(menu, cmd::kFileMruFirst + i, entries[i]);
        action->setProperty(kRecentProperty, true);
        menu->insertAction(placeholder, action);
    }
}

bool CCommandBinder::BuildMenuBar(QMenuBar* bar, int menuId) {
    // The old menus go with their actions.
    const QList<QAction*> old = bar->actions();
    bar->clear();
    for (QAction* action : old) {
        if (QMenu* menu = action->menu()) menu->deleteLater();
    }
    const MenuResource* resource = FindMenu(menuId);
    if (!resource) return false;
    for (const MenuItem& popup : resource->popups) {
        QMenu* menu = new QMenu(ToQt(popup.text), bar);
        AddItems(menu, popup.items);
        bar->addMenu(menu);
    }
    return true;
}

bool CCommandBinder::BuildPopupMenu(QMenu* menu, int menuId) {
    menu->clear();
    const MenuResource* resource = FindMenu(menuId);
    if (!resource || resource->popups.empty()) return false;
    AddItems(menu, resource->popups.front().items);
    return true;
}

void CCommandBinder::BuildToolBar(QToolBar* toolBar, int toolbarId) {
    toolBar->clear();
    for (const int id : FindToolbar(toolbarId)) {
        if (id == 0) {
            toolBar->addSeparator();
            continue;
        }
        const PromptAndTip strings = SplitPrompt(LoadString(static_cast<std::uint32_t>(id)));
        const std::string& caption = strings.tip.empty() ? strings.prompt : strings.tip;
        QAction* action = MakeCommandAction(toolBar, id, caption);
        action->setIcon(IconFromSvg(id));
        action->setToolTip(ToQt(caption));
        toolBar->addAction(action);
        if (QWidget* button = toolBar->widgetForAction(action)) button->installEventFilter(this);
    }
}

void CCommandBinder::AddShortcuts(QWidget* window, int tableId,
                                  const std::function<bool(int id)>& skip) {
    m_keyTables.push_back({window, tableId, skip});
    window->installEventFilter(this);
    if (!m_pressFilter) {
        m_pressFilter = new KeyPressFilter(
            [this](const QKeyEvent& press) { return TakeClaimedPress(press); }, this);
        qApp->installEventFilter(m_pressFilter);
    }
    for (const Accelerator& key : FindAccelerators(tableId)) {
        if (skip && skip(key.command)) continue;
        const QKeySequence sequence = KeySequenceFromVirtualKey(key.modifiers, key.virtualKey);
        if (sequence.isEmpty()) continue;
        auto* action = new QAction(window);
        action->setProperty(kCommandProperty, key.command);
        action->setShortcut(sequence);
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = key.command;
        connect(action, &QAction::triggered, this, [this, id] { RunKey(id); });
        window->addAction(action);
    }
}

void CCommandBinder::UpdateActions() {
    if (!m_callbacks.update) return;
    Prune();
    for (Bound& bound : m_actions) {
        if (!bound.action || bound.menuItem) continue;
        CCmdUI ui = m_callbacks.update(bound.id);
        if (bound.shown && ShowsAs(*bound.shown, ui)) continue;
        ApplyState(bound.action, ui);
        bound.shown = std::move(ui);
    }
}

void CCommandBinder::UpdateMenu(QMenu* menu) {
    if (!m_callbacks.update) return;
    for (QAction* action : menu->actions()) {
        if (const int id = CommandOf(action)) ApplyState(action, m_callbacks.update(id));
    }
}

QList<QAction*> CCommandBinder::ActionsFor(int id) const {
    QList<QAction*> result;
    for (const Bound& bound : m_actions) {
        if (bound.action && bound.id == id) result.push_back(bound.action);
    }
    return result;
}

void CCommandBinder::RunKey(int id) {
    // A key is like a menu item that nobody sees: it runs its command only when the
    // command's update handler allows it.
    if (m_callbacks.update && !m_callbacks.update(id).Enabled()) return;
    if (m_callbacks.execute) m_callbacks.execute(id);
}

int CCommandBinder::KeyCommand(const QObject* window, const QKeyEvent& event) const {
    for (const KeyTable& table : m_keyTables) {
        if (table.window != window) continue;
        const int id = FindAcceleratorCommandForKey(table.tableId, event.key(), event.modifiers());
        return id != 0 && !(table.skip && table.skip(id)) ? id : 0;
    }
    return 0;
}

bool CCommandBinder::TakeClaimedPress(const QKeyEvent& press) {
    if (!m_claimed) return false;
    const ClaimedKey claimed = *m_claimed;
    m_claimed.reset();
    if (press.key() != claimed.key || press.modifiers() != claimed.modifiers) return false;
    RunKey(claimed.id);
    return true;
}

bool CCommandBinder::eventFilter(QObject* watched, QEvent* event) {
    // A key of the window's table that no control of the window asked for: claimed before
    // the shortcuts are matched (so no other window's shortcut competes for it). The press
    // that follows goes to the focused control, so it is taken on its way there by the
    // application-wide filter.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (const int id = KeyCommand(watched, key)) {
            m_claimed = ClaimedKey{key.key(), key.modifiers(), id};
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::ToolTip && m_callbacks.toolTipsEnabled &&
        !m_callbacks.toolTipsEnabled()) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace nl
