#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/CCmdTarget.h"

class QAction;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace nl {

struct MenuItem;

// Turns the command tables (menus, toolbars, accelerators) into Qt actions that carry their
// command id, sends triggered actions to the command route and keeps every action's state
// (enabled, checked, text) in step with the route's update handlers.
class CCommandBinder : public QObject {
public:
    struct Callbacks {
        // Runs a command along the route; false when nobody handled it.
        std::function<bool(int id)> execute;
        // The state of a command along the route.
        std::function<CCmdUI(int id)> update;
        // The captions of the recent-file entries, most recent first.
        std::function<std::vector<std::string>()> recentFiles;
        // Whether buttons show their tool tips.
        std::function<bool()> toolTipsEnabled;
    };

    explicit CCommandBinder(Callbacks callbacks, QObject* parent = nullptr);

    // Replaces the menus of `bar` with the popups of menu resource `menuId`; false when there
    // is no such menu (the bar is left empty).
    bool BuildMenuBar(QMenuBar* bar, int menuId);
    // Fills `menu` with the items of the first popup of menu resource `menuId` (a context
    // menu); false when there is no such menu.
    bool BuildPopupMenu(QMenu* menu, int menuId);
    // Replaces the buttons of `toolBar` with toolbar resource `toolbarId`.
    void BuildToolBar(QToolBar* toolBar, int toolbarId);
    // Gives `window` the keys of accelerator table `tableId` as window-wide shortcuts, except
    // those whose command `skip` returns true for (keys another part of the program handles).
    // A key runs its command only while the command is enabled. Key presses that reach the
    // window are matched against the table by key code and by the character they type, and
    // the window's own table takes them before any other window's shortcuts.
    void AddShortcuts(QWidget* window, int tableId, const std::function<bool(int id)>& skip);

    // Runs the update handlers of every bound action shown outside a menu (a toolbar's); the
    // menus run their items' handlers as they open (UpdateMenu), and keys ask the handler
    // before they run a command. An action whose handler answers as it did last time, with
    // nothing else having changed the action since, is left alone: at rest no button is
    // touched or drawn again.
    void UpdateActions();
    // Runs the update handlers of the actions of `menu` (before it opens).
    void UpdateMenu(QMenu* menu);

    // The bound actions of command `id` (menu items, buttons, shortcuts).
    QList<QAction*> ActionsFor(int id) const;
    // The command id an action carries, 0 for none.
    static int CommandOf(const QAction* action);
    // Applies an update handler's answer to one action.
    static void ApplyState(QAction* action, const CCmdUI& ui);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddItems(QMenu* menu, const std::vector<MenuItem>& items);
    QAction* MakeCommandAction(QObject* parent, int id, const std::string& text);
    void FillRecentFiles(QMenu* menu, QAction* placeholder);
    void Bind(QAction* action);
    void Prune();
    // The command of `window`'s key table that `event` runs, 0 for none (or a skipped one).
    int KeyCommand(const QObject* window, const QKeyEvent& event) const;
    // Runs `id` as a key does: only while its command is enabled.
    void RunKey(int id);
    // Runs the command of the key claimed before `press` when it is that key's press.
    bool TakeClaimedPress(const QKeyEvent& press);

    struct KeyTable {
        QPointer<QWidget> window;
        int tableId = 0;
        std::function<bool(int id)> skip;
    };

    struct ClaimedKey {
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        int id = 0;
    };
    class KeyPressFilter;

    Callbacks m_callbacks;
    // Every bound action with its command, and whether it is a menu's item (updated as the
    // menu opens) rather than a toolbar's.
    struct Bound {
        QPointer<QAction> action;
        int id = 0;
        bool menuItem = false;
        // The answer the action shows; nothing once anything changed the action otherwise
        // (a click on a checkable button, a state applied from elsewhere).
        std::optional<CCmdUI> shown;
    };
    std::vector<Bound> m_actions;
    std::vector<KeyTable> m_keyTables;
    std::optional<ClaimedKey> m_claimed;
    KeyPressFilter* m_pressFilter = nullptr;
};

}  // namespace nl
