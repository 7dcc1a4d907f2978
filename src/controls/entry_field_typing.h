#pragma once
// Which characters a key press types into an entry field, whatever window
// system delivers it.

#include <cstdint>

#include "command_table_codes.h"

namespace snpp {

// An Alt combination (without Ctrl, so not AltGr) is a menu key: when it is
// no command of the tables it types nothing into the field.
constexpr bool KeyTypesText(std::uint8_t shift) { return !((shift & ssAlt) && !(shift & ssCtrl)); }

// The character a key press types, as the system gives it with Ctrl held:
// Ctrl+letter (and Ctrl+@ [ \ ] ^ _) is a control character, any other Ctrl
// combination types nothing. 0 when nothing is typed.
constexpr char32_t CtrlCharacter(char32_t typed) {
  if (typed >= U'a' && typed <= U'z') typed -= 32;
  if (typed >= U'@' && typed <= U'_') return typed & 0x1F;
  if (typed < 32) return typed;
  return 0;
}

// The character `typed` with the modifiers held; 0 for none. Ctrl with Alt
// is AltGr and types what the layout gives.
constexpr char32_t TypedCharacter(char32_t typed, std::uint8_t shift) {
  const std::uint8_t mods = shift & (ssShift | ssCtrl | ssAlt);
  if (mods == ssCtrl || mods == (ssCtrl | ssShift)) return CtrlCharacter(typed);
  return typed;
}

}  // namespace snpp
