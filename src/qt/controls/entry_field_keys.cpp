#include "entry_field_keys.h"

#include "command_table_codes.h"

namespace snpp {

std::uint8_t VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
  constexpr std::uint8_t vkNumpad0 = 0x60;
  if ((modifiers & Qt::KeypadModifier) && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
    return static_cast<std::uint8_t>(vkNumpad0 + (qtKey - Qt::Key_0));
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<std::uint8_t>('A' + (qtKey - Qt::Key_A));
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<std::uint8_t>('0' + (qtKey - Qt::Key_0));
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<std::uint8_t>(vkF1 + (qtKey - Qt::Key_F1));
  switch (qtKey) {
    case Qt::Key_Backspace: return vkBack;
    case Qt::Key_Tab: case Qt::Key_Backtab: return vkTab;
    case Qt::Key_Return: case Qt::Key_Enter: return vkReturn;
    case Qt::Key_Shift: return vkShift;
    case Qt::Key_Control: case Qt::Key_Meta: return vkControl;
    case Qt::Key_Alt: case Qt::Key_AltGr: return vkMenu;
    case Qt::Key_Pause: return vkPause;
    case Qt::Key_CapsLock: return vkCapital;
    case Qt::Key_Escape: return vkEscape;
    case Qt::Key_Space: return vkSpace;
    case Qt::Key_PageUp: return vkPrior;
    case Qt::Key_PageDown: return vkNext;
    case Qt::Key_End: return vkEnd;
    case Qt::Key_Home: return vkHome;
    case Qt::Key_Left: return vkLeft;
    case Qt::Key_Up: return vkUp;
    case Qt::Key_Right: return vkRight;
    case Qt::Key_Down: return vkDown;
    case Qt::Key_Insert: return vkInsert;
    case Qt::Key_Delete: return vkDelete;
    case Qt::Key_NumLock: return vkNumlock;
    case Qt::Key_ScrollLock: return vkScroll;
    default: return 0;
  }
}

std::uint8_t ShiftStateFromQt(Qt::KeyboardModifiers modifiers) {
  std::uint8_t s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  return s;
}

}  // namespace snpp
