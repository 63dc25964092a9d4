#include "overlay/CWndCap.h"

#include "base/virtual_keys.h"

namespace nl {
namespace {

// Whether pointing at windows may pick `window` at the screen point `p`.
bool Pickable(const IDesktop& desktop, WindowId window, Point p) {
    return desktop.IsWindowVisible(window) && !desktop.IsMinimized(window) &&
           !desktop.IsTransparent(window) && desktop.WindowRect(window).Contains(p);
}

}  // namespace

WindowId CWndCap::PickWindow(const IDesktop& desktop, Point p, WindowId overlay, KeyState keys) {
    WindowId found = kNoWindow;
    for (WindowId window : desktop.TopLevelWindows()) {
        if (window != overlay && Pickable(desktop, window, p)) {
            found = window;
            break;
        }
    }
    if (found == kNoWindow) return kNoWindow;
    found = desktop.Ancestor(found, WindowAncestor::kRoot);
    if (keys.shift) return desktop.ChildFromPoint(found, p);
    if (keys.ctrl) {
        for (WindowId child = desktop.ChildFromPoint(found, p);
             child != kNoWindow && child != found; child = desktop.ChildFromPoint(found, p)) {
            found = child;
        }
    }
    return found;
}

Rect CWndCap::Prepare(const Rect& virtualScreen, const Rect& desktopWindow) {
    const Rect rect = virtualScreen.IsEmpty() ? desktopWindow : virtualScreen;
    SetDesktopRect(rect);
    return rect;
}

void CWndCap::CreationFailed(std::uint32_t error) {
    // A desktop capture is finished before its window exists; it fails all the same.
    if (m_ended) return;
    m_error = error;
    Reset();
    m_state = CapState::kAborted;
    ReleaseMouse();
    RunFinish();
}

void CWndCap::OnLeftDown(Point p, KeyState keys) {
    // A finished overlay that is still on the screen (a preview) takes no gesture.
    if (m_ended || !IsOpen()) return;
    if (IsMultiClick()) {
        if (!m_clicked) {
            m_clicked = true;
            TakeMouse();
            m_state = CapState::kTracking;
            Start(p, keys);
        }
        AddPoint(p);
        return;
    }
    if (m_holdsMouse) return;
    TakeMouse();
    m_state = CapState::kTracking;
    Start(p, keys);
    Update(p, keys);
}

void CWndCap::OnMouseMove(Point p, KeyState keys) {
    if (!m_holdsMouse || m_ended) return;
    Track(p, keys);
    if (!m_ended) Update(p, keys);
}

void CWndCap::OnLeftUp(Point p, KeyState keys) {
    if (!IsMultiClick() && m_holdsMouse) Complete(p, keys);
}

void CWndCap::OnLeftDoubleClick(Point p, KeyState keys) {
    if (IsMultiClick() && m_holdsMouse) Complete(p, keys);
}

void CWndCap::Complete(Point p, KeyState keys) {
    if (m_ended) return;
    Track(p, keys);
    if (m_ended) return;  // the track gave up (too many points)
    m_state = CapState::kFinished;
    ReleaseMouse();
    if (TakeAndGoOn()) {
        // Ready for the next gesture, on the same overlay.
        m_state = CapState::kOpen;
        m_clicked = false;
        Reset();
        return;
    }
    RunFinish();
}

void CWndCap::OnKeyDown(std::uint32_t virtualKey, KeyState keys) {
    if (virtualKey == kVkShift || virtualKey == kVkControl || virtualKey == kVkMenu) return;
    if (WantsKey(virtualKey, keys))
        TakeKey(virtualKey, keys);
    else
        Abort();
}

void CWndCap::Abort(std::uint32_t error) {
    if (m_state == CapState::kFinished || m_state == CapState::kAborted) return;
    m_error = error;
    m_clicked = false;
    Reset();
    m_state = CapState::kAborted;
    ReleaseMouse();
    RunFinish();
}

void CWndCap::Conclude() {
    if (m_ended) return;
    m_clicked = false;
    m_state = CapState::kFinished;
    ReleaseMouse();
    RunFinish();
}

void CWndCap::RunFinish() {
    if (m_ended) return;
    m_ended = true;
    Finish();
    m_window.End({m_error, m_mainWindow});
}

void CWndCap::TakeMouse() {
    m_holdsMouse = true;
    m_window.GrabMouse();
}

void CWndCap::ReleaseMouse() {
    // Releasing the grab makes the window report a lost capture, which finds the overlay
    // finished or aborted and does nothing.
    if (!m_holdsMouse) return;
    m_holdsMouse = false;
    m_window.ReleaseMouse();
}

}  // namespace nl
