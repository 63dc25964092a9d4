#include "platform/x11/x11_keys.h"

#include <X11/keysym.h>

namespace nl::x11 {

namespace {

struct KeyPair {
    std::uint32_t vk;
    std::uint32_t keysym;
};

// Keys with a single, layout-independent keysym.
constexpr KeyPair kKeys[] = {
    {0x08, XK_BackSpace},   {0x09, XK_Tab},        {0x0D, XK_Return},       {0x13, XK_Pause},
    {0x14, XK_Caps_Lock},   {0x1B, XK_Escape},     {0x20, XK_space},        {0x21, XK_Prior},
    {0x22, XK_Next},        {0x23, XK_End},        {0x24, XK_Home},         {0x25, XK_Left},
    {0x26, XK_Up},          {0x27, XK_Right},      {0x28, XK_Down},         {0x2C, XK_Print},
    {0x2D, XK_Insert},      {0x2E, XK_Delete},     {0x6A, XK_KP_Multiply},  {0x6B, XK_KP_Add},
    {0x6D, XK_KP_Subtract}, {0x6E, XK_KP_Decimal}, {0x6F, XK_KP_Divide},    {0x90, XK_Num_Lock},
    {0x91, XK_Scroll_Lock}, {0xBA, XK_semicolon},  {0xBB, XK_equal},        {0xBC, XK_comma},
    {0xBD, XK_minus},       {0xBE, XK_period},     {0xBF, XK_slash},        {0xC0, XK_grave},
    {0xDB, XK_bracketleft}, {0xDC, XK_backslash},  {0xDD, XK_bracketright}, {0xDE, XK_apostrophe},
};

constexpr std::uint32_t kVkDigit0 = 0x30, kVkDigit9 = 0x39;
constexpr std::uint32_t kVkLetterA = 0x41, kVkLetterZ = 0x5A;
constexpr std::uint32_t kVkNumpad0 = 0x60, kVkNumpad9 = 0x69;
constexpr std::uint32_t kVkF1 = 0x70, kVkF24 = 0x87;

}  // namespace

std::uint32_t KeysymForVirtualKey(std::uint32_t vk) {
    if (vk >= kVkF1 && vk <= kVkF24) return XK_F1 + (vk - kVkF1);
    if (vk >= kVkDigit0 && vk <= kVkDigit9) return XK_0 + (vk - kVkDigit0);
    if (vk >= kVkLetterA && vk <= kVkLetterZ) return XK_a + (vk - kVkLetterA);
    if (vk >= kVkNumpad0 && vk <= kVkNumpad9) return XK_KP_0 + (vk - kVkNumpad0);
    for (const KeyPair& k : kKeys)
        if (k.vk == vk) return k.keysym;
    return 0;  // NoSymbol
}

}  // namespace nl::x11
