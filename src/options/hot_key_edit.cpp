#include "options/hot_key_edit.h"

#include "framework/hot_keys.h"

namespace nl {

HotKeyEdit CheckHotKeyEdit(std::uint32_t current, std::uint32_t value) {
    if (value == current) return HotKeyEdit::kKeep;
    return ValidateHotKey(value) ? HotKeyEdit::kRegister : HotKeyEdit::kRefuse;
}

}  // namespace nl
