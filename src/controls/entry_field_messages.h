#pragma once
// The input controls' message texts, looked up by number.

#include <cstdint>
#include <string>

namespace snpp {

enum : std::uint16_t {
  kErrRange = 256,
  kErrInvalid = 257,
  kErrRequired = 258,
  kErrDate = 259,
  kErrTime = 260,
  kErrBlanks = 261,
  kErrPartial = 262,
  kErrUserFirst = 32768,

  kMsgTableDefault = 1000,
  kMsgTableWordStar = 1001,
  kMsgTableGrid = 1002,
  kMsgNoController = 1003,
  kMsgEntryError = 1004,
  kMsgRestore = 1010,
  kMsgCut = 1011,
  kMsgCopy = 1012,
  kMsgPaste = 1013,
  kMsgDelete = 1014,
  kMsgSelectAll = 1015,
};

// "Unknown" for a number that has no text.
std::string EntryMessage(std::uint32_t number);
// Text shown for a validation code below 32768.
std::string ValidationErrorText(std::uint16_t code);

}  // namespace snpp
