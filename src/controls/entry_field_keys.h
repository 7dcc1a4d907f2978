#pragma once
// Qt key codes and modifiers to the Windows virtual-key codes and shift
// bits that the command tables are written in.

#include <Qt>
#include <cstdint>

namespace snpp {

// 0 for a key that has no virtual-key code of its own.
std::uint8_t VirtualKeyFromQt(int qtKey);
std::uint8_t ShiftStateFromQt(Qt::KeyboardModifiers modifiers);

}  // namespace snpp
