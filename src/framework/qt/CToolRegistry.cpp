#include "framework/qt/CToolRegistry.h"

#include <algorithm>
#include <utility>

namespace nl {
namespace {

template <class Entry, class Match>
const Entry* FindEntry(const std::vector<Entry>& entries, Match match) {
    const auto it = std::find_if(entries.begin(), entries.end(), match);
    return it == entries.end() ? nullptr : &*it;
}

}  // namespace

void CToolRegistry::AddTool(Tool tool) {
    m_tools.push_back(std::move(tool));
}

void CToolRegistry::AddWindow(Window window) {
    m_windows.push_back(std::move(window));
}

const CToolRegistry::Tool* CToolRegistry::FindTool(std::int32_t tool) const {
    return FindEntry(m_tools, [tool](const Tool& t) { return t.tool == tool; });
}

const CToolRegistry::Window* CToolRegistry::FindWindow(int command) const {
    return FindEntry(m_windows, [command](const Window& w) { return w.command == command; });
}

}  // namespace nl
