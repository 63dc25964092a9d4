#include "platform/x11/CX11HotKeys.h"

#include <X11/keysym.h>

#include <QCoreApplication>
#include <algorithm>

#include "base/CSystemError.h"
#include "platform/x11/x11_keys.h"
#include "platform/x11/xcb_support.h"

namespace nl {

using x11::XcbPtr;

namespace {

constexpr std::uint16_t kDefaultAltMask = XCB_MOD_MASK_1;
constexpr std::uint16_t kDefaultNumLockMask = XCB_MOD_MASK_2;
constexpr std::uint16_t kDefaultSuperMask = XCB_MOD_MASK_4;
constexpr int kModifierRows = 8;  // Shift, Lock, Control, Mod1 .. Mod5
constexpr std::uint8_t kBadAccess = 10;
constexpr std::uint8_t kResponseTypeMask = 0x7F;

// The keyboard as the X server maps it now: keysyms per keycode and which modifier bit
// carries Alt, the Windows (Super) key and Num Lock.
struct KeyboardMap {
    xcb_keycode_t minKeycode = 0;
    int perKeycode = 0;
    std::vector<xcb_keysym_t> keysyms;
    std::uint16_t alt = kDefaultAltMask;
    std::uint16_t super = kDefaultSuperMask;
    std::uint16_t numLock = kDefaultNumLockMask;

    xcb_keysym_t KeysymOf(xcb_keycode_t code) const {
        const std::size_t at = static_cast<std::size_t>(code - minKeycode) * perKeycode;
        return code >= minKeycode && at < keysyms.size() ? keysyms[at] : 0;
    }

    // The keycodes whose unshifted symbol is `keysym`; failing that, those that carry it at
    // any level.
    std::vector<std::uint8_t> KeycodesFor(xcb_keysym_t keysym) const {
        std::vector<std::uint8_t> codes;
        if (perKeycode <= 0) return codes;
        const std::size_t count = keysyms.size() / static_cast<std::size_t>(perKeycode);
        for (int anyLevel = 0; anyLevel < 2 && codes.empty(); ++anyLevel) {
            for (std::size_t k = 0; k < count; ++k) {
                const auto first = keysyms.begin() + static_cast<std::ptrdiff_t>(k * perKeycode);
                const auto last = anyLevel ? first + perKeycode : first + 1;
                if (std::find(first, last, keysym) != last)
                    codes.push_back(static_cast<std::uint8_t>(minKeycode + k));
            }
        }
        return codes;
    }
};

KeyboardMap ReadKeyboardMap(xcb_connection_t* c) {
    KeyboardMap map;
    const xcb_setup_t* setup = xcb_get_setup(c);
    map.minKeycode = setup->min_keycode;
    const auto mc = xcb_get_keyboard_mapping(
        c, setup->min_keycode,
        static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1));
    const auto mm = xcb_get_modifier_mapping(c);
    XcbPtr<xcb_get_keyboard_mapping_reply_t> keys(xcb_get_keyboard_mapping_reply(c, mc, nullptr));
    XcbPtr<xcb_get_modifier_mapping_reply_t> mods(xcb_get_modifier_mapping_reply(c, mm, nullptr));
    if (keys) {
        map.perKeycode = keys->keysyms_per_keycode;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(keys.get());
        map.keysyms.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(keys.get()));
    }
    if (mods) {
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(mods.get());
        const int perRow = mods->keycodes_per_modifier;
        bool altSeen = false, superSeen = false, numSeen = false;
        for (int row = 0; row < kModifierRows; ++row) {
            const auto bit = static_cast<std::uint16_t>(1u << row);
            for (int i = 0; i < perRow; ++i) {
                const xcb_keysym_t sym = map.KeysymOf(codes[row * perRow + i]);
                if (!altSeen && (sym == XK_Alt_L || sym == XK_Alt_R || sym == XK_Meta_L)) {
                    map.alt = bit;
                    altSeen = true;
                } else if (!superSeen && (sym == XK_Super_L || sym == XK_Super_R)) {
                    map.super = bit;
                    superSeen = true;
                } else if (!numSeen && sym == XK_Num_Lock) {
                    map.numLock = bit;
                    numSeen = true;
                }
            }
        }
    }
    return map;
}

}  // namespace

CX11HotKeys::CX11HotKeys() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->installNativeEventFilter(this);
}

CX11HotKeys::~CX11HotKeys() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
    if (!m_suspended)
        for (const auto& [id, grab] : m_grabs) Ungrab(grab);
    x11::Sync(x11::QtConnection());
}

std::uint32_t CX11HotKeys::Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) {
    Unregister(id);
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
    if (!c || root == XCB_NONE) return kErrorNotSupported;
    // Flags beyond the four modifiers (such as "no repeat") do not change the key.
    modifiers &= kModMask;
    for (const auto& [otherId, other] : m_grabs)
        if (other.modifiers == modifiers && other.virtualKey == virtualKey)
            return kErrorHotkeyAlreadyRegistered;
    const std::uint32_t keysym = x11::KeysymForVirtualKey(virtualKey);
    if (keysym == 0) return kErrorNotSupported;
    const KeyboardMap map = ReadKeyboardMap(c);

    Grab grab;
    grab.modifiers = modifiers;
    grab.virtualKey = virtualKey;
    grab.keycodes = map.KeycodesFor(keysym);
    if (grab.keycodes.empty()) return kErrorNotSupported;  // no key of this keyboard makes it
    if (modifiers & kModShift) grab.mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & kModControl) grab.mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & kModAlt) grab.mask |= map.alt;
    if (modifiers & kModWin) grab.mask |= map.super;
    grab.relevant = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | map.alt | map.super;
    grab.lockVariants = {0, XCB_MOD_MASK_LOCK};
    if ((map.numLock & grab.relevant) == 0) {
        grab.lockVariants.push_back(map.numLock);
        grab.lockVariants.push_back(static_cast<std::uint16_t>(map.numLock | XCB_MOD_MASK_LOCK));
    }

    const std::uint32_t result = Take(grab);
    if (result != kErrorSuccess || m_suspended) {
        Ungrab(grab);  // releases only the variants this client got
        x11::Sync(c);
        if (result != kErrorSuccess) return result;
    }
    m_grabs.emplace(id, std::move(grab));
    return kErrorSuccess;
}

std::uint32_t CX11HotKeys::Take(const Grab& grab) {
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
    // Every grab is checked: the server refuses a key another client holds with BadAccess.
    std::vector<xcb_void_cookie_t> cookies;
    for (std::uint8_t code : grab.keycodes)
        for (std::uint16_t lock : grab.lockVariants)
            cookies.push_back(xcb_grab_key_checked(c, 0, root, grab.mask | lock, code,
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    std::uint32_t result = kErrorSuccess;
    for (const auto& cookie : cookies) {
        XcbPtr<xcb_generic_error_t> error(xcb_request_check(c, cookie));
        if (error && result == kErrorSuccess)
            result = error->error_code == kBadAccess ? kErrorHotkeyAlreadyRegistered
                                                     : kErrorInvalidParameter;
    }
    return result;
}

void CX11HotKeys::Suspend() {
    if (m_suspended) return;
    m_suspended = true;
    for (const auto& [id, grab] : m_grabs) Ungrab(grab);
    // Released when this returns, so that the next press goes to the focused window.
    x11::Sync(x11::QtConnection());
}

void CX11HotKeys::Resume() {
    if (!m_suspended) return;
    m_suspended = false;
    if (!x11::QtConnection() || x11::QtRootWindow() == XCB_NONE) return;
    for (const auto& [id, grab] : m_grabs) {
        // A key another program took meanwhile stays registered without being held.
        if (Take(grab) != kErrorSuccess) Ungrab(grab);
    }
    x11::Sync(x11::QtConnection());
}

void CX11HotKeys::Unregister(int id) {
    const auto it = m_grabs.find(id);
    if (it == m_grabs.end()) return;
    Ungrab(it->second);
    m_grabs.erase(it);
    // Released when this returns, so that another program can take the key at once.
    x11::Sync(x11::QtConnection());
}

void CX11HotKeys::Ungrab(const Grab& grab) {
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
    if (!c || root == XCB_NONE) return;
    for (std::uint8_t code : grab.keycodes)
        for (std::uint16_t lock : grab.lockVariants)
            xcb_ungrab_key(c, code, root, grab.mask | lock);
}

void CX11HotKeys::ReportTakenKey(const xcb_focus_out_event_t& event) {
    // Only the window that had the focus itself: its ancestors hear of the same change.
    if (event.mode != XCB_NOTIFY_MODE_GRAB || event.detail == XCB_NOTIFY_DETAIL_VIRTUAL ||
        event.detail == XCB_NOTIFY_DETAIL_NONLINEAR_VIRTUAL ||
        event.detail == XCB_NOTIFY_DETAIL_POINTER || !m_takenListener)
        return;
    xcb_connection_t* c = x11::QtConnection();
    const xcb_window_t root = x11::QtRootWindow();
    if (!c || root == XCB_NONE) return;
    // The grab took the press that activated it: that key is still down, with the modifiers
    // held beside it (the pointer's state carries them).
    const auto keymapCookie = xcb_query_keymap(c);
    const auto pointerCookie = xcb_query_pointer(c, root);
    XcbPtr<xcb_query_keymap_reply_t> keymap(xcb_query_keymap_reply(c, keymapCookie, nullptr));
    XcbPtr<xcb_query_pointer_reply_t> pointer(xcb_query_pointer_reply(c, pointerCookie, nullptr));
    if (!keymap || !pointer) return;
    const KeyboardMap map = ReadKeyboardMap(c);
    constexpr int kKeycodes = 256;
    constexpr int kBitsPerByte = 8;
    for (int code = map.minKeycode; code < kKeycodes; ++code) {
        if ((keymap->keys[code / kBitsPerByte] & (1u << (code % kBitsPerByte))) == 0) continue;
        const xcb_keysym_t sym = map.KeysymOf(static_cast<xcb_keycode_t>(code));
        if (sym < XK_F1 || sym > XK_F24) continue;
        std::uint32_t modifiers = 0;
        if (pointer->mask & XCB_MOD_MASK_SHIFT) modifiers |= kModShift;
        if (pointer->mask & XCB_MOD_MASK_CONTROL) modifiers |= kModControl;
        if (pointer->mask & map.alt) modifiers |= kModAlt;
        if (pointer->mask & map.super) modifiers |= kModWin;
        const std::uint32_t virtualKey = kVkF1 + (sym - XK_F1);
        QMetaObject::invokeMethod(
            &m_context,
            [this, modifiers, virtualKey] {
                if (m_takenListener) m_takenListener(modifiers, virtualKey);
            },
            Qt::QueuedConnection);
        return;
    }
}

bool CX11HotKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const std::uint8_t type = event->response_type & kResponseTypeMask;
    if (type == XCB_FOCUS_OUT && m_suspended) {
        ReportTakenKey(*static_cast<const xcb_focus_out_event_t*>(message));
        return false;  // Qt still hears of the focus change
    }
    if (m_grabs.empty() || m_suspended) return false;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    if (key->event != x11::QtRootWindow()) return false;
    for (const auto& [id, grab] : m_grabs) {
        if (std::find(grab.keycodes.begin(), grab.keycodes.end(), key->detail) ==
                grab.keycodes.end() ||
            (key->state & grab.relevant) != grab.mask)
            continue;
        if (type == XCB_KEY_PRESS) {
            // Heard from the event loop, so that the listener may open dialogs.
            QMetaObject::invokeMethod(
                &m_context,
                [this, id = id] {
                    if (m_listener) m_listener(id);
                },
                Qt::QueuedConnection);
        }
        return true;
    }
    return false;
}

}  // namespace nl
