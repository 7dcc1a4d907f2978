#pragma once
// Qt key codes and modifiers to the Windows virtual-key codes and shift
// bits that the command tables are written in.

#include <Qt>
#include <cstdint>

#include "entry_field_typing.h"

namespace snpp {

// 0 for a key that has no virtual-key code of its own. Keypad digits have
// codes of their own, apart from the digit row.
std::uint8_t VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers = {});
std::uint8_t ShiftStateFromQt(Qt::KeyboardModifiers modifiers);

}  // namespace snpp
