#include "platform/x11/CX11Desktop.h"

#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cmath>
#include <cstring>

#include "platform/qt/qt_convert.h"
#include "platform/qt/screen_pixels.h"
#include "platform/x11/xcb_support.h"

namespace nl {
namespace {

// The 52 letters the average character width of a font is measured with.
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kAlphabetHalf = 26;

QScreen* PrimaryScreen() {
    return qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
}

// Whether the screen can be read: through Qt's screens, or through the program's own X
// connection when no Qt application runs.
bool HasScreen() {
    return qGuiApp ? PrimaryScreen() != nullptr : x11::QtConnection() != nullptr;
}

// Copies the screen's pixels in `inside` (device pixels, on the screen) to `out`, rows
// `stride` pixels apart, through Qt: for servers whose images the grabber does not read.
bool GrabThroughQt(const Rect& inside, GrabPixel* out, std::size_t stride) {
    // Qt grabs in its logical pixels and delivers device pixels.
    QScreen* screen = PrimaryScreen();
    if (!screen) return false;
    const QRect logical = LogicalRect(inside).translated(-screen->geometry().topLeft());
    const QImage image =
        screen->grabWindow(0, logical.x(), logical.y(), logical.width(), logical.height())
            .toImage()
            .scaled(inside.Width(), inside.Height())
            .convertToFormat(QImage::Format_RGB32);
    if (image.width() != inside.Width() || image.height() != inside.Height()) return false;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(out + static_cast<std::size_t>(y) * stride, image.constScanLine(y),
                    static_cast<std::size_t>(inside.Width()) * sizeof(GrabPixel));
    return true;
}

}  // namespace

CX11Desktop::CX11Desktop(GrabMethod method)
    : m_xcb(x11::QtXConnection(), method),
      m_queries(m_damage.Queries(), method),
      m_serverZoomOff(qEnvironmentVariableIntValue("NL_NO_SERVER_ZOOM") == 1) {}

CX11Desktop::~CX11Desktop() = default;

Point CX11Desktop::CursorPos() const {
    // The X server's pointer, in device pixels whatever scale Qt lays windows out at. The
    // tracking connection first: asking whether Qt's connection is there costs more than the
    // question itself when nothing moves.
    if (m_damage.Queries().Connection()) return m_queries.CursorPos();
    if (m_xcb.Connected()) return m_xcb.CursorPos();
    return DevicePoint(QCursor::pos());
}

void CX11Desktop::SetCursorPos(Point pos) {
    if (m_xcb.Connected()) {
        // The cursor stays on the screen (Qt's screens), as the system keeps it.
        const Rect screen = VirtualScreen();
        if (!screen.IsEmpty()) {
            pos.x = std::clamp(pos.x, screen.left, screen.right - 1);
            pos.y = std::clamp(pos.y, screen.top, screen.bottom - 1);
        }
        // On the connection the pointer is asked on: the server answers in the order asked.
        if (m_damage.Queries().Connection())
            m_queries.SetCursorPos(pos);
        else
            m_xcb.SetCursorPos(pos);
        return;
    }
    QCursor::setPos(LogicalPoint(pos));
}

Rect CX11Desktop::VirtualScreen() const {
    if (!qGuiApp) return m_xcb.VirtualScreen();
    Rect all;
    for (QScreen* s : QGuiApplication::screens()) all = Union(all, DeviceGeometry(*s));
    return all;
}

std::vector<MonitorInfo> CX11Desktop::Monitors() const {
    if (!qGuiApp) return m_xcb.Monitors();
    std::vector<MonitorInfo> monitors;
    QScreen* primary = QGuiApplication::primaryScreen();
    const auto info = [](const QScreen& s) {
        return MonitorInfo{DeviceGeometry(s), DeviceRectOn(s, s.availableGeometry()),
                           s.devicePixelRatio()};
    };
    if (primary) monitors.push_back(info(*primary));
    for (QScreen* s : QGuiApplication::screens())
        if (s != primary) monitors.push_back(info(*s));
    return monitors;
}

DisplayMetrics CX11Desktop::Metrics() const {
    DisplayMetrics m;
    if (QScreen* screen = PrimaryScreen()) {
        // Dots per inch of device pixels: Qt's logical inch spans the pixel ratio's pixels.
        const qreal ratio = screen->devicePixelRatio();
        m.dpiX = static_cast<int>(std::lround(screen->logicalDotsPerInchX() * ratio));
        m.dpiY = static_cast<int>(std::lround(screen->logicalDotsPerInchY() * ratio));
    }
    if (qGuiApp) {
        // The dialog base units of the user-interface font: its average character width
        // (rounded half up) and its height.
        const QFontMetrics fm(QGuiApplication::font());
        const int width = fm.horizontalAdvance(QString::fromLatin1(kAlphabet));
        if (width > 0 && fm.height() > 0) {
            m.dialogBaseX = (width / kAlphabetHalf + 1) / 2;
            m.dialogBaseY = fm.height();
        }
    }
    return m;
}

COLORREF CX11Desktop::PixelColor(Point pos) const {
    GrabPixel pixel = 0;
    if (!HasScreen() || !VirtualScreen().Contains(pos)) return kNoColor;
    // The live sample's pixel, read on the tracking connection: a reply on Qt's connection
    // would wake Qt's event reader on every tick.
    const Rect one{pos.x, pos.y, pos.x + 1, pos.y + 1};
    const bool read = Reader().ReadsRootImages() ? Reader().GrabOnScreen(one, &pixel, 1)
                                                 : GrabInside(one, &pixel, 1);
    if (!read) return kNoColor;
    return MakeRgb(static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                   static_cast<int>(pixel & 0xFF));
}

bool CX11Desktop::Grab(const Rect& rect, GrabPixel* pixels, std::size_t stride) const {
    if (!HasScreen()) return false;
    return GrabClipped(
        VirtualScreen(), rect, pixels, stride,
        [&](const Rect& inside, GrabPixel* first) { return GrabInside(inside, first, stride); });
}

std::optional<LentPixels> CX11Desktop::GrabLent(const Rect& rect) const {
    if (!PrimaryScreen() || rect.IsEmpty() || Intersect(rect, VirtualScreen()) != rect)
        return std::nullopt;
    // The magnifier's source, every frame: on the tracking connection, as the pixel above.
    return Reader().LendOnScreen(rect);
}

bool CX11Desktop::GrabInside(const Rect& inside, GrabPixel* out, std::size_t stride) const {
    if (m_xcb.ReadsRootImages()) return m_xcb.GrabOnScreen(inside, out, stride);
    return GrabThroughQt(inside, out, stride);
}

WindowId CX11Desktop::WindowFromPoint(Point pos) const {
    if (!KeepsFacts()) return Reader().WindowFromPoint(pos);
    // Child windows inside other programs' windows announce no change here: keep the answer
    // only briefly.
    constexpr auto kKeepFor = std::chrono::milliseconds(250);
    const std::uint64_t windows = m_damage.ChangeCount({});
    const auto now = std::chrono::steady_clock::now();
    if (m_lastLookup && m_lastLookup->point == pos && m_lastLookup->windows == windows &&
        now - m_lastLookup->at < kKeepFor)
        return m_lastLookup->window;
    const WindowId window = Reader().WindowFromPoint(pos);
    m_lastLookup = PointLookup{pos, windows, now, window};
    return window;
}

WindowId CX11Desktop::Ancestor(WindowId window, WindowAncestor kind) const {
    const auto ask = [&] { return Reader().Ancestor(window, kind); };
    if (!KeepsFacts() || kind == WindowAncestor::kParent) return ask();
    return m_facts.Related(window,
                           kind == WindowAncestor::kRoot ? CWindowFacts::Relation::kRoot
                                                         : CWindowFacts::Relation::kRootOwner,
                           ask);
}

WindowId CX11Desktop::Owner(WindowId window) const {
    const auto ask = [&] { return Reader().Owner(window); };
    return KeepsFacts() ? m_facts.Related(window, CWindowFacts::Relation::kOwner, ask) : ask();
}

std::string CX11Desktop::WindowText(WindowId window) const {
    const auto ask = [&] { return Reader().WindowText(window); };
    return KeepsFacts() ? m_facts.Text(window, ask) : ask();
}

std::string CX11Desktop::ClassName(WindowId window) const {
    const auto ask = [&] { return Reader().ClassName(window); };
    return KeepsFacts() ? m_facts.ClassName(window, ask) : ask();
}

Rect CX11Desktop::ClientRect(WindowId window) const {
    const auto ask = [&] { return Reader().ClientRect(window); };
    return KeepsFacts() ? m_facts.ClientRect(window, ask) : ask();
}

IServerZoom* CX11Desktop::ServerZoom() const {
    if (m_serverZoomOff || !KeepsFacts()) return nullptr;
    if (!m_renderZoom) m_renderZoom = std::make_unique<CRenderZoom>(m_damage.Queries());
    return m_renderZoom->Available() ? m_renderZoom.get() : nullptr;
}

}  // namespace nl
