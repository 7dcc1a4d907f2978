#pragma once
// Editing command codes, virtual-key codes and shift-state bits shared by
// the command tables and the entry fields. The key codes are the Windows
// virtual-key numbers so stored tables keep their meaning on every platform.

#include <cstdint>

namespace snpp {

using TCommand = std::uint16_t;

// Order matters: the numbers are stored in window descriptions.
enum : TCommand {
  ccNone, ccBack, ccBotOfPage, ccBotRightCell, ccCompleteDate, ccCompleteTime,
  ccCopy, ccCtrlChar, ccCut, ccDec, ccDel, ccDelBol, ccDelEol, ccDelLine,
  ccDelWord, ccDown, ccEnd, ccExtendDown, ccExtendEnd, ccExtendHome,
  ccExtendLeft, ccExtendPgDn, ccExtendPgUp, ccExtendRight, ccExtendUp,
  ccExtBotOfPage, ccExtFirstPage, ccExtLastPage, ccExtTopOfPage,
  ccExtWordLeft, ccExtWordRight, ccFirstPage,
  ccGotoMarker0, ccGotoMarker1, ccGotoMarker2, ccGotoMarker3, ccGotoMarker4,
  ccGotoMarker5, ccGotoMarker6, ccGotoMarker7, ccGotoMarker8, ccGotoMarker9,
  ccHome, ccInc, ccIns, ccLastPage, ccLeft, ccNewLine, ccNextPage,
  ccPageLeft, ccPageRight, ccPaste, ccPrevPage, ccRedo, ccRestore, ccRight,
  ccScrollDown, ccScrollUp,
  ccSetMarker0, ccSetMarker1, ccSetMarker2, ccSetMarker3, ccSetMarker4,
  ccSetMarker5, ccSetMarker6, ccSetMarker7, ccSetMarker8, ccSetMarker9,
  ccTab, ccTableEdit, ccTopLeftCell, ccTopOfPage, ccUndo, ccUp,
  ccWordLeft, ccWordRight,
};

// Codes the fields use internally; 256 and up belong to the application.
enum : TCommand {
  ccChar = 249,       // a typed character
  ccMouse = 250,      // left button press
  ccMouseMove = 251,  // move with the button held
  ccNoCmd = 252,      // not a command: the key's character may be entered
  ccDblClk = 253,     // double click
  ccIgnore = 254,     // nothing to do
  ccPartial = 255,    // key taken: first of a two-key sequence, or a modifier
  ccUserFirst = 256,
};

// Shift-state bits as stored in the command records.
enum : std::uint8_t {
  ssShift = 2,
  ssCtrl = 4,
  ssAlt = 8,
  ssNoneOrCtrl = 128,  // second-key modifiers: none or Ctrl alone
};

// Windows virtual-key codes used by the tables and the key mapping
// (named apart from the system macros of the same values).
enum : std::uint8_t {
  vkBack = 0x08, vkTab = 0x09, vkReturn = 0x0D, vkShift = 0x10,
  vkControl = 0x11, vkMenu = 0x12, vkPause = 0x13, vkCapital = 0x14,
  vkEscape = 0x1B, vkSpace = 0x20, vkPrior = 0x21, vkNext = 0x22,
  vkEnd = 0x23, vkHome = 0x24, vkLeft = 0x25, vkUp = 0x26,
  vkRight = 0x27, vkDown = 0x28, vkInsert = 0x2D, vkDelete = 0x2E,
  vkF1 = 0x70, vkF2 = 0x71, vkNumlock = 0x90, vkScroll = 0x91,
};

constexpr bool IsModifierKey(std::uint8_t vk) {
  return vk == vkShift || vk == vkControl || vk == vkMenu ||
         vk == vkCapital || vk == vkNumlock || vk == vkScroll;
}

}  // namespace snpp
