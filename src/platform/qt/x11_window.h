// What the overlay windows need of the X server beyond Qt: whether a compositing manager
// blends translucent windows, and the class hint of a window. Both do nothing useful on
// another windowing system (no compositor, no class).
#pragma once
#include <cstdint>
#include <string>

class QByteArray;

#include "platform/IDesktop.h"
#include "platform/IWindowSystem.h"

namespace nl {

// Whether a compositing manager owns the _NET_WM_CM_S<screen> selection of the default
// screen, so that a translucent window shows what lies below it.
bool CompositorRunning();

// Whether the native event `message` of type `eventType` (as Qt hands it to a widget) tells
// the window that another client took the pointer or the keyboard with a grab: focus left it
// for a grab or while grabbed, or the pointer left it for a grab (core or XInput 2 crossing).
bool IsGrabLossEvent(const QByteArray& eventType, const void* message);

// Sets the window's class hint (WM_CLASS: instance name, then class name).
void SetWindowClass(WindowId window, const std::string& instance, const std::string& className);

// Asks the window manager to activate `window` (raise it and give it the focus) with a
// _NET_ACTIVE_WINDOW message, on behalf of a request the user made through another program
// (started at the X server time `userTime`, 0: now). Does nothing off X11.
void RequestWindowActivation(WindowId window, std::uint32_t userTime);

// Sends the startup-notification message "remove" for `startupId` to the root window, from
// `window`, so that the launcher that started a program with that id ends its busy cursor.
void FinishStartupNotification(WindowId window, const std::string& startupId);

// The X server as the window system of the program's windows, on Qt's connection.
class CX11WindowSystem final : public IWindowSystem {
public:
    bool BlendsTranslucentWindows() const override { return CompositorRunning(); }
    bool IsGrabLoss(std::string_view eventType, const void* message) const override;
    void SetWindowClass(WindowId window, const std::string& instance,
                        const std::string& className) override {
        nl::SetWindowClass(window, instance, className);
    }
    void RequestActivation(WindowId window, std::uint32_t userTime) override {
        RequestWindowActivation(window, userTime);
    }
    void FinishStartup(WindowId window, const std::string& startupId) override {
        FinishStartupNotification(window, startupId);
    }
};

}  // namespace nl
