#pragma once
// Qt key codes and modifiers to the Windows virtual-key codes and shift
// bits that the command tables are written in.

#include <Qt>
#include <cstdint>

namespace snpp {

// 0 for a key that has no virtual-key code of its own. Keypad digits have
// codes of their own, apart from the digit row.
std::uint8_t VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers = {});
std::uint8_t ShiftStateFromQt(Qt::KeyboardModifiers modifiers);
// The character a key press types, as the system gives it with Ctrl held:
// Ctrl+letter (and Ctrl+@ [ \ ] ^ _) is a control character, any other Ctrl
// combination types nothing. 0 when nothing is typed.
char32_t CtrlCharacter(char32_t typed);

}  // namespace snpp
