#include "platform/fake/FakeDesktop.h"

#include <algorithm>

namespace nl {

namespace {

constexpr GrabPixel kOpaque = 0xFF000000;
// Guards the walks up the owner chain against an owner cycle.
constexpr int kMaxOwnerDepth = 64;

GrabPixel ToGrabPixel(COLORREF c) {
    return kOpaque | (static_cast<GrabPixel>(RgbRed(c)) << 16) |
           (static_cast<GrabPixel>(RgbGreen(c)) << 8) | static_cast<GrabPixel>(RgbBlue(c));
}

}  // namespace

FakeDesktop::FakeDesktop(Rect screen) {
    SetMonitors({MonitorInfo{screen, screen}});
}

void FakeDesktop::SetMonitors(std::vector<MonitorInfo> monitors) {
    ++m_changes;
    if (monitors.empty()) monitors.push_back({m_screen, m_screen});
    Rect all;
    for (const auto& m : monitors) all = Union(all, m.monitor);
    m_monitors = std::move(monitors);
    m_screen = all;
    m_pixels.assign(static_cast<std::size_t>(m_screen.Area()), MakeRgb(0, 0, 0));
    Thaw();
    m_cursor =
        Point{std::clamp(m_cursor.x, m_screen.left, std::max(m_screen.left, m_screen.right - 1)),
              std::clamp(m_cursor.y, m_screen.top, std::max(m_screen.top, m_screen.bottom - 1))};
}

void FakeDesktop::SetPixel(Point pos, COLORREF color) {
    FillRect({pos.x, pos.y, pos.x + 1, pos.y + 1}, color);
}

void FakeDesktop::FillRect(const Rect& rect, COLORREF color, ChangeReport report) {
    if (report == ChangeReport::kReported) ++m_changes;
    const Rect r = Intersect(rect, m_screen);
    const auto width = static_cast<std::size_t>(m_screen.Width());
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            m_pixels[static_cast<std::size_t>(y - m_screen.top) * width +
                     static_cast<std::size_t>(x - m_screen.left)] = color & kRgbMask;
}

void FakeDesktop::SetCursorPos(Point pos) {
    // The cursor stays on the screen, as the system keeps it.
    m_cursor.x = std::clamp(pos.x, m_screen.left, std::max(m_screen.left, m_screen.right - 1));
    m_cursor.y = std::clamp(pos.y, m_screen.top, std::max(m_screen.top, m_screen.bottom - 1));
}

std::optional<CursorImage> FakeDesktop::CurrentCursor() const {
    if (!m_cursorImage) return std::nullopt;
    CursorImage image = *m_cursorImage;
    image.position = m_cursor;  // the hot spot is where the cursor is
    return image;
}

COLORREF FakeDesktop::PixelColor(Point pos) const {
    if (!m_readable || !m_screen.Contains(pos)) return kNoColor;
    return Shown()[static_cast<std::size_t>(pos.y - m_screen.top) *
                       static_cast<std::size_t>(m_screen.Width()) +
                   static_cast<std::size_t>(pos.x - m_screen.left)];
}

bool FakeDesktop::Grab(const Rect& rect, GrabPixel* pixels, std::size_t stride) const {
    if (!m_readable || rect.IsEmpty() || stride < static_cast<std::size_t>(rect.Width()))
        return false;
    for (int y = rect.top; y < rect.bottom; ++y) {
        GrabPixel* row = pixels + static_cast<std::size_t>(y - rect.top) * stride;
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF c = PixelColor({x, y});
            row[x - rect.left] = ToGrabPixel(c == kNoColor ? MakeRgb(0, 0, 0) : c);
        }
    }
    return true;
}

bool FakeDesktop::Freeze(std::string* error) {
    if (!m_readable) {
        if (error) *error = "The screen cannot be read.";
        return false;
    }
    m_frozen = m_pixels;
    m_isFrozen = true;
    ++m_freezes;
    return true;
}

void FakeDesktop::Thaw() {
    m_isFrozen = false;
    m_frozen.clear();
}

WindowId FakeDesktop::AddWindow(const WindowDesc& desc) {
    ++m_changes;
    const WindowId id = m_nextId++;
    Window w{desc, {}};
    if (w.desc.client.IsEmpty()) w.desc.client = w.desc.rect;
    if (desc.parent != kNoWindow) w.desc.owner = kNoWindow;
    m_windows.emplace(id, std::move(w));
    Siblings(id).insert(Siblings(id).begin(), id);
    return id;
}

void FakeDesktop::DestroyWindow(WindowId window) {
    ++m_changes;
    const Window* w = Find(window);
    if (!w) return;
    const std::vector<WindowId> children = w->children;
    for (WindowId child : children) DestroyWindow(child);
    std::erase(Siblings(window), window);
    m_windows.erase(window);
    if (m_foreground == window) m_foreground = kNoWindow;
}

void FakeDesktop::SetVisible(WindowId window, bool visible) {
    ++m_changes;
    if (auto it = m_windows.find(window); it != m_windows.end()) it->second.desc.visible = visible;
}

void FakeDesktop::SetMinimized(WindowId window, bool minimized) {
    ++m_changes;
    if (auto it = m_windows.find(window); it != m_windows.end())
        it->second.desc.minimized = minimized;
}

void FakeDesktop::SetTitle(WindowId window, const std::string& title) {
    ++m_changes;
    if (auto it = m_windows.find(window); it != m_windows.end()) it->second.desc.title = title;
}

void FakeDesktop::SetOwner(WindowId window, WindowId owner) {
    ++m_changes;
    if (auto it = m_windows.find(window);
        it != m_windows.end() && it->second.desc.parent == kNoWindow)
        it->second.desc.owner = owner;
}

void FakeDesktop::BringToTop(WindowId window) {
    ++m_changes;
    if (!Find(window)) return;
    auto& siblings = Siblings(window);
    std::erase(siblings, window);
    siblings.insert(siblings.begin(), window);
}

const FakeDesktop::Window* FakeDesktop::Find(WindowId window) const {
    const auto it = m_windows.find(window);
    return it == m_windows.end() ? nullptr : &it->second;
}

std::vector<WindowId>& FakeDesktop::Siblings(WindowId window) {
    const WindowId parent = m_windows.at(window).desc.parent;
    return parent == kNoWindow ? m_topLevel : m_windows.at(parent).children;
}

WindowId FakeDesktop::Hit(const std::vector<WindowId>& candidates, Point pos) const {
    for (WindowId id : candidates) {
        const Window& w = m_windows.at(id);
        if (w.desc.visible && !w.desc.minimized && !w.desc.transparent && w.desc.rect.Contains(pos))
            return id;
    }
    return kNoWindow;
}

WindowId FakeDesktop::WindowFromPoint(Point pos) const {
    WindowId hit = Hit(m_topLevel, pos);
    if (hit == kNoWindow) return m_desktop;
    for (WindowId child = hit; child != kNoWindow; child = Hit(m_windows.at(hit).children, pos))
        hit = child;
    return hit;
}

WindowId FakeDesktop::ChildFromPoint(WindowId parent, Point pos) const {
    const Window* w = Find(parent);
    return w ? Hit(w->children, pos) : kNoWindow;
}

WindowId FakeDesktop::Ancestor(WindowId window, WindowAncestor kind) const {
    const Window* w = Find(window);
    if (!w) return kNoWindow;
    if (kind == WindowAncestor::kParent)
        return w->desc.parent != kNoWindow || window == m_desktop ? w->desc.parent : m_desktop;
    WindowId top = window;
    while (m_windows.at(top).desc.parent != kNoWindow) top = m_windows.at(top).desc.parent;
    if (kind == WindowAncestor::kRoot) return top;
    for (int depth = 0; depth < kMaxOwnerDepth; ++depth) {
        const WindowId owner = Owner(top);
        if (owner == kNoWindow || owner == top) break;
        top = owner;
    }
    return top;
}

WindowId FakeDesktop::Owner(WindowId window) const {
    const Window* w = Find(window);
    return w && Find(w->desc.owner) ? w->desc.owner : kNoWindow;
}

std::string FakeDesktop::WindowText(WindowId window) const {
    const Window* w = Find(window);
    return w ? w->desc.title : std::string();
}

std::string FakeDesktop::ClassName(WindowId window) const {
    const Window* w = Find(window);
    return w ? w->desc.className : std::string();
}

bool FakeDesktop::IsWindowVisible(WindowId window) const {
    // Shown when the window and every ancestor are shown.
    for (const Window* w = Find(window); w; w = Find(w->desc.parent))
        if (!w->desc.visible) return false;
    return Find(window) != nullptr;
}

bool FakeDesktop::IsMinimized(WindowId window) const {
    const Window* w = Find(window);
    return w && w->desc.minimized;
}

bool FakeDesktop::IsTransparent(WindowId window) const {
    const Window* w = Find(window);
    return w && w->desc.transparent;
}

void FakeDesktop::Restore(WindowId window) {
    if (!Find(window)) return;
    ++m_restores;
    m_windows.at(window).desc.minimized = false;
    m_foreground = Ancestor(window, WindowAncestor::kRoot);
}

Rect FakeDesktop::WindowRect(WindowId window) const {
    const Window* w = Find(window);
    return w ? w->desc.rect : Rect{};
}

Rect FakeDesktop::ClientRect(WindowId window) const {
    const Window* w = Find(window);
    return w ? w->desc.client : Rect{};
}

std::vector<WindowId> FakeDesktop::TopLevelWindows() const {
    return m_topLevel;
}

}  // namespace nl
