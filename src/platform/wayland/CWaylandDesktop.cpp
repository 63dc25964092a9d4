#include "platform/wayland/CWaylandDesktop.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/wayland/CWaylandScreen.h"
#include "platform/wayland/screen_planes.h"

namespace nl {
namespace {

using wayland::ScreenPlane;
using wayland::SwayView;

// Sway's answer is kept this long: one pick asks several questions about the same windows.
constexpr auto kViewsMaxAge = std::chrono::milliseconds(250);
// The dots per inch of a monitor at scale 1.
constexpr double kBaseDpi = 96.0;
constexpr char kNoScreenReader[] =
    "the Wayland compositor does not let programs copy the screen and no screenshot service "
    "is available";

COLORREF ToColorRef(GrabPixel pixel) {
    return MakeRgb(static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                   static_cast<int>(pixel & 0xFF));
}

}  // namespace

std::unique_ptr<CWaylandDesktop> CWaylandDesktop::Open(std::unique_ptr<IScreenSource> source,
                                                       std::string* error,
                                                       ScreenCopyUse screenCopy) {
    std::unique_ptr<wayland::CWaylandScreen> screen = wayland::CWaylandScreen::Connect(error);
    if (!screen) return nullptr;
    return std::unique_ptr<CWaylandDesktop>(
        new CWaylandDesktop(std::move(screen), std::move(source), screenCopy));
}

CWaylandDesktop::CWaylandDesktop(std::unique_ptr<wayland::CWaylandScreen> screen,
                                 std::unique_ptr<IScreenSource> source, ScreenCopyUse screenCopy)
    : m_screen(std::move(screen)), m_source(std::move(source)), m_screenCopy(screenCopy) {
    if (const char* sock = std::getenv("SWAYSOCK")) m_swaySocket = sock;
    m_metrics.dpiX = m_metrics.dpiY = static_cast<int>(std::lround(kBaseDpi * m_screen->Scale()));
}

bool CWaylandDesktop::CopiesScreen() const {
    return m_screenCopy == ScreenCopyUse::kWhereOffered && m_screen->CanCapture();
}

CWaylandDesktop::~CWaylandDesktop() = default;

bool CWaylandDesktop::CanReadScreen() const {
    return CopiesScreen() || m_source;
}

Rect CWaylandDesktop::VirtualScreen() const {
    Rect all;
    for (const Rect& monitor : m_screen->MonitorRects()) all = Union(all, monitor);
    return all;
}

std::vector<MonitorInfo> CWaylandDesktop::Monitors() const {
    // The compositor tells no work area apart from the monitor.
    std::vector<MonitorInfo> monitors;
    const std::vector<Rect> rects = m_screen->MonitorRects();
    const std::vector<double> scales = m_screen->MonitorScales();
    for (std::size_t i = 0; i < rects.size(); ++i)
        monitors.push_back({rects[i], rects[i], i < scales.size() ? scales[i] : 1.0});
    return monitors;
}

DisplayMetrics CWaylandDesktop::Metrics() const {
    return m_metrics;
}

bool CWaylandDesktop::ReadScreen(const Rect& area) const {
    m_lastError.clear();
    if (m_frozen) return true;
    if (CopiesScreen()) return m_screen->Capture(area, &m_lastError);
    if (!m_source) {
        m_lastError = kNoScreenReader;
        return false;
    }
    m_haveSourceFrame = m_source->Capture(m_sourceFrame, &m_lastError);
    return m_haveSourceFrame;
}

std::vector<ScreenPlane> CWaylandDesktop::Planes() const {
    if (CopiesScreen()) return m_screen->Planes();
    if (!m_haveSourceFrame) return {};
    const ScreenFrame& f = m_sourceFrame;
    if (f.pixels.size() < f.area.Area()) return {};
    return {ScreenPlane{f.area, reinterpret_cast<const std::uint8_t*>(f.pixels.data()),
                        static_cast<std::size_t>(f.area.Width()) * sizeof(GrabPixel)}};
}

COLORREF CWaylandDesktop::PixelColor(Point pos) const {
    if (!VirtualScreen().Contains(pos) || !ReadScreen({pos.x, pos.y, pos.x + 1, pos.y + 1}))
        return kNoColor;
    const std::optional<GrabPixel> pixel = wayland::PlanePixel(Planes(), pos);
    return pixel ? ToColorRef(*pixel) : kNoColor;
}

bool CWaylandDesktop::Grab(const Rect& rect, GrabPixel* pixels, std::size_t stride) const {
    if (rect.IsEmpty() || stride < static_cast<std::size_t>(rect.Width())) return false;
    if (!ReadScreen(rect)) return false;
    wayland::ComposePlanes(Planes(), rect, pixels, stride);
    return true;
}

std::optional<LentPixels> CWaylandDesktop::GrabLent(const Rect& rect) const {
    if (rect.IsEmpty() || Intersect(rect, VirtualScreen()) != rect || !ReadScreen(rect))
        return std::nullopt;
    return wayland::LendFromPlanes(Planes(), rect);
}

bool CWaylandDesktop::Freeze(std::string* error) {
    m_frozen = false;
    if (!ReadScreen(VirtualScreen())) {
        if (error) *error = m_lastError;
        return false;
    }
    // The windows as they were: the frozen picture's own window would hide them later.
    m_frozenViews = AskViews();
    m_frozen = true;
    return true;
}

void CWaylandDesktop::Thaw() {
    m_frozen = false;
    m_frozenViews.clear();
}

std::vector<SwayView> CWaylandDesktop::AskViews() const {
    if (m_swaySocket.empty()) return {};
    const std::optional<std::string> tree =
        wayland::SwayRequest(m_swaySocket, wayland::SwayMessage::kGetTree, {});
    if (!tree) return {};
    std::vector<SwayView> views = wayland::ParseSwayTree(*tree);
    for (SwayView& view : views) {
        view.frame = m_screen->WindowToDevice(view.frame);
        view.content = m_screen->WindowToDevice(view.content);
    }
    return views;
}

const std::vector<SwayView>& CWaylandDesktop::Views() const {
    if (m_frozen) return m_frozenViews;
    const auto now = std::chrono::steady_clock::now();
    if (!m_haveViews || now - m_viewsTime > kViewsMaxAge) {
        m_views = AskViews();
        m_viewsTime = now;
        m_haveViews = true;
    }
    return m_views;
}

const SwayView* CWaylandDesktop::FindView(WindowId window) const {
    const std::vector<SwayView>& views = Views();
    const auto it = std::find_if(views.begin(), views.end(),
                                 [window](const SwayView& v) { return v.id == window; });
    return it == views.end() ? nullptr : &*it;
}

WindowId CWaylandDesktop::WindowFromPoint(Point pos) const {
    const WindowId child = ChildFromPoint(kDesktopId, pos);
    return child != kNoWindow ? child : kDesktopId;
}

WindowId CWaylandDesktop::ChildFromPoint(WindowId parent, Point pos) const {
    if (parent != kDesktopId) return kNoWindow;
    for (const SwayView& view : Views())
        if (view.frame.Contains(pos)) return view.id;
    return kNoWindow;
}

WindowId CWaylandDesktop::Ancestor(WindowId window, WindowAncestor kind) const {
    if (!IsWindow(window)) return kNoWindow;
    if (kind == WindowAncestor::kParent) return window == kDesktopId ? kNoWindow : kDesktopId;
    // Every view is a top-level window of its own.
    return window;
}

std::string CWaylandDesktop::WindowText(WindowId window) const {
    const SwayView* view = FindView(window);
    return view ? view->title : std::string();
}

std::string CWaylandDesktop::ClassName(WindowId window) const {
    const SwayView* view = FindView(window);
    return view ? view->className : std::string();
}

bool CWaylandDesktop::IsWindow(WindowId window) const {
    return window == kDesktopId || FindView(window) != nullptr;
}

void CWaylandDesktop::Restore(WindowId window) {
    if (m_swaySocket.empty() || FindView(window) == nullptr) return;
    wayland::SwayRequest(m_swaySocket, wayland::SwayMessage::kRunCommand,
                         "[con_id=" + std::to_string(window) + "] focus");
    m_haveViews = false;
}

Rect CWaylandDesktop::WindowRect(WindowId window) const {
    if (window == kDesktopId) return VirtualScreen();
    const SwayView* view = FindView(window);
    return view ? view->frame : Rect{};
}

Rect CWaylandDesktop::ClientRect(WindowId window) const {
    if (window == kDesktopId) return VirtualScreen();
    const SwayView* view = FindView(window);
    return view ? view->content : Rect{};
}

std::vector<WindowId> CWaylandDesktop::TopLevelWindows() const {
    std::vector<WindowId> ids;
    for (const SwayView& view : Views()) ids.push_back(view.id);
    return ids;
}

WindowId CWaylandDesktop::ForegroundWindow() const {
    for (const SwayView& view : Views())
        if (view.focused) return view.id;
    return kNoWindow;
}

}  // namespace nl
