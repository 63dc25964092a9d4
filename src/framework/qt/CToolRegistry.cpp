#include "framework/qt/CToolRegistry.h"

#include <algorithm>
#include <utility>

namespace nl {
namespace {

template <class Entry, class Match>
void AddOrReplace(std::vector<Entry>& entries, Entry entry, Match same) {
    const auto it = std::find_if(entries.begin(), entries.end(), same);
    if (it != entries.end()) {
        *it = std::move(entry);
    } else {
        entries.push_back(std::move(entry));
    }
}

template <class Entry, class Match>
const Entry* FindEntry(const std::vector<Entry>& entries, Match match) {
    const auto it = std::find_if(entries.begin(), entries.end(), match);
    return it == entries.end() ? nullptr : &*it;
}

}  // namespace

void CToolRegistry::AddTool(Tool tool) {
    // A tool's number and its command each name one entry.
    std::erase_if(m_tools, [&](const Tool& t) {
        return t.command == tool.command && t.tool != tool.tool;
    });
    const std::int32_t number = tool.tool;
    AddOrReplace(m_tools, std::move(tool), [number](const Tool& t) { return t.tool == number; });
}

void CToolRegistry::AddWindow(Window window) {
    const int command = window.command;
    AddOrReplace(m_windows, std::move(window),
                 [command](const Window& w) { return w.command == command; });
}

const CToolRegistry::Tool* CToolRegistry::FindTool(std::int32_t tool) const {
    return FindEntry(m_tools, [tool](const Tool& t) { return t.tool == tool; });
}

const CToolRegistry::Tool* CToolRegistry::FindToolByCommand(int command) const {
    return FindEntry(m_tools, [command](const Tool& t) { return t.command == command; });
}

const CToolRegistry::Window* CToolRegistry::FindWindow(int command) const {
    return FindEntry(m_windows, [command](const Window& w) { return w.command == command; });
}

}  // namespace nl
