#include "framework/CCmdTarget.h"

namespace nl {

bool CCmdTarget::OnCommand(int id) {
    // By index and through a copy of the handler: a handler may register further handlers,
    // which would move the entries under a running one.
    for (std::size_t i = 0; i < m_commands.size(); ++i) {
        if (id < m_commands[i].first || id > m_commands[i].last) continue;
        const std::function<bool(int)> handler = m_commands[i].handler;
        if (handler(id)) return true;
    }
    return false;
}

bool CCmdTarget::OnUpdateCommandUI(CCmdUI& ui) {
    const int id = ui.Id();
    for (std::size_t i = 0; i < m_updates.size(); ++i) {
        if (id < m_updates[i].first || id > m_updates[i].last) continue;
        const std::function<void(CCmdUI&)> handler = m_updates[i].handler;
        ui.ResetRouting();
        handler(ui);
        // One update handler per target: a handler that passes lets the next target decide.
        return !ui.ContinueRoutingRequested();
    }
    return false;
}

bool CCmdTarget::HasCommandHandler(int id) const {
    for (const CommandEntry& entry : m_commands)
        if (id >= entry.first && id <= entry.last) return true;
    return false;
}

void CCmdTarget::AddCommand(int id, std::function<void()> handler) {
    m_commands.push_back({id, id, [handler = std::move(handler)](int) {
                              handler();
                              return true;
                          }});
}

void CCmdTarget::AddCommandRange(int first, int last, std::function<bool(int id)> handler) {
    m_commands.push_back({first, last, std::move(handler)});
}

void CCmdTarget::AddUpdate(int id, std::function<void(CCmdUI&)> handler) {
    m_updates.push_back({id, id, std::move(handler)});
}

void CCmdTarget::AddUpdateRange(int first, int last, std::function<void(CCmdUI&)> handler) {
    m_updates.push_back({first, last, std::move(handler)});
}

bool CCmdRoute::Execute(int id) const {
    for (CCmdTarget* target : m_targets)
        if (target != nullptr && target->OnCommand(id)) return true;
    return false;
}

CCmdUI CCmdRoute::Update(int id) const {
    CCmdUI ui(id);
    for (CCmdTarget* target : m_targets) {
        if (target == nullptr) continue;
        ui.ResetRouting();
        if (target->OnUpdateCommandUI(ui)) return ui;
    }
    ui.ResetRouting();
    // No update handler decided: the item works exactly when somebody would run it.
    bool handled = false;
    for (const CCmdTarget* target : m_targets)
        if (target != nullptr && target->HasCommandHandler(id)) handled = true;
    ui.Enable(handled);
    return ui;
}

}  // namespace nl
