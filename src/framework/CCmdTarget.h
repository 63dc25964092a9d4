#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace nl {

// The state an update handler gives the user-interface items of one command: menu items,
// toolbar buttons and form buttons bound to it.
class CCmdUI {
public:
    enum Check { kUnchecked = 0, kChecked = 1, kIndeterminate = 2 };

    explicit CCmdUI(int id) : m_id(id) {}
    int Id() const { return m_id; }

    void Enable(bool on = true) { m_enabled = on; }
    void SetCheck(int check = kChecked) {
        m_check = check;
        m_radio = false;
    }
    // A radio mark (a dot instead of a check mark).
    void SetRadio(bool on = true) {
        m_check = on ? kChecked : kUnchecked;
        m_radio = true;
    }
    void SetText(std::string text) { m_text = std::move(text); }
    // A tool tip that says why the item is as it is (menu items show it on hover).
    void SetToolTip(std::string tip) { m_toolTip = std::move(tip); }
    // Lets the next target in the route handle the update after all.
    void ContinueRouting() { m_continueRouting = true; }

    bool Enabled() const { return m_enabled; }
    // Unset when no handler said anything about the check mark.
    std::optional<int> CheckState() const { return m_check; }
    bool IsRadio() const { return m_radio; }
    const std::optional<std::string>& Text() const { return m_text; }
    const std::optional<std::string>& ToolTip() const { return m_toolTip; }
    bool ContinueRoutingRequested() const { return m_continueRouting; }
    // Clears ContinueRouting before the next target is asked.
    void ResetRouting() { m_continueRouting = false; }

private:
    int m_id;
    bool m_enabled = true;
    std::optional<int> m_check;
    bool m_radio = false;
    std::optional<std::string> m_text;
    std::optional<std::string> m_toolTip;
    bool m_continueRouting = false;
};

// Something that handles commands by id: the application, the document, the frame, views.
// Handlers are registered by the derived class in its constructor.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Runs this target's handler of `id`; false when it has none (or a range handler
    // declined).
    virtual bool OnCommand(int id);
    // Runs this target's update handler of the command; false when it has none or the handler
    // called ContinueRouting.
    virtual bool OnUpdateCommandUI(CCmdUI& ui);
    // Whether this target has a command handler for `id` (an item without an update handler
    // is enabled exactly when some target of its route has one).
    virtual bool HasCommandHandler(int id) const;

protected:
    void AddCommand(int id, std::function<void()> handler);
    // `handler` returns false to let the next target of the route try the command.
    void AddCommandRange(int first, int last, std::function<bool(int id)> handler);
    void AddUpdate(int id, std::function<void(CCmdUI&)> handler);
    // The handler may call ui.ContinueRouting() for ids it leaves to the next target.
    void AddUpdateRange(int first, int last, std::function<void(CCmdUI&)> handler);

private:
    struct CommandEntry {
        int first;
        int last;
        std::function<bool(int)> handler;
    };
    struct UpdateEntry {
        int first;
        int last;
        std::function<void(CCmdUI&)> handler;
    };
    std::vector<CommandEntry> m_commands;
    std::vector<UpdateEntry> m_updates;
};

// A command route: the targets asked in order (toolbar view, main view, frame, document,
// application). Null entries are skipped.
class CCmdRoute {
public:
    explicit CCmdRoute(std::vector<CCmdTarget*> targets) : m_targets(std::move(targets)) {}

    // Runs the first handler of `id` along the route; false when none handled it.
    bool Execute(int id) const;
    // The state of command `id`: the first update handler along the route decides; without
    // one the command is enabled exactly when a target has a command handler for it.
    CCmdUI Update(int id) const;

private:
    std::vector<CCmdTarget*> m_targets;
};

}  // namespace nl
