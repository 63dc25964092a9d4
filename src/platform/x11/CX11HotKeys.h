#pragma once
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/IHotKeys.h"

namespace nl {

// Global hot keys on X11: each key is grabbed on the root window on Qt's X connection, once
// for every combination of Caps Lock and Num Lock so that the locks do not matter, and its
// presses are picked out of Qt's native events. Needs a QGuiApplication on the xcb platform;
// elsewhere every registration fails with kErrorNotSupported. While suspended, a press that
// another client's key grab takes from the program's focused window (the server tells the
// window it lost the focus to a grab) is looked up in the keyboard's state and reported.
class CX11HotKeys final : public IHotKeys, private QAbstractNativeEventFilter {
public:
    CX11HotKeys();
    // Releases every key this object holds.
    ~CX11HotKeys() override;
    CX11HotKeys(const CX11HotKeys&) = delete;
    CX11HotKeys& operator=(const CX11HotKeys&) = delete;

    std::uint32_t Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) override;
    void Unregister(int id) override;
    void SetListener(Listener listener) override { m_listener = std::move(listener); }
    void Suspend() override;
    void Resume() override;
    void SetTakenListener(TakenListener listener) override {
        m_takenListener = std::move(listener);
    }

private:
    struct Grab {
        std::uint32_t modifiers = 0;  // system modifier flags
        std::uint32_t virtualKey = 0;
        std::vector<std::uint8_t> keycodes;
        std::vector<std::uint16_t> lockVariants;  // lock masks grabbed with `mask`
        std::uint16_t mask = 0;                   // X modifier mask of `modifiers`
        std::uint16_t relevant = 0;               // the X modifiers a press is compared on
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    // Grabs every variant of `grab`; kErrorSuccess or the error of the first refused one.
    std::uint32_t Take(const Grab& grab);
    void Ungrab(const Grab& grab);
    // A window of the program lost the focus to a grab: the function key held now, with the
    // modifiers held, goes to the taken-key listener.
    void ReportTakenKey(const xcb_focus_out_event_t& event);

    std::map<int, Grab> m_grabs;
    Listener m_listener;
    TakenListener m_takenListener;
    bool m_suspended = false;
    QObject m_context;  // queued listener calls die with this object
};

}  // namespace nl
